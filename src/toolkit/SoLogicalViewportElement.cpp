#include "SoLogicalViewportElement.h"

#include "ViewportRegionLayer.h"

#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/misc/SoState.h>

SO_ELEMENT_SOURCE(SoLogicalViewportElement);

void SoLogicalViewportElement::initClass() {
  SO_ELEMENT_INIT_CLASS(SoLogicalViewportElement, inherited);
}

SoLogicalViewportElement::~SoLogicalViewportElement() {}

void SoLogicalViewportElement::init(SoState *state) {
  inherited::init(state);
  m_region = SbViewportRegion();
  m_scale = 1.0f;
  m_isSet = false;
}

void SoLogicalViewportElement::push(SoState *state) {
  inherited::push(state);
  const auto *below = static_cast<const SoLogicalViewportElement *>(getNextInStack());
  m_region = below->m_region;
  m_scale = below->m_scale;
  m_isSet = below->m_isSet;
}

SbBool SoLogicalViewportElement::matches(const SoElement *element) const {
  const auto *other = static_cast<const SoLogicalViewportElement *>(element);
  return other->m_isSet == m_isSet && other->m_region == m_region &&
         other->m_scale == m_scale;
}

SoElement *SoLogicalViewportElement::copyMatchInfo() const {
  auto *copy = static_cast<SoLogicalViewportElement *>(getTypeId().createInstance());
  copy->m_region = m_region;
  copy->m_scale = m_scale;
  copy->m_isSet = m_isSet;
  return copy;
}

const SbViewportRegion &SoLogicalViewportElement::get(SoState *state) {
  const auto *elt = static_cast<const SoLogicalViewportElement *>(
      getConstElement(state, classStackIndex));
  if (elt->m_isSet || !state->isElementEnabled(SoViewportRegionElement::getClassStackIndex()))
    return elt->m_region;
  return SoViewportRegionElement::get(state);
}

void SoLogicalViewportElement::set(SoState *state, const SbViewportRegion &region) {
  store(state, region, 1.0f);
}

void SoLogicalViewportElement::set(SoState *state, const ScaledViewportRegion &region) {
  store(state, region.region, region.scale);
}

void SoLogicalViewportElement::store(SoState *state, const SbViewportRegion &region, float scale) {
  auto *elt = static_cast<SoLogicalViewportElement *>(getElement(state, classStackIndex));
  if (!elt) return;
  elt->m_region = region;
  elt->m_scale = scale;
  elt->m_isSet = true;
}

float SoLogicalViewportElement::getScale(SoState *state) {
  return static_cast<const SoLogicalViewportElement *>(
             getConstElement(state, classStackIndex))->m_scale;
}

bool SoLogicalViewportElement::isSet(SoState *state) {
  return static_cast<const SoLogicalViewportElement *>(
             getConstElement(state, classStackIndex))->m_isSet;
}
