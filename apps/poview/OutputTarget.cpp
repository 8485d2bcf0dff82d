#include "OutputTarget.h"

#include "ToolError.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the system itself follows before it calls it a loop.
constexpr int kMaxLinks = 40;

ToolError cannotWrite(const std::string &path, int error) {
  return userError(quoted(path) + ": cannot write: " + std::strerror(error));
}

// Where a chain of links that ends nowhere points: the file to create. A
// path that is no link at all is its own end.
std::string endOfLinks(const std::string &path) {
  std::string end = path;
  for (int links = 0; links < kMaxLinks; ++links) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(end.c_str(), target, sizeof target);
    if (length < 0) return end;
    if (length == static_cast<ssize_t>(sizeof target)) throw cannotWrite(path, ENAMETOOLONG);
    const std::string next(target, static_cast<std::size_t>(length));
    end = next[0] == '/' ? next : directoryOf(end) + "/" + next;
  }
  throw cannotWrite(path, ELOOP);
}

std::string realPathOf(const std::string &path) {
  char *real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  const std::string resolved(real);
  std::free(real);
  return resolved;
}

} // namespace

std::string directoryOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

OutputTarget resolveOutput(const std::string &path) {
  if (path.empty()) throw userError("the output file name is empty");
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) throw cannotWrite(path, errno);
    // Nothing there, or links that end at nothing: the file is made where
    // the last link points, and the links stay.
    return {OutputTarget::File, endOfLinks(path), false, 0, false};
  }
  if (S_ISREG(info.st_mode))
    return {OutputTarget::File, realPathOf(path), true, info.st_mode & 0777, false};
  if (S_ISDIR(info.st_mode)) throw userError(quoted(path) + ": is a directory");
  if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode))
    return {OutputTarget::Stream, path, true, 0, S_ISSOCK(info.st_mode)};
  throw userError(quoted(path) +
                  ": is a block device; poview writes files, character devices, FIFOs and "
                  "sockets only");
}

OutputTarget checkOutputLocation(const std::string &path) {
  const OutputTarget target = resolveOutput(path);
  if (target.kind == OutputTarget::Stream) {
    if (::access(path.c_str(), W_OK) != 0) throw cannotWrite(path, errno);
    return target;
  }
  const std::string directory = directoryOf(target.path);
  struct stat info;
  if (::stat(directory.c_str(), &info) != 0) throw cannotWrite(path, errno);
  if (!S_ISDIR(info.st_mode)) throw cannotWrite(path, ENOTDIR);
  if (::access(directory.c_str(), W_OK) != 0) throw cannotWrite(path, errno);
  return target;
}
