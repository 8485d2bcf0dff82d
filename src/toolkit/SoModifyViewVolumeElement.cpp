#include "SoModifyViewVolumeElement.h"

#include <Inventor/misc/SoState.h>

SO_ELEMENT_SOURCE(SoModifyViewVolumeElement);

void SoModifyViewVolumeElement::initClass() {
  SO_ELEMENT_INIT_CLASS(SoModifyViewVolumeElement, inherited);
}

SoModifyViewVolumeElement::~SoModifyViewVolumeElement() {}

SbVec4f SoModifyViewVolumeElement::getDefault() { return SbVec4f(0.0f, 0.0f, 1.0f, 1.0f); }

void SoModifyViewVolumeElement::init(SoState *state) {
  inherited::init(state);
  m_portion = getDefault();
  m_box.setBounds(0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f);
  m_info = 0;
}

void SoModifyViewVolumeElement::push(SoState *state) {
  inherited::push(state);
  const auto *below = static_cast<const SoModifyViewVolumeElement *>(getNextInStack());
  m_portion = below->m_portion;
  m_box = below->m_box;
  m_info = below->m_info;
}

SbBool SoModifyViewVolumeElement::matches(const SoElement *element) const {
  const auto *other = static_cast<const SoModifyViewVolumeElement *>(element);
  return other->m_portion == m_portion && other->m_box == m_box;
}

SoElement *SoModifyViewVolumeElement::copyMatchInfo() const {
  auto *copy = static_cast<SoModifyViewVolumeElement *>(getTypeId().createInstance());
  copy->m_portion = m_portion;
  copy->m_box = m_box;
  copy->m_info = m_info;
  return copy;
}

const SbVec4f &SoModifyViewVolumeElement::get(SoState *state) {
  return static_cast<const SoModifyViewVolumeElement *>(
             getConstElement(state, classStackIndex))->m_portion;
}

const SbBox3f &SoModifyViewVolumeElement::getBox(SoState *state) {
  return static_cast<const SoModifyViewVolumeElement *>(
             getConstElement(state, classStackIndex))->m_box;
}

void SoModifyViewVolumeElement::set(SoState *state, SbVec4f &portion) {
  auto *elt = static_cast<SoModifyViewVolumeElement *>(getElement(state, classStackIndex));
  if (!elt) return;
  elt->m_portion = portion;
  elt->m_box.setBounds(portion[0], portion[1], 0.0f, portion[2], portion[3], 1.0f);
}

void SoModifyViewVolumeElement::set(SoState *state, SbBox3f &box) {
  auto *elt = static_cast<SoModifyViewVolumeElement *>(getElement(state, classStackIndex));
  if (!elt) return;
  elt->m_box = box;
  const SbVec3f &lo = box.getMin();
  const SbVec3f &hi = box.getMax();
  elt->m_portion.setValue(lo[0], lo[1], hi[0], hi[1]);
}

int SoModifyViewVolumeElement::getInfo(SoState *state) {
  return static_cast<const SoModifyViewVolumeElement *>(
             state->getConstElement(classStackIndex))->m_info;
}

void SoModifyViewVolumeElement::setInfo(SoState *state, int info) {
  // Through getElement so the value belongs to the current depth and goes
  // when the enclosing separator pops the state.
  auto *elt = static_cast<SoModifyViewVolumeElement *>(getElement(state, classStackIndex));
  if (elt) elt->m_info = info;
}

const SoModifyViewVolumeElement *
SoModifyViewVolumeElement::getInstance(const SoState *state, int &stackIndex) {
  stackIndex = classStackIndex;
  if (!state || !state->isElementEnabled(classStackIndex)) return nullptr;
  return static_cast<const SoModifyViewVolumeElement *>(
      state->getConstElement(classStackIndex));
}
