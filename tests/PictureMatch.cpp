#include "PictureMatch.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

int levelDifference(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

// Whether a neighbouring pixel differs from (x, y) by `levels` or more.
bool onEdge(const QImage &image, int x, int y, int levels) {
  const QRgb centre = image.pixel(x, y);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const int nx = x + dx, ny = y + dy;
      if (nx >= 0 && ny >= 0 && nx < image.width() && ny < image.height() &&
          levelDifference(centre, image.pixel(nx, ny)) >= levels)
        return true;
    }
  return false;
}

// The longest run of marked pixels along a row or a column.
int longestRun(const std::vector<char> &marked, int width, int height) {
  int longest = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0, run = 0; x < width; ++x) {
      run = marked[std::size_t(y) * width + x] ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  for (int x = 0; x < width; ++x)
    for (int y = 0, run = 0; y < height; ++y) {
      run = marked[std::size_t(y) * width + x] ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  return longest;
}

} // namespace

bool matchesWhole(const QImage &whole, const QImage &tiled, std::string *why) {
  std::ostringstream reason;
  if (whole.size() != tiled.size() || whole.isNull()) {
    reason << "sizes differ: " << whole.width() << "x" << whole.height() << " and "
           << tiled.width() << "x" << tiled.height();
    *why = reason.str();
    return false;
  }
  const int width = whole.width(), height = whole.height();
  std::vector<char> off(std::size_t(width) * height, 0);
  long offCount = 0, awayFromEdges = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int difference = levelDifference(whole.pixel(x, y), tiled.pixel(x, y));
      if (difference <= 2) continue;
      off[std::size_t(y) * width + x] = 1;
      ++offCount;
      if (!onEdge(whole, x, y, std::min(difference, 33)) && awayFromEdges++ == 0)
        reason << "pixel " << x << "," << y << " (from the top) is " << difference
               << " levels off, away from any edge; ";
    }
  const int run = longestRun(off, width, height);
  reason << offCount << " pixels more than 2 levels off, " << run << " of them in a row";
  *why = reason.str();
  return awayFromEdges == 0 && offCount * 2000 <= long(width) * height && run <= 2;
}
