#include "SoModifyLogicalViewportElement.h"

SO_ELEMENT_SOURCE(SoModifyLogicalViewportElement);

void SoModifyLogicalViewportElement::initClass() {
  SO_ELEMENT_INIT_CLASS(SoModifyLogicalViewportElement, inherited);
}

SoModifyLogicalViewportElement::~SoModifyLogicalViewportElement() {}

const SbVec4f &SoModifyLogicalViewportElement::get(SoState *state) {
  return *valueIn(state, classStackIndex);
}

void SoModifyLogicalViewportElement::set(SoState *state, const SbVec4f &portion) {
  if (LogicalViewportPortion *value = valueToSet(state, classStackIndex))
    static_cast<SbVec4f &>(*value) = portion;
}
