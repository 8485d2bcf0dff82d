#ifndef BRENNICQT_DRAWINGAREA_H
#define BRENNICQT_DRAWINGAREA_H

#include "ViewVolumeGeometry.h"

#include <Inventor/SbVec2s.h>

class SoState;

// The rectangle GL may draw into, kept by Coin's update area (the scissor)
// in fractions of the window. Coin truncates those fractions back to
// pixels; these functions work in whole pixels of the window and give each
// value half a pixel of slack, so the pixels set are the pixels drawn.
namespace DrawingArea {

// Limits drawing to `rect`, of which only pixels right of and above the
// window's corner count; nothing is drawn when none is left.
void limitTo(SoState *state, const SbVec2s &window, const PixelRect &rect);

// The pixels drawing is limited to now: a rectangle far larger than any
// window when nothing limits it.
PixelRect current(SoState *state, const SbVec2s &window);

} // namespace DrawingArea

#endif
