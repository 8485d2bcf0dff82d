#include "CurrentViewElement.h"

SO_ELEMENT_SOURCE(CurrentViewElement);

void CurrentViewElement::initClass() { SO_ELEMENT_INIT_CLASS(CurrentViewElement, inherited); }

CurrentViewElement::~CurrentViewElement() {}

SoNode *CurrentViewElement::get(SoState *state) {
  if (!state->isElementEnabled(classStackIndex)) return nullptr;
  return *valueIn(state, classStackIndex);
}

void CurrentViewElement::set(SoState *state, SoNode *view) {
  if (!state->isElementEnabled(classStackIndex)) return;
  if (SoNode **value = valueToSet(state, classStackIndex)) *value = view;
}
