#ifndef BRENNICQT_TILELAYOUT_H
#define BRENNICQT_TILELAYOUT_H

#include <vector>

// A rectangle of pixels of a picture, (0, 0) at its lower-left corner.
struct PixelTile {
  int x, y, width, height;
};

// Splits `area` into `columns` x `rows` tiles, left to right, then bottom to
// top. Tile edges fall at area.x + floor(i * width / columns), so the sizes
// differ by at most one pixel and the tiles cover the area exactly.
std::vector<PixelTile> splitIntoTiles(const PixelTile &area, int columns, int rows);

// The fewest parts of at most `maximum` pixels a length splits into, and at
// least `wanted`.
int partsNeeded(int length, int maximum, int wanted);

#endif
