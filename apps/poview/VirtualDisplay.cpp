#include "VirtualDisplay.h"

#include "ToolError.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const int kStartTimeoutMs = 20000;

[[noreturn]] void runServer(int displayFd) {
  // The server goes when poview goes, however poview ends.
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  const int null = ::open("/dev/null", O_RDWR);
  if (null >= 0) {
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO); // Xvfb's start-up chatter is not ours to show
  }
  const std::string fd = std::to_string(displayFd);
  ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
           "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
  ::_exit(127);
}

// Reads the display number the server writes once it accepts connections.
std::string readDisplayNumber(int fd) {
  std::string number;
  for (;;) {
    pollfd ready{fd, POLLIN, 0};
    const int polled = ::poll(&ready, 1, kStartTimeoutMs);
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return std::string();
    char c;
    const ssize_t got = ::read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0 || c == '\n') return number;
    number += c;
  }
}

} // namespace

DisplayConnection::DisplayConnection() : m_display(nullptr), m_usable(false) {
  const char *platform = std::getenv("QT_QPA_PLATFORM");
  const char *name = std::getenv("DISPLAY");
  if (platform && *platform) {
    m_usable = true;
  } else if (name && *name) {
    m_display = XOpenDisplay(name);
    m_usable = m_display != nullptr;
  }
}

DisplayConnection::~DisplayConnection() {
  if (m_display) XCloseDisplay(m_display);
}

VirtualDisplay::VirtualDisplay() : m_server(-1) {
  int fds[2];
  if (::pipe(fds) != 0)
    throw userError(std::string("no display, and no pipe to start Xvfb: ") + std::strerror(errno));
  m_server = ::fork();
  if (m_server == 0) {
    ::close(fds[0]);
    runServer(fds[1]);
  }
  const int forkError = errno;
  ::close(fds[1]);
  if (m_server < 0) {
    ::close(fds[0]);
    throw userError(std::string("no display, and Xvfb cannot be started: ") +
                    std::strerror(forkError));
  }
  const std::string number = readDisplayNumber(fds[0]);
  ::close(fds[0]);
  if (number.empty()) {
    ::kill(m_server, SIGTERM);
    ::waitpid(m_server, nullptr, 0);
    throw userError("no display (DISPLAY is not set or cannot be opened), and Xvfb did not "
                    "start (install the xvfb package)");
  }
  ::setenv("DISPLAY", (":" + number).c_str(), 1);
}

VirtualDisplay::~VirtualDisplay() {
  if (m_server <= 0) return;
  ::kill(m_server, SIGTERM);
  while (::waitpid(m_server, nullptr, 0) < 0 && errno == EINTR) {
  }
}
