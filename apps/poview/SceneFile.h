#ifndef POVIEW_SCENEFILE_H
#define POVIEW_SCENEFILE_H

#include <cstddef>
#include <string>

class CoinMessages;
class SoSeparator;

// The deepest scene poview takes: nodes on the longest chain from a node at
// the top of the file down to a leaf, node kits' own inner nodes included (a
// scene view nested in another's "scene" adds four levels: the view, its two
// inner separators and the "scene" group).
constexpr int kMaxSceneNesting = 100000;

// The most node visits one traversal of a scene may make. A node used in n
// places is visited n times, so a few lines of USE can make a traversal that
// never ends; real scenes stay far below this.
constexpr double kMaxSceneVisits = 1e8;

// Each command runs on a stack this large: Coin reads, traverses, converts
// and destroys a scene with one chain of calls per level.
constexpr std::size_t kCommandStackBytes = std::size_t(512) << 20;

// Reads an Inventor (or VRML) scene file. Returns the root with one reference
// held for the caller. Throws a user error naming the file when it is missing,
// unreadable, not a scene file, or cannot be parsed.
SoSeparator *readSceneFile(const std::string &path, CoinMessages &messages);

#endif
