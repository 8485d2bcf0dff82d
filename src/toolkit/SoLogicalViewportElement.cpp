#include "SoLogicalViewportElement.h"

#include "ViewportRegionLayer.h"

#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/misc/SoState.h>

SO_ELEMENT_SOURCE(SoLogicalViewportElement);

void SoLogicalViewportElement::initClass() {
  SO_ELEMENT_INIT_CLASS(SoLogicalViewportElement, inherited);
}

SoLogicalViewportElement::~SoLogicalViewportElement() {}

const SbViewportRegion &SoLogicalViewportElement::get(SoState *state) {
  const LogicalViewport &value = *valueIn(state, classStackIndex);
  if (value.isSet || !state->isElementEnabled(SoViewportRegionElement::getClassStackIndex()))
    return value.region;
  return SoViewportRegionElement::get(state);
}

void SoLogicalViewportElement::set(SoState *state, const SbViewportRegion &region) {
  store(state, region, 1.0f);
}

void SoLogicalViewportElement::set(SoState *state, const ScaledViewportRegion &region) {
  store(state, region.region, region.scale);
}

void SoLogicalViewportElement::store(SoState *state, const SbViewportRegion &region, float scale) {
  if (LogicalViewport *value = valueToSet(state, classStackIndex))
    *value = LogicalViewport{region, scale, true};
}

float SoLogicalViewportElement::getScale(SoState *state) {
  return valueIn(state, classStackIndex)->scale;
}

bool SoLogicalViewportElement::isSet(SoState *state) {
  return valueIn(state, classStackIndex)->isSet;
}
