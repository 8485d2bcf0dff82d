#ifndef POVIEW_OPTIONVALUES_H
#define POVIEW_OPTIONVALUES_H

#include <string>

struct ImageSize {
  int width;
  int height;
};

struct Colour {
  float red;
  float green;
  float blue;
};

// The largest side of a picture held whole: Coin keeps viewport sizes in
// 16-bit integers. Pictures beyond the driver's limits are rendered in
// tiles; render writes PNG and PPM in bands, larger still.
constexpr int kMaxImageSide = 32767;

// Columns and rows of tiles, as "CxR".
struct TileGrid {
  int columns;
  int rows;
};

// "WxH" with both sides whole numbers in [1, maxSide]. Throws a usage error
// naming `option` otherwise.
ImageSize parseImageSize(const std::string &option, const std::string &text,
                         int maxSide = kMaxImageSide);

// "CxR" with both whole numbers from 1 to 256. Throws a usage error naming
// `option` otherwise.
TileGrid parseTileGrid(const std::string &option, const std::string &text);

// "R,G,B" with each component a number in [0, 1]. Throws a usage error
// naming `option` otherwise.
Colour parseColour(const std::string &option, const std::string &text);

// A whole number in [low, high]. Throws a usage error naming `option`
// otherwise, with `what` describing the value.
int parseBoundedNumber(const std::string &option, const std::string &text, int low, int high,
                       const std::string &what);

// "X0,Y0,X1,Y1": a drag from one pixel to another, each coordinate a whole
// number in [0, kMaxImageSide]. Throws a usage error naming `option` otherwise.
struct PixelDrag {
  int from[2];
  int to[2];
};
PixelDrag parsePixelDrag(const std::string &option, const std::string &text);

#endif
