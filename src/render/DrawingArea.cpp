#include "DrawingArea.h"

#include <Inventor/elements/SoGLUpdateAreaElement.h>

#include <algorithm>

namespace DrawingArea {

// Pixels beyond any window; the region's window size is only the unit of the
// area's fractions (the views' logical-viewport mode gives its regions a
// window that is not the one drawn into).
constexpr double kFarAway = 1.0e6;

void limitTo(SoState *state, const SbVec2s &window, const PixelRect &rect) {
  if (window[0] <= 0 || window[1] <= 0) return;
  const PixelRect inside = intersection(rect, PixelRect{0.0, 0.0, kFarAway, kFarAway});
  if (!isUsable(inside)) {
    SoGLUpdateAreaElement::set(state, SbVec2f(0.0f, 0.0f), SbVec2f(0.0f, 0.0f));
    return;
  }
  const SbVec2f origin(float((inside.x + 0.5) / window[0]), float((inside.y + 0.5) / window[1]));
  const SbVec2f size(float((inside.width + 0.5) / window[0]),
                     float((inside.height + 0.5) / window[1]));
  SoGLUpdateAreaElement::set(state, origin, size);
}

PixelRect current(SoState *state, const SbVec2s &window) {
  SbVec2f origin, size;
  if (SoGLUpdateAreaElement::get(state, origin, size))
    return {-kFarAway, -kFarAway, 2.0 * kFarAway, 2.0 * kFarAway};
  // As Coin turns the area into the scissor box; values that overflow its
  // 16 bits are not met, the areas set here being a window's pixels.
  return {double(short(origin[0] * float(window[0]))), double(short(origin[1] * float(window[1]))),
          double(short(size[0] * float(window[0]))), double(short(size[1] * float(window[1])))};
}

} // namespace DrawingArea
