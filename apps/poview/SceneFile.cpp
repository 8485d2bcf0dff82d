#include "SceneFile.h"

#include "CoinMessages.h"
#include "PoSceneReader.h"
#include "ToolError.h"

#include <Inventor/nodes/SoSeparator.h>

SoSeparator *readSceneFile(const std::string &path, CoinMessages &messages) {
  messages.clear();
  PoSceneReader reader;
  reader.setMaxDepth(kMaxSceneNesting);
  reader.setMaxVisits(kMaxSceneVisits);
  SoSeparator *root = reader.readFile(path.c_str());
  if (root) return root;
  std::string reason = reader.getMessage().getString();
  if (reader.getFault() == PoSceneReader::PARSE_ERROR) reason = "not a valid scene file: " + reason;
  throw userError(quoted(path) + ": " + reason);
}
