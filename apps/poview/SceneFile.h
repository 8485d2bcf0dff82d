#ifndef POVIEW_SCENEFILE_H
#define POVIEW_SCENEFILE_H

#include <string>

class CoinMessages;
class SoSeparator;

// Reads an Inventor (or VRML) scene file. Returns the root with one reference
// held for the caller. Throws a user error naming the file when it is missing,
// unreadable, not a scene file, or cannot be parsed.
SoSeparator *readSceneFile(const std::string &path, CoinMessages &messages);

#endif
