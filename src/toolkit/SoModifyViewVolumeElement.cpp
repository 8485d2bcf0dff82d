#include "SoModifyViewVolumeElement.h"

SO_ELEMENT_SOURCE(SoModifyViewVolumeElement);

void SoModifyViewVolumeElement::initClass() {
  SO_ELEMENT_INIT_CLASS(SoModifyViewVolumeElement, inherited);
}

SoModifyViewVolumeElement::~SoModifyViewVolumeElement() {}

SbVec4f SoModifyViewVolumeElement::getDefault() { return ViewVolumePortion{}.portion; }

const SbVec4f &SoModifyViewVolumeElement::get(SoState *state) {
  return valueIn(state, classStackIndex)->portion;
}

const SbBox3f &SoModifyViewVolumeElement::getBox(SoState *state) {
  return valueIn(state, classStackIndex)->box;
}

void SoModifyViewVolumeElement::set(SoState *state, SbVec4f &portion) {
  ViewVolumePortion *value = valueToSet(state, classStackIndex);
  if (!value) return;
  value->portion = portion;
  value->box.setBounds(portion[0], portion[1], 0.0f, portion[2], portion[3], 1.0f);
}

void SoModifyViewVolumeElement::set(SoState *state, SbBox3f &box) {
  ViewVolumePortion *value = valueToSet(state, classStackIndex);
  if (!value) return;
  value->box = box;
  const SbVec3f &lo = box.getMin();
  const SbVec3f &hi = box.getMax();
  value->portion.setValue(lo[0], lo[1], hi[0], hi[1]);
}

int SoModifyViewVolumeElement::getInfo(SoState *state) {
  // Read past the cache: the mark is no part of what a cache depends on.
  return static_cast<const SoModifyViewVolumeElement *>(
             state->getConstElement(classStackIndex))->m_value.info;
}

void SoModifyViewVolumeElement::setInfo(SoState *state, int info) {
  // Set at the current depth, so the mark goes when the enclosing separator
  // pops the state.
  if (ViewVolumePortion *value = valueToSet(state, classStackIndex)) value->info = info;
}

const SoModifyViewVolumeElement *
SoModifyViewVolumeElement::getInstance(const SoState *state, int &stackIndex) {
  stackIndex = classStackIndex;
  if (!state || !state->isElementEnabled(classStackIndex)) return nullptr;
  return static_cast<const SoModifyViewVolumeElement *>(
      state->getConstElement(classStackIndex));
}
