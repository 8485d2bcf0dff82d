#include "PixelProbe.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

QColor pixelAt(const QImage &image, double x, double y) {
  const int column = std::clamp(static_cast<int>(x * image.width()), 0, image.width() - 1);
  const int row = std::clamp(static_cast<int>((1.0 - y) * image.height()), 0, image.height() - 1);
  return image.pixelColor(column, row);
}

bool near(const QColor &colour, double red, double green, double blue, int tolerance) {
  auto close = [tolerance](int channel, double fraction) {
    return std::abs(channel - static_cast<int>(std::lround(fraction * 255.0))) <= tolerance;
  };
  return close(colour.red(), red) && close(colour.green(), green) && close(colour.blue(), blue);
}

std::string describe(const QColor &colour) {
  return "rgb(" + std::to_string(colour.red()) + ", " + std::to_string(colour.green()) + ", " +
         std::to_string(colour.blue()) + ")";
}
