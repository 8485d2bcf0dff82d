#include "StreamOutput.h"

#include "ToolError.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

ToolError writeError(const std::string &path, int error) {
  return userError(quoted(path) + ": cannot write: " +
                   (error ? std::strerror(error) : "write error"));
}

int connectTo(const std::string &path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return -1;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

// A reader that goes away mid-write is a failed write to report, not a
// signal that ends the process without a word.
class BrokenPipeAsError {
public:
  BrokenPipeAsError() : m_previous(std::signal(SIGPIPE, SIG_IGN)) {}
  ~BrokenPipeAsError() { std::signal(SIGPIPE, m_previous); }
  BrokenPipeAsError(const BrokenPipeAsError &) = delete;
  BrokenPipeAsError &operator=(const BrokenPipeAsError &) = delete;

private:
  void (*m_previous)(int);
};

} // namespace

bool writeAll(int fd, const std::string &bytes) {
  return writeAll(fd, reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
}

bool writeAll(int fd, const unsigned char *bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t written = ::write(fd, bytes + done, size - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

void writeToStream(const std::string &path, bool socket,
                   const std::function<bool(int fd)> &write) {
  const BrokenPipeAsError brokenPipe;
  const int fd = socket ? connectTo(path) : ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw writeError(path, errno);
  bool written = false;
  int error = 0;
  try {
    errno = 0;
    written = write(fd);
    error = errno;
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) throw writeError(path, error);
}
