#ifndef BRENNICQT_PIXELDRAWING_H
#define BRENNICQT_PIXELDRAWING_H

#include "ViewVolumeGeometry.h"

class SoState;

// Where a view's overlays draw during one GL render, in pixels of the
// current viewport's window: the view's rectangle (spanned by the camera in
// force, a decoration camera that spans the view with -1 to 1), which in a
// tile of a larger picture lies partly or wholly outside the tile, and the
// scale of overlay sizes (PoOffscreenRenderer's line-width scale).
struct OverlayFrame {
  PixelRect view;
  PixelRect viewport;
  float scale;
};

// False when the view has no pixels in the viewport.
bool overlayFrameOf(SoState *state, OverlayFrame &frame);

// Sets GL up, for its lifetime, to draw in window pixels of the frame's
// viewport with plain GL: an orthographic projection with one unit a pixel,
// no lighting, texturing, depth test or culling, alpha blending, and drawing
// cut to the view's pixels. Everything is put back as it was, GL and Coin's
// state alike. Draw polygons and pixel rectangles, not wide lines: GL clips
// a wide line at the viewport by its centre line, which a tile's viewport
// places elsewhere than the whole picture's.
class PixelDrawing {
public:
  PixelDrawing(SoState *state, const OverlayFrame &frame);
  ~PixelDrawing();
  PixelDrawing(const PixelDrawing &) = delete;
  PixelDrawing &operator=(const PixelDrawing &) = delete;

  // Moves GL's raster position to window pixel (x, y), valid wherever that
  // lies, for glDrawPixels.
  void moveRasterTo(double x, double y) const;

private:
  SoState *m_state;
  PixelRect m_viewport;
};

#endif
