#include "SceneFile.h"

#include "CoinMessages.h"
#include "SceneNesting.h"
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

// Refuses, after releasing it, a scene that the traversals would not get
// through: one nested deeper than the stack is made for, one that holds
// itself, one whose shared nodes multiply beyond any sensible traversal.
void checkShape(SoSeparator *root, const std::string &path) {
  const SceneShape shape = measureScene(root);
  std::string fault;
  if (shape.loops > 0)
    fault = "a node holds itself (a USE inside its own DEF), which no traversal gets out of";
  else if (shape.depth > kMaxSceneNesting)
    fault = "nests " + std::to_string(shape.depth) + " levels deep; poview takes at most " +
            std::to_string(kMaxSceneNesting);
  else if (shape.visits > kMaxSceneVisits)
    fault = "its shared nodes (USE) make one traversal visit more than " +
            std::to_string(static_cast<long long>(kMaxSceneVisits)) + " nodes";
  if (fault.empty()) return;
  root->unref();
  throw userError(quoted(path) + ": " + fault);
}

} // namespace

SoSeparator *readSceneFile(const std::string &path, CoinMessages &messages) {
  checkReadable(path);
  messages.clear();
  NestingGuardInput input;
  if (!input.openFile(path.c_str(), TRUE))
    throw userError(quoted(path) + ": cannot open");
  if (!input.isValidFile())
    throw userError(quoted(path) +
                    ": not a scene file (no '#Inventor V2.1 ascii' or '#VRML V2.0 utf8' header)");
  SoSeparator *root = SoDB::readAll(&input);
  if (input.ranOutOfStack()) {
    if (root) {
      root->ref();
      root->unref();
    }
    throw userError(quoted(path) + ": nests deeper than poview can read; it takes at most " +
                    std::to_string(kMaxSceneNesting) + " levels");
  }
  // Coin reads on after some errors (stray braces, say) and returns what it
  // made of the rest; the error, with its line, says more than anything
  // found or missed in that rest.
  const std::string reason = messages.firstReadError();
  if (root && !reason.empty()) {
    root->ref();
    root->unref();
    root = nullptr;
  }
  if (!root)
    throw userError(quoted(path) + ": not a valid scene file" +
                    (reason.empty() ? std::string() : ": " + reason));
  root->ref();
  checkShape(root, path);
  return root;
}
