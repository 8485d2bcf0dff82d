#include "LineWidthScale.h"

#include <Inventor/SoType.h>
#include <Inventor/elements/SoGLLineWidthElement.h>

namespace {

float g_scale = 1.0f;

// What a width set in the scene becomes: Coin draws 0 one pixel wide.
float scaled(float width) {
  if (g_scale == 1.0f) return width;
  return (width > 0.0f ? width : 1.0f) * g_scale;
}

// Coin's element with the scale applied as each width is set; the element
// then holds, and GL gets, the width drawn.
class ScaledGLLineWidthElement : public SoGLLineWidthElement {
public:
  static void *createInstance() { return new ScaledGLLineWidthElement; }

protected:
  void setElt(float width) override { SoGLLineWidthElement::setElt(scaled(width)); }
};

} // namespace

namespace LineWidthScale {

void install() {
  SoType::overrideType(SoGLLineWidthElement::getClassTypeId(),
                       &ScaledGLLineWidthElement::createInstance);
}

float current() { return g_scale; }

Scope::Scope(float scale) : m_saved(g_scale) { g_scale = scale; }
Scope::~Scope() { g_scale = m_saved; }

void setDefault(SoState *state) { SoLineWidthElement::set(state, 0.0f); }

float drawnWidth(SoState *state) {
  const float width = SoLineWidthElement::get(state);
  return width > 0.0f ? width : 1.0f;
}

void setDrawnWidth(SoState *state, float pixels) {
  SoLineWidthElement::set(state, pixels / g_scale);
}

} // namespace LineWidthScale
