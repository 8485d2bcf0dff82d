#include "SceneViewBorderLines.h"

#include "DrawingArea.h"
#include "LineWidthScale.h"
#include "ViewVolumeGeometry.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoProjectionMatrixElement.h>
#include <Inventor/elements/SoViewVolumeElement.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/system/gl.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

// The widest line GL draws, in pixels.
float widestLine() {
  static float widest = 0.0f;
  if (widest == 0.0f) {
    GLfloat range[2] = {1.0f, 1.0f};
    glGetFloatv(GL_ALIASED_LINE_WIDTH_RANGE, range);
    widest = std::max(range[1], 1.0f);
  }
  return widest;
}

// Fits what GL draws the lines with to the view; false when the view has no
// pixels to draw them in.
bool fitToView(SoState *state, SoNode *lines) {
  const SbViewportRegion region = SoViewportRegionElement::get(state);
  const PixelRect viewport = pixelsOf(region);
  if (!isUsable(viewport)) return false;
  const SbMatrix &projection = SoProjectionMatrixElement::get(state);
  const PixelRect view = spannedPixels(projection, viewport);
  const SbVec2s &window = region.getWindowSize();
  if (!isUsable(view)) {
    DrawingArea::limitTo(state, window, PixelRect{0.0, 0.0, 0.0, 0.0});
    return false;
  }

  // Whole pixels: a line's two halves then end on pixel edges, never on the
  // pixel centres where rounding would choose a side.
  const double width =
      std::max(1.0, std::min(double(std::lround(LineWidthScale::drawnWidth(state))),
                             std::floor(widestLine() / 2.0)));
  const PixelRect allowed = DrawingArea::current(state, window);
  DrawingArea::limitTo(state, window, intersection(intersection(view, viewport), allowed));

  const double margin = width + 1.0;
  const PixelRect wider{viewport.x - margin, viewport.y - margin, viewport.width + 2.0 * margin,
                        viewport.height + 2.0 * margin};
  const Fraction fraction = fractionOf(wider, viewport);
  SoViewportRegionElement::set(state, regionOf(window, wider));
  SoProjectionMatrixElement::set(state, lines, narrowedProjection(projection, fraction));
  SoViewVolumeElement::set(state, lines, narrowed(SoViewVolumeElement::get(state), fraction));
  LineWidthScale::setDrawnWidth(state, float(2.0 * width));
  return true;
}

} // namespace

SO_NODE_SOURCE(SceneViewBorderLines)

void SceneViewBorderLines::initClass() {
  static std::once_flag once;
  std::call_once(once, [] { SO_NODE_INIT_CLASS(SceneViewBorderLines, SoLineSet, "LineSet"); });
}

SceneViewBorderLines::SceneViewBorderLines() { SO_NODE_CONSTRUCTOR(SceneViewBorderLines); }

SceneViewBorderLines::~SceneViewBorderLines() {}

void SceneViewBorderLines::GLRender(SoGLRenderAction *action) {
  // What the fitting sets holds for these lines alone.
  SoState *state = action->getState();
  state->push();
  if (fitToView(state, this)) SoLineSet::GLRender(action);
  state->pop();
}
