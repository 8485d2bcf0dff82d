#include "ViewAxisTriad.h"

#include "AxisTriad.h"
#include "LineWidthScale.h"
#include "OverlayMetrics.h"
#include "PixelDrawing.h"
#include "ViewCamera.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/system/gl.h>

#include <algorithm>
#include <cmath>
#include <mutex>

SO_NODE_SOURCE(ViewAxisTriad)

void ViewAxisTriad::initClass() {
  static std::once_flag once;
  std::call_once(once, [] { SO_NODE_INIT_CLASS(ViewAxisTriad, SoNode, "Node"); });
}

ViewAxisTriad::ViewAxisTriad() {
  SO_NODE_CONSTRUCTOR(ViewAxisTriad);
  SO_NODE_ADD_FIELD(framed, (FALSE));
}

ViewAxisTriad::~ViewAxisTriad() {}

namespace {

// A position on a grid of 1/64 pixel, which GL's own finer grid keeps as it
// is, whatever the last bits of a tile's arithmetic.
double onGrid(double value) { return std::round(value * 64.0) / 64.0; }

// A stroke as the rectangle around it, half its width beyond either end:
// polygons are filled by rules that do not change when the picture is
// moved by whole pixels, where GL's wide lines pick their ends and sides by
// their slope and so by the last bits of a tile's arithmetic. The corners go
// into the GL_QUADS batch that is open.
void addStroke(double x0, double y0, double x1, double y1, double width) {
  const double length = std::hypot(x1 - x0, y1 - y0);
  if (length <= 0.0) return;
  const double half = 0.5 * width;
  const double dx = (x1 - x0) / length * half, dy = (y1 - y0) / length * half;
  const double corners[4][2] = {{x0 - dx + dy, y0 - dy - dx},
                                {x1 + dx + dy, y1 + dy - dx},
                                {x1 + dx - dy, y1 + dy + dx},
                                {x0 - dx - dy, y0 - dy + dx}};
  for (const auto &corner : corners) glVertex2d(onGrid(corner[0]), onGrid(corner[1]));
}

} // namespace

void ViewAxisTriad::GLRender(SoGLRenderAction *action) {
  SoState *state = action->getState();
  OverlayFrame frame;
  if (!overlayFrameOf(state, frame)) return;
  SoNode *view = currentView(state);
  if (!cameraOfView(view)) return;
  using namespace OverlayMetrics;
  const double inset = (framed.getValue() ? std::lround(LineWidthScale::drawnWidth(state)) : 0.0) +
                       std::round(kMargin * frame.scale);
  // The centre a sixteenth of a pixel off a pixel's centre: no stroke of
  // whole pixels in width and length then ends, or has a side, exactly on a
  // pixel's centre, where filling would choose by the last bits of the
  // arithmetic, which differ from a whole picture to its tiles.
  const double reach = std::round(kTriadRadius * frame.scale);
  const double offPixelCentre = 0.5 + 1.0 / 16.0;
  const double centreX = frame.view.x + inset + reach + offPixelCentre;
  const double centreY = frame.view.y + inset + reach + offPixelCentre;
  const double axisWidth = std::max(1.0, std::round(double(kAxisWidth) * frame.scale));
  const double letterWidth = std::max(1.0, std::round(double(kLetterStrokeWidth) * frame.scale));

  const PixelDrawing drawing(state, frame);
  glDisable(GL_BLEND);
  // One batch for all strokes: each glBegin/glEnd pair costs a software GL
  // far more than the few pixels a stroke covers.
  glBegin(GL_QUADS);
  for (const TriadLine &line : triadLines(viewCameraOrientation(view), frame.scale)) {
    glColor3fv(axisColour(line.axis).getValue());
    addStroke(centreX + line.from[0], centreY + line.from[1], centreX + line.to[0],
              centreY + line.to[1], line.letter ? letterWidth : axisWidth);
  }
  glEnd();
}
