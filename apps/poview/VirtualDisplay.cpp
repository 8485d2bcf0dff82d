#include "VirtualDisplay.h"

#include "ToolError.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Set in the environment of the re-run, so that a virtual server without a
// usable display does not start another one, and so on.
const char *const kRerunMarker = "POVIEW_VIRTUAL_DISPLAY";

std::string ownExecutable(const char *argv0) {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return argv0;
  return std::string(buffer, static_cast<std::size_t>(length));
}

} // namespace

bool displayAvailable() {
  const char *platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char *name = std::getenv("DISPLAY");
  if (!name || !*name) return false;
  Display *display = XOpenDisplay(name);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

bool runningUnderVirtualDisplay() {
  const char *marker = std::getenv(kRerunMarker);
  return marker && *marker;
}

void rerunUnderVirtualDisplay(int argc, char **argv) {
  if (runningUnderVirtualDisplay())
    throw userError("no usable display, even under xvfb-run");
  ::setenv(kRerunMarker, "1", 1);
  const std::string self = ownExecutable(argv[0]);
  std::vector<const char *> command = {"xvfb-run", "-a", "-s", "-screen 0 1280x1024x24",
                                       self.c_str()};
  for (int i = 1; i < argc; ++i) command.push_back(argv[i]);
  command.push_back(nullptr);
  ::execvp(command[0], const_cast<char *const *>(command.data()));
  throw userError(std::string("no display (DISPLAY is not set or cannot be opened) and "
                              "xvfb-run cannot be started: ") +
                  std::strerror(errno));
}
