#include "PixelDrawing.h"

#include "DrawingArea.h"
#include "LineWidthScale.h"

#include <Inventor/elements/SoCacheElement.h>
#include <Inventor/elements/SoProjectionMatrixElement.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/system/gl.h>

bool overlayFrameOf(SoState *state, OverlayFrame &frame) {
  const SbViewportRegion &region = SoViewportRegionElement::get(state);
  frame.viewport = pixelsOf(region);
  if (!isUsable(frame.viewport)) return false;
  frame.view = spannedPixels(SoProjectionMatrixElement::get(state), frame.viewport);
  frame.scale = LineWidthScale::current();
  return isUsable(frame.view);
}

PixelDrawing::PixelDrawing(SoState *state, const OverlayFrame &frame)
    : m_state(state), m_viewport(frame.viewport) {
  // Plain GL is never replayed from a render cache: what is drawn here
  // depends on more than the elements Coin watches.
  SoCacheElement::invalidate(state);
  state->push();
  const SbVec2s &window = SoViewportRegionElement::get(state).getWindowSize();
  const PixelRect allowed = DrawingArea::current(state, window);
  DrawingArea::limitTo(state, window,
                       intersection(intersection(frame.view, frame.viewport), allowed));

  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_PIXEL_MODE_BIT |
               GL_TRANSFORM_BIT | GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(m_viewport.x, m_viewport.x + m_viewport.width, m_viewport.y,
          m_viewport.y + m_viewport.height, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();

  const GLenum off[] = {GL_LIGHTING,     GL_TEXTURE_1D,    GL_TEXTURE_2D,   GL_DEPTH_TEST,
                        GL_FOG,          GL_CULL_FACE,     GL_ALPHA_TEST,   GL_STENCIL_TEST,
                        GL_POLYGON_SMOOTH, GL_POLYGON_STIPPLE, GL_COLOR_LOGIC_OP,
                        GL_COLOR_MATERIAL};
  for (GLenum capability : off) glDisable(capability);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

PixelDrawing::~PixelDrawing() {
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopClientAttrib();
  glPopAttrib();
  m_state->pop();
}

void PixelDrawing::moveRasterTo(double x, double y) const {
  // A raster position set inside the viewport is valid; a bitmap of no
  // pixels then moves it anywhere and it stays valid, where glRasterPos
  // outside the viewport would make it invalid and drop the whole picture.
  const double startX = m_viewport.x + 0.5 * m_viewport.width;
  const double startY = m_viewport.y + 0.5 * m_viewport.height;
  glRasterPos2d(startX, startY);
  glBitmap(0, 0, 0.0f, 0.0f, GLfloat(x - startX), GLfloat(y - startY), nullptr);
}
