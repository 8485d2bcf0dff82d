#include "DrawingArea.h"

#include <Inventor/elements/SoGLUpdateAreaElement.h>

#include <algorithm>

namespace DrawingArea {

void limitTo(SoState *state, const SbVec2s &window, const PixelRect &rect) {
  if (window[0] <= 0 || window[1] <= 0) return;
  const PixelRect whole{0.0, 0.0, double(window[0]), double(window[1])};
  const PixelRect inside = intersection(rect, whole);
  if (!isUsable(inside)) {
    SoGLUpdateAreaElement::set(state, SbVec2f(0.0f, 0.0f), SbVec2f(0.0f, 0.0f));
    return;
  }
  // Nothing to limit: the default area keeps the scissor test off.
  if (covers(inside, whole)) {
    SoGLUpdateAreaElement::set(state, SoGLUpdateAreaElement::getDefaultOrigin(),
                               SoGLUpdateAreaElement::getDefaultSize());
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
    return {0.0, 0.0, double(window[0]), double(window[1])};
  // As Coin turns the area into the scissor box.
  return {double(short(origin[0] * float(window[0]))), double(short(origin[1] * float(window[1]))),
          double(short(size[0] * float(window[0]))), double(short(size[1] * float(window[1])))};
}

} // namespace DrawingArea
