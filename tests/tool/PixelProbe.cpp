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

namespace {

// Does any of the three pixels from (column, row) in direction (dx, dy) match?
bool anyOfThree(const QImage &image, int column, int row, int dx, int dy, double red,
                double green, double blue) {
  for (int step = 0; step < 3; ++step) {
    const int c = column + step * dx, r = row + step * dy;
    if (c < 0 || r < 0 || c >= image.width() || r >= image.height()) continue;
    if (near(image.pixelColor(c, r), red, green, blue)) return true;
  }
  return false;
}

} // namespace

bool borderAround(const QImage &image, double x, double y, double width, double height,
                  double red, double green, double blue, std::string *failure) {
  const int left = static_cast<int>(std::lround(x * image.width()));
  const int right = static_cast<int>(std::lround((x + width) * image.width())) - 1;
  const int top = static_cast<int>(std::lround((1.0 - y - height) * image.height()));
  const int bottom = static_cast<int>(std::lround((1.0 - y) * image.height())) - 1;
  const int middleColumn = (left + right) / 2, middleRow = (top + bottom) / 2;
  struct Edge {
    const char *name;
    int column, row, dx, dy;
  } const edges[] = {{"left", left, middleRow, 1, 0},
                     {"right", right, middleRow, -1, 0},
                     {"top", middleColumn, top, 0, 1},
                     {"bottom", middleColumn, bottom, 0, -1}};
  for (const Edge &edge : edges) {
    if (!anyOfThree(image, edge.column, edge.row, edge.dx, edge.dy, red, green, blue)) {
      if (failure)
        *failure = std::string("no border on the ") + edge.name + " edge near pixel (" +
                   std::to_string(edge.column) + ", " + std::to_string(edge.row) + "): " +
                   describe(image.pixelColor(edge.column, edge.row));
      return false;
    }
  }
  return true;
}
