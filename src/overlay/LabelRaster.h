#ifndef BRENNICQT_LABELRASTER_H
#define BRENNICQT_LABELRASTER_H

#include <cstdint>
#include <string>
#include <vector>

// A view's label as pixels: the text set by Qt in a sans-serif font of the
// given pixel size, white, its coverage in alpha, rows from the bottom up as
// glDrawPixels takes them (RGBA, one byte each). Empty without text, and
// without a QGuiApplication (Qt sets no text without one).
struct LabelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  bool isEmpty() const { return width <= 0 || height <= 0; }
};

// Longer labels are cut here: a view shows a few words, and a file may name
// megabytes.
constexpr std::size_t kMaxLabelCharacters = 256;

LabelImage rasterLabel(const std::string &utf8Text, int pixelSize);

#endif
