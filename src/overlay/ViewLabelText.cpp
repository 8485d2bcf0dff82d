#include "ViewLabelText.h"

#include "LineWidthScale.h"
#include "OverlayMetrics.h"
#include "PixelDrawing.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoLazyElement.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/system/gl.h>

#include <cmath>

SO_NODE_SOURCE(ViewLabelText)

void ViewLabelText::initClass() {
  static std::once_flag once;
  std::call_once(once, [] { SO_NODE_INIT_CLASS(ViewLabelText, SoNode, "Node"); });
}

ViewLabelText::ViewLabelText() {
  SO_NODE_CONSTRUCTOR(ViewLabelText);
  SO_NODE_ADD_FIELD(string, (""));
  SO_NODE_ADD_FIELD(framed, (FALSE));
}

ViewLabelText::~ViewLabelText() {}

const LabelImage &ViewLabelText::imageFor(int pixelSize) {
  const std::string text = string.getValue().getString();
  if (text != m_text || pixelSize != m_pixelSize) {
    m_image = rasterLabel(text, pixelSize);
    m_text = text;
    m_pixelSize = pixelSize;
  }
  return m_image;
}

void ViewLabelText::GLRender(SoGLRenderAction *action) {
  SoState *state = action->getState();
  OverlayFrame frame;
  if (!overlayFrameOf(state, frame)) return;
  const double inset =
      (framed.getValue() ? std::lround(LineWidthScale::drawnWidth(state)) : 0.0) +
      std::round(OverlayMetrics::kMargin * frame.scale);
  const int pixelSize = int(std::lround(OverlayMetrics::kLabelTextSize * frame.scale));
  const SbColor colour = SoLazyElement::getDiffuse(state, 0);
  const float alpha = 1.0f - SoLazyElement::getTransparency(state, 0);

  std::lock_guard<std::mutex> lock(m_mutex);
  const LabelImage &image = imageFor(pixelSize);
  if (image.isEmpty()) return;
  const PixelDrawing drawing(state, frame);
  glPixelTransferf(GL_RED_SCALE, colour[0]);
  glPixelTransferf(GL_GREEN_SCALE, colour[1]);
  glPixelTransferf(GL_BLUE_SCALE, colour[2]);
  glPixelTransferf(GL_ALPHA_SCALE, alpha);
  drawing.moveRasterTo(frame.view.x + inset, frame.view.y + frame.view.height - inset - image.height);
  glDrawPixels(image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
}
