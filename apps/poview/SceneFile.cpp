#include "SceneFile.h"

#include "CoinMessages.h"
#include "ToolError.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/nodes/SoSeparator.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

// Coin's own open reports a failure over several lines and without the
// reason; checking first gives the user the system's reason in one line.
void checkReadable(const std::string &path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0)
    throw userError(quoted(path) + ": " + std::strerror(errno));
  if (S_ISDIR(info.st_mode))
    throw userError(quoted(path) + ": is a directory, not a scene file");
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (!file)
    throw userError(quoted(path) + ": cannot read: " + std::strerror(errno));
  std::fclose(file);
}

} // namespace

SoSeparator *readSceneFile(const std::string &path, CoinMessages &messages) {
  checkReadable(path);
  messages.clear();
  SoInput input;
  if (!input.openFile(path.c_str(), TRUE))
    throw userError(quoted(path) + ": cannot open");
  if (!input.isValidFile())
    throw userError(quoted(path) +
                    ": not a scene file (no '#Inventor V2.1 ascii' or '#VRML V2.0 utf8' header)");
  SoSeparator *root = SoDB::readAll(&input);
  if (!root) {
    const std::string reason = messages.firstReadError();
    throw userError(quoted(path) + ": not a valid scene file" +
                    (reason.empty() ? std::string() : ": " + reason));
  }
  root->ref();
  return root;
}
