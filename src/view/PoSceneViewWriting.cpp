#include "PoSceneView.h"

#include <Inventor/nodekits/SoAppearanceKit.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoLightModel.h>

namespace {

bool isUnlitLightModel(const SoNode *node) {
  if (node->getTypeId() != SoLightModel::getClassTypeId() || node->getName().getLength() != 0)
    return false;
  const SoSFEnum &model = static_cast<const SoLightModel *>(node)->model;
  return model.getValue() == SoLightModel::BASE_COLOR && !model.isIgnored() &&
         !model.isConnected();
}

// Whether an appearance part holds what construction puts there and nothing
// else: for the background a plain appearance kit with the base-colour light
// model alone, for the border nothing. Reading a file that lacks the part
// gives the kit exactly that again, so the part need not be written. For the
// border an empty appearance kit looks the same as none.
bool holdsConstructionLook(const SoNode *node, bool isBackground) {
  if (!node) return true;
  if (node->getTypeId() != SoAppearanceKit::getClassTypeId() || node->getName().getLength() != 0)
    return false;
  const SoBaseKit *kit = static_cast<const SoBaseKit *>(node);
  const SoNodekitCatalog *catalog = kit->getNodekitCatalog();
  bool unlit = false;
  for (int i = 1; i < catalog->getNumEntries(); ++i) {
    const SoField *field = kit->getField(catalog->getName(i));
    const SoNode *part = field ? static_cast<const SoSFNode *>(field)->getValue() : nullptr;
    if (!part) continue;
    if (isBackground && !unlit && catalog->getName(i) == "lightModel" && isUnlitLightModel(part)) {
      unlit = true;
      continue;
    }
    return false;
  }
  return isBackground ? unlit : true;
}

} // namespace

bool PoSceneView::appearanceNeedsWriting(const SoSFNode &field) const {
  return !holdsConstructionLook(field.getValue(), &field == &backgroundApp);
}

void PoSceneView::setDefaultOnNonWritingFields() {
  PoBaseView::setDefaultOnNonWritingFields();
  // The scene, the camera kit and the two switches are written, and the
  // looks the application gave the decorations; the geometry is rebuilt from
  // the switches when the kit is read back.
  SoSFNode *const derived[] = {&topSep, &sceneSep, &backgroundSep, &background, &borderSep,
                               &border};
  for (SoSFNode *field : derived) field->setDefault(TRUE);
  SoSFNode *const appearances[] = {&backgroundApp, &borderApp};
  for (SoSFNode *field : appearances) field->setDefault(appearanceNeedsWriting(*field) ? FALSE : TRUE);
}

// Coin writes a part marked default all the same when it holds a node kit
// with something of its own to write, which the background's appearance kit
// always has (its light model). While Coin counts what to write, an
// appearance part that holds only what construction put there is therefore
// shown to it as empty; nothing is notified, and afterwards it holds its node
// again, marked default.
void PoSceneView::addWriteReference(SoOutput *out, SbBool isFromField) {
  SoSFNode *const appearances[] = {&backgroundApp, &borderApp};
  SoNode *held[2] = {nullptr, nullptr};
  SbBool fieldNotified[2] = {TRUE, TRUE};
  const SbBool notified = enableNotify(FALSE);
  for (int i = 0; i < 2; ++i) {
    if (appearanceNeedsWriting(*appearances[i])) continue;
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
