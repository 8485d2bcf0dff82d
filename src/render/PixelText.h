#ifndef BRENNICQT_PIXELTEXT_H
#define BRENNICQT_PIXELTEXT_H

#include <cstdio>
#include <string>

// "WxH" and "X,Y" for messages. Not std::to_string: it brings a unique symbol
// of the standard library into the module, which then can never be unloaded.
inline std::string pixelPair(int first, int second, char separator) {
  char text[32];
  std::snprintf(text, sizeof text, "%d%c%d", first, separator, second);
  return text;
}

inline std::string sizeText(int width, int height) { return pixelPair(width, height, 'x'); }

inline std::string countText(int count) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", count);
  return text;
}

#endif
