#include "SoCurrentViewElement.h"

#include <Inventor/misc/SoState.h>

SO_ELEMENT_SOURCE(SoCurrentViewElement);

void SoCurrentViewElement::initClass() { SO_ELEMENT_INIT_CLASS(SoCurrentViewElement, inherited); }

SoCurrentViewElement::~SoCurrentViewElement() {}

void SoCurrentViewElement::init(SoState *state) {
  inherited::init(state);
  m_view = nullptr;
}

void SoCurrentViewElement::push(SoState *state) {
  inherited::push(state);
  m_view = static_cast<const SoCurrentViewElement *>(getNextInStack())->m_view;
}

SbBool SoCurrentViewElement::matches(const SoElement *element) const {
  return static_cast<const SoCurrentViewElement *>(element)->m_view == m_view;
}

SoElement *SoCurrentViewElement::copyMatchInfo() const {
  auto *copy = static_cast<SoCurrentViewElement *>(getTypeId().createInstance());
  copy->m_view = m_view;
  return copy;
}

SoNode *SoCurrentViewElement::get(SoState *state) {
  if (!state->isElementEnabled(classStackIndex)) return nullptr;
  return static_cast<const SoCurrentViewElement *>(getConstElement(state, classStackIndex))
      ->m_view;
}

void SoCurrentViewElement::set(SoState *state, SoNode *view) {
  if (!state->isElementEnabled(classStackIndex)) return;
  if (auto *element = static_cast<SoCurrentViewElement *>(getElement(state, classStackIndex)))
    element->m_view = view;
}
