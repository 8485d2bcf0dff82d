#include "SoModifyLogicalViewportElement.h"

#include <Inventor/misc/SoState.h>

SO_ELEMENT_SOURCE(SoModifyLogicalViewportElement);

void SoModifyLogicalViewportElement::initClass() {
  SO_ELEMENT_INIT_CLASS(SoModifyLogicalViewportElement, inherited);
}

SoModifyLogicalViewportElement::~SoModifyLogicalViewportElement() {}

void SoModifyLogicalViewportElement::init(SoState *state) {
  inherited::init(state);
  m_portion.setValue(0.0f, 0.0f, 1.0f, 1.0f);
}

void SoModifyLogicalViewportElement::push(SoState *state) {
  inherited::push(state);
  m_portion = static_cast<const SoModifyLogicalViewportElement *>(getNextInStack())->m_portion;
}

SbBool SoModifyLogicalViewportElement::matches(const SoElement *element) const {
  return static_cast<const SoModifyLogicalViewportElement *>(element)->m_portion == m_portion;
}

SoElement *SoModifyLogicalViewportElement::copyMatchInfo() const {
  auto *copy = static_cast<SoModifyLogicalViewportElement *>(getTypeId().createInstance());
  copy->m_portion = m_portion;
  return copy;
}

const SbVec4f &SoModifyLogicalViewportElement::get(SoState *state) {
  return static_cast<const SoModifyLogicalViewportElement *>(
             getConstElement(state, classStackIndex))->m_portion;
}

void SoModifyLogicalViewportElement::set(SoState *state, const SbVec4f &portion) {
  auto *elt = static_cast<SoModifyLogicalViewportElement *>(getElement(state, classStackIndex));
  if (elt) elt->m_portion = portion;
}
