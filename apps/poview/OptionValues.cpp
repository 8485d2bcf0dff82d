#include "OptionValues.h"

#include "ToolError.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// More tiles than this on a side are a typing error rather than a plan.
constexpr long kMaxTiles = 256;

// A whole decimal number and nothing else: no sign, no spaces, no suffix.
bool parseWholeNumber(const std::string &text, long &out) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  out = std::strtol(text.c_str(), nullptr, 10);
  return true;
}

bool parseUnitNumber(const std::string &text, float &out) {
  if (text.empty() || text.find_first_of(" \t") != std::string::npos) return false;
  char *end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) return false;
  if (value < 0.0 || value > 1.0) return false;
  out = static_cast<float>(value);
  return true;
}

std::vector<std::string> split(const std::string &text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t next = text.find(separator, start);
    parts.push_back(text.substr(start, next - start));
    if (next == std::string::npos) return parts;
    start = next + 1;
  }
}

} // namespace

ImageSize parseImageSize(const std::string &option, const std::string &text, int maxSide) {
  const std::vector<std::string> sides = split(text, 'x');
  long width = 0, height = 0;
  if (sides.size() != 2 || !parseWholeNumber(sides[0], width) ||
      !parseWholeNumber(sides[1], height))
    throw usageError(option + " " + quoted(text) + ": expected WIDTHxHEIGHT, e.g. 640x480");
  if (width == 0 || height == 0)
    throw usageError(option + " " + quoted(text) + ": width and height must be at least 1");
  if (width > maxSide || height > maxSide)
    throw usageError(option + " " + quoted(text) + ": width and height must be at most " +
                     std::to_string(maxSide));
  return {static_cast<int>(width), static_cast<int>(height)};
}

TileGrid parseTileGrid(const std::string &option, const std::string &text) {
  const std::vector<std::string> counts = split(text, 'x');
  long columns = 0, rows = 0;
  if (counts.size() != 2 || !parseWholeNumber(counts[0], columns) ||
      !parseWholeNumber(counts[1], rows) || columns < 1 || rows < 1 || columns > kMaxTiles ||
      rows > kMaxTiles)
    throw usageError(option + " " + quoted(text) + ": expected COLUMNSxROWS from 1x1 to " +
                     std::to_string(kMaxTiles) + "x" + std::to_string(kMaxTiles) + ", e.g. 3x2");
  return {static_cast<int>(columns), static_cast<int>(rows)};
}

Colour parseColour(const std::string &option, const std::string &text) {
  const std::vector<std::string> parts = split(text, ',');
  Colour colour{};
  if (parts.size() != 3 || !parseUnitNumber(parts[0], colour.red) ||
      !parseUnitNumber(parts[1], colour.green) || !parseUnitNumber(parts[2], colour.blue))
    throw usageError(option + " " + quoted(text) +
                     ": expected R,G,B with each component from 0 to 1, e.g. 0.1,0.1,0.2");
  return colour;
}

int parseBoundedNumber(const std::string &option, const std::string &text, int low, int high,
                       const std::string &what) {
  long value = 0;
  if (!parseWholeNumber(text, value) || value < low || value > high)
    throw usageError(option + " " + quoted(text) + ": expected " + what + " from " +
                     std::to_string(low) + " to " + std::to_string(high));
  return static_cast<int>(value);
}

PixelDrag parsePixelDrag(const std::string &option, const std::string &text) {
  const std::vector<std::string> parts = split(text, ',');
  long values[4] = {0, 0, 0, 0};
  bool valid = parts.size() == 4;
  for (std::size_t i = 0; valid && i < 4; ++i)
    valid = parseWholeNumber(parts[i], values[i]) && values[i] <= kMaxImageSide;
  if (!valid)
    throw usageError(option + " " + quoted(text) +
                     ": expected X0,Y0,X1,Y1 in pixels from the top left, e.g. 100,80,160,80");
  return {{int(values[0]), int(values[1])}, {int(values[2]), int(values[3])}};
}
