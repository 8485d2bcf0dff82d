#include "TileLayout.h"

#include <algorithm>

namespace {

int edge(int start, int length, int parts, int index) {
  return start + int((long long)length * index / parts);
}

} // namespace

std::vector<PixelTile> splitIntoTiles(const PixelTile &area, int columns, int rows) {
  std::vector<PixelTile> tiles;
  tiles.reserve(std::size_t(columns) * std::size_t(rows));
  for (int row = 0; row < rows; ++row) {
    const int y0 = edge(area.y, area.height, rows, row);
    const int y1 = edge(area.y, area.height, rows, row + 1);
    for (int column = 0; column < columns; ++column) {
      const int x0 = edge(area.x, area.width, columns, column);
      const int x1 = edge(area.x, area.width, columns, column + 1);
      tiles.push_back({x0, y0, x1 - x0, y1 - y0});
    }
  }
  return tiles;
}

int partsNeeded(int length, int maximum, int wanted) {
  // Parts are floor or ceil(length / parts) pixels long; with at least
  // ceil(length / maximum) parts the longer ones fit too.
  return std::max({wanted, 1, (length + maximum - 1) / maximum});
}
