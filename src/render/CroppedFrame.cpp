#include "CroppedFrame.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoDrawStyleElement.h>
#include <Inventor/elements/SoGLShapeHintsElement.h>
#include <Inventor/elements/SoLineWidthElement.h>
#include <Inventor/elements/SoMultiTextureEnabledElement.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/system/gl.h>

namespace {

void vertex(double x, double y) { glVertex2d(x, y); }

} // namespace

namespace CroppedFrame {

bool drawsFrame(int viewportMapping) {
  return viewportMapping == SoCamera::CROP_VIEWPORT_FILL_FRAME ||
         viewportMapping == SoCamera::CROP_VIEWPORT_LINE_FRAME;
}

void draw(SoGLRenderAction *action, SoNode *camera, int viewportMapping, const PixelRect &full,
          const PixelRect &cropped) {
  if (!drawsFrame(viewportMapping) || action->handleTransparency(FALSE)) return;
  const bool lines = viewportMapping == SoCamera::CROP_VIEWPORT_LINE_FRAME;
  const bool cropsWidth = cropped.width < full.width;
  if (!cropsWidth && !(cropped.height < full.height)) return;

  SoState *state = action->getState();
  state->push();
  if (lines) SoLineWidthElement::set(state, camera, 1.0f);
  SoDrawStyleElement::set(state, camera, SoDrawStyleElement::FILLED);
  SoGLShapeHintsElement::forceSend(state, TRUE, FALSE);
  SoMultiTextureEnabledElement::disableAll(state);
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_VIEWPORT_BIT | GL_TRANSFORM_BIT);
  glViewport(GLint(full.x), GLint(full.y), GLsizei(full.width), GLsizei(full.height));
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  // Coin's own mapping of the viewport's pixels, one pixel short on each axis.
  const double left = full.x, bottom = full.y;
  const double right = full.x + full.width, top = full.y + full.height;
  glOrtho(left, right - 1.0, bottom, top - 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_DEPTH_TEST);
  glColor3f(0.8f, 0.8f, 0.8f);
  const double x0 = cropped.x, y0 = cropped.y;
  const double x1 = cropped.x + cropped.width, y1 = cropped.y + cropped.height;
  if (lines) {
    glBegin(GL_LINES);
    if (cropsWidth) {
      vertex(x0 - 1, bottom), vertex(x0 - 1, top), vertex(x1, bottom), vertex(x1, top);
    } else {
      vertex(left, y0 - 1), vertex(right, y0 - 1), vertex(left, y1), vertex(right, y1);
    }
  } else {
    glBegin(GL_QUADS);
    if (cropsWidth) {
      vertex(left, bottom), vertex(left, top - 1), vertex(x0 - 1, top), vertex(x0 - 1, bottom);
      vertex(x1, bottom), vertex(x1, top - 1), vertex(right - 1, top - 1), vertex(right - 1, bottom);
    } else {
      vertex(left, y0 - 1), vertex(right - 1, y0 - 1), vertex(right - 1, bottom), vertex(left, bottom);
      vertex(left, y1), vertex(left, top - 1), vertex(right - 1, top - 1), vertex(right - 1, y1);
    }
  }
  glEnd();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
  state->pop();
}

} // namespace CroppedFrame
