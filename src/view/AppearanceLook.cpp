#include "AppearanceLook.h"

#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/nodekits/SoAppearanceKit.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoLightModel.h>

namespace {

struct Probe {
  const SoNode *appearance;
  AppearanceLook look;
};

SoCallbackAction::Response noteLook(void *data, SoCallbackAction *action, const SoNode *node) {
  auto *probe = static_cast<Probe *>(data);
  if (node != probe->appearance) return SoCallbackAction::CONTINUE;
  SbColor ambient, specular, emission;
  float shininess = 0.0f, transparency = 0.0f;
  action->getMaterial(ambient, probe->look.colour, specular, emission, shininess, transparency);
  // Coin's default width, 0, draws lines one pixel wide.
  const float width = action->getLineWidth();
  probe->look.lineWidth = width > 0.0f ? width : 1.0f;
  return SoCallbackAction::CONTINUE;
}

bool isUnlitLightModel(const SoNode *node) {
  if (node->getTypeId() != SoLightModel::getClassTypeId() || node->getName().getLength() != 0)
    return false;
  const SoSFEnum &model = static_cast<const SoLightModel *>(node)->model;
  return model.getValue() == SoLightModel::BASE_COLOR && !model.isIgnored() &&
         !model.isConnected();
}

} // namespace

AppearanceLook lookOf(SoNode *appearance, const SbColor &startColour) {
  SoGroup *traversed = new SoGroup;
  traversed->ref();
  SoBaseColor *start = new SoBaseColor;
  start->rgb.setValue(startColour);
  traversed->addChild(start);
  SoNode *probed = appearance ? appearance : new SoGroup;
  traversed->addChild(probed);
  Probe probe{probed, {startColour, 1.0f}};
  SoCallbackAction action;
  action.addPostCallback(probed->getTypeId(), noteLook, &probe);
  action.apply(traversed);
  traversed->unref();
  return probe.look;
}

bool holdsConstructionLook(const SoNode *node, bool unlit) {
  if (!node) return true;
  if (node->getTypeId() != SoAppearanceKit::getClassTypeId() || node->getName().getLength() != 0)
    return false;
  const SoBaseKit *kit = static_cast<const SoBaseKit *>(node);
  const SoNodekitCatalog *catalog = kit->getNodekitCatalog();
  bool unlitSeen = false;
  for (int i = 1; i < catalog->getNumEntries(); ++i) {
    const SoField *field = kit->getField(catalog->getName(i));
    const SoNode *part = field ? static_cast<const SoSFNode *>(field)->getValue() : nullptr;
    if (!part) continue;
    if (unlit && !unlitSeen && catalog->getName(i) == "lightModel" && isUnlitLightModel(part)) {
      unlitSeen = true;
      continue;
    }
    return false;
  }
  return unlit ? unlitSeen : true;
}
