#include "AtomicFile.h"

#include "ToolError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string directoryOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string baseNameOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

ToolError writeError(const std::string &path, int error) {
  return userError(quoted(path) + ": cannot write: " + std::strerror(error));
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

} // namespace

bool writeAll(int fd, const std::string &bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

namespace {

// mkstemp makes the file readable by its owner only; the result should get
// the permissions any newly created file gets.
void applyUsualPermissions(int fd) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

} // namespace

void checkOutputLocation(const std::string &path) {
  if (path.empty()) throw userError("the output file name is empty");
  struct stat info;
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    throw userError(quoted(path) + ": is a directory");
  const std::string directory = directoryOf(path);
  if (::stat(directory.c_str(), &info) != 0) throw writeError(path, errno);
  if (!S_ISDIR(info.st_mode)) throw writeError(path, ENOTDIR);
  if (::access(directory.c_str(), W_OK) != 0) throw writeError(path, errno);
}

void writeFileAtomically(const std::string &path, const std::string &bytes) {
  writeFileAtomically(path, [&bytes](int fd) { return writeAll(fd, bytes); });
}

void writeFileAtomically(const std::string &path, const std::function<bool(int fd)> &write) {
  checkOutputLocation(path);
  TemporaryFile temporary(path);
  if (!temporary.isOpen()) throw writeError(path, errno);
  applyUsualPermissions(temporary.fd());
  if (!write(temporary.fd()) || ::fsync(temporary.fd()) != 0) throw writeError(path, errno);
  if (temporary.close() != 0) throw writeError(path, errno);
  if (::rename(temporary.path().c_str(), path.c_str()) != 0) throw writeError(path, errno);
  temporary.keep();
}
