#include "PoSceneView.h"

void PoSceneView::setDefaultOnNonWritingFields() {
  PoBaseView::setDefaultOnNonWritingFields();
  // Only the scene, the camera kit and the two switches are written; the
  // decorations are rebuilt from the switches when the kit is read back.
  SoSFNode *const derived[] = {&topSep,     &sceneSep,  &backgroundSep, &backgroundApp,
                               &background, &borderSep, &borderApp,     &border};
  for (SoSFNode *field : derived) field->setDefault(TRUE);
}

// Coin writes a part marked default all the same when it holds a node kit
// with something of its own to write, which the appearance kits always have
// (the background's light model at least). While Coin counts what to write,
// the two appearance parts are therefore shown to it as empty; nothing is
// notified, and afterwards they hold their nodes again, marked default.
void PoSceneView::addWriteReference(SoOutput *out, SbBool isFromField) {
  SoSFNode *const appearances[] = {&backgroundApp, &borderApp};
  SoNode *held[2] = {nullptr, nullptr};
  SbBool fieldNotified[2] = {TRUE, TRUE};
  const SbBool notified = enableNotify(FALSE);
  for (int i = 0; i < 2; ++i) {
    held[i] = appearances[i]->getValue();
    if (!held[i]) continue;
    held[i]->ref();
    fieldNotified[i] = appearances[i]->enableNotify(FALSE);
    appearances[i]->setValue(nullptr);
  }
  PoBaseView::addWriteReference(out, isFromField);
  for (int i = 0; i < 2; ++i) {
    if (!held[i]) continue;
    appearances[i]->setValue(held[i]);
    appearances[i]->setDefault(TRUE);
    appearances[i]->enableNotify(fieldNotified[i]);
    held[i]->unrefNoDelete();
  }
  enableNotify(notified);
}
