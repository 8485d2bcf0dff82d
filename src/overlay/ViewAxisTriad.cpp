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

void ViewAxisTriad::GLRender(SoGLRenderAction *action) {
  SoState *state = action->getState();
  OverlayFrame frame;
  if (!overlayFrameOf(state, frame)) return;
  SoNode *view = currentView(state);
  if (!cameraOfView(view)) return;
  using namespace OverlayMetrics;
  const double inset = (framed.getValue() ? std::lround(LineWidthScale::drawnWidth(state)) : 0.0) +
                       std::round(kMargin * frame.scale);
  // The centre on a pixel's centre, so that lines of odd width run along
  // pixel rows and columns.
  const double reach = std::round(kTriadRadius * frame.scale);
  const double centreX = frame.view.x + inset + reach + 0.5;
  const double centreY = frame.view.y + inset + reach + 0.5;
  const float axisWidth = std::max(1.0f, std::round(kAxisWidth * frame.scale));
  const float letterWidth = std::max(1.0f, std::round(kLetterStrokeWidth * frame.scale));

  const PixelDrawing drawing(state, frame, double(axisWidth) + 1.0);
  glDisable(GL_BLEND);
  for (const TriadLine &line : triadLines(viewCameraOrientation(view), frame.scale)) {
    glLineWidth(line.letter ? letterWidth : axisWidth);
    glColor3fv(axisColour(line.axis).getValue());
    glBegin(GL_LINES);
    glVertex2d(centreX + line.from[0], centreY + line.from[1]);
    glVertex2d(centreX + line.to[0], centreY + line.to[1]);
    glEnd();
  }
}
