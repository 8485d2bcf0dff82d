#include "PoSceneView.h"

#include "AppearanceLook.h"

bool PoSceneView::appearanceNeedsWriting(const SoSFNode &field) const {
  return !holdsConstructionLook(field.getValue(), &field == &backgroundApp);
}

void PoSceneView::setDefaultOnNonWritingFields() {
  PoBaseView::setDefaultOnNonWritingFields();
  // The scene, the camera kit, the switches and the label are written, and
  // the looks the application gave the decorations; the geometry is rebuilt
  // from the fields when the kit is read back.
  SoSFNode *const derived[] = {&topSep,      &sceneSep,        &backgroundSep, &background,
                               &borderSep,   &border,          &activeBorderSep,
                               &activeBorder, &overlaySep,     &labelLook,     &overlay};
  for (SoSFNode *field : derived) field->setDefault(TRUE);
  SoSFNode *const appearances[] = {&backgroundApp, &borderApp, &activeBorderApp, &labelApp};
  for (SoSFNode *field : appearances) field->setDefault(appearanceNeedsWriting(*field) ? FALSE : TRUE);
}

// Coin writes a part marked default all the same when it holds a node kit
// with something of its own to write, which the background's appearance kit
// always has (its light model). While Coin counts what to write, an
// appearance part that holds only what construction put there is therefore
// shown to it as empty; nothing is notified, and afterwards it holds its node
// again, marked default.
void PoSceneView::addWriteReference(SoOutput *out, SbBool isFromField) {
  SoSFNode *const appearances[] = {&backgroundApp, &borderApp, &activeBorderApp, &labelApp};
  constexpr int kCount = sizeof appearances / sizeof appearances[0];
  SoNode *held[kCount] = {};
  SbBool fieldNotified[kCount] = {TRUE, TRUE, TRUE, TRUE};
  const SbBool notified = enableNotify(FALSE);
  for (int i = 0; i < kCount; ++i) {
    if (appearanceNeedsWriting(*appearances[i])) continue;
    held[i] = appearances[i]->getValue();
    if (!held[i]) continue;
    held[i]->ref();
    fieldNotified[i] = appearances[i]->enableNotify(FALSE);
    appearances[i]->setValue(nullptr);
  }
  PoBaseView::addWriteReference(out, isFromField);
  for (int i = 0; i < kCount; ++i) {
    if (!held[i]) continue;
    appearances[i]->setValue(held[i]);
    appearances[i]->setDefault(TRUE);
    appearances[i]->enableNotify(fieldNotified[i]);
    held[i]->unrefNoDelete();
  }
  enableNotify(notified);
}
