#include "PictureMatch.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

int levelDifference(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

bool onEdge(const QImage &image, int x, int y) {
  const QRgb centre = image.pixel(x, y);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const int nx = x + dx, ny = y + dy;
      if (nx >= 0 && ny >= 0 && nx < image.width() && ny < image.height() &&
          levelDifference(centre, image.pixel(nx, ny)) > 32)
        return true;
    }
  return false;
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
  long within = 0, farOff = 0;
  for (int y = 0; y < whole.height(); ++y)
    for (int x = 0; x < whole.width(); ++x) {
      const int difference = levelDifference(whole.pixel(x, y), tiled.pixel(x, y));
      if (difference <= 2) {
        ++within;
      } else if (difference > 32 && !onEdge(whole, x, y)) {
        if (farOff++ == 0)
          reason << "pixel " << x << "," << y << " (from the top) is " << difference
                 << " levels off, away from any edge; ";
      }
    }
  const double share = double(within) / (double(whole.width()) * whole.height());
  reason << share * 100.0 << " % within 2 levels";
  *why = reason.str();
  return farOff == 0 && share >= 0.995;
}
