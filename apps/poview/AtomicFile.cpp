#include "AtomicFile.h"

#include "ToolError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string baseNameOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

ToolError writeError(const std::string &name, int error) {
  return userError(quoted(name) + ": cannot write: " + std::strerror(error));
}

// Removes the temporary file unless it has been renamed into place.
class TemporaryFile {
public:
  explicit TemporaryFile(const std::string &target)
      : m_path(directoryOf(target) + "/." + baseNameOf(target) + ".XXXXXX") {
    m_fd = ::mkstemp(&m_path[0]);
    m_created = m_fd >= 0;
  }
  ~TemporaryFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (m_created && !m_kept) ::unlink(m_path.c_str());
  }
  bool isOpen() const { return m_fd >= 0; }
  int fd() const { return m_fd; }
  const std::string &path() const { return m_path; }
  int close() {
    const int result = ::close(m_fd);
    m_fd = -1;
    return result;
  }
  void keep() { m_kept = true; }

private:
  std::string m_path;
  int m_fd;
  bool m_created;
  bool m_kept = false;
};

// mkstemp makes the file readable by its owner only; the result should get
// the permissions of the file it replaces, or those any new file gets.
void applyPermissions(int fd, const OutputTarget &target) {
  if (target.exists) {
    ::fchmod(fd, target.mode);
    return;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

} // namespace

void writeFileAtomically(const OutputTarget &target, const std::string &name,
                         const std::function<bool(int fd)> &write) {
  TemporaryFile temporary(target.path);
  if (!temporary.isOpen()) throw writeError(name, errno);
  applyPermissions(temporary.fd(), target);
  if (!write(temporary.fd()) || ::fsync(temporary.fd()) != 0) throw writeError(name, errno);
  if (temporary.close() != 0) throw writeError(name, errno);
  if (::rename(temporary.path().c_str(), target.path.c_str()) != 0)
    throw writeError(name, errno);
  temporary.keep();
}
