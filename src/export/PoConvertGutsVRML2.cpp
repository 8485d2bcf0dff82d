#include "PoConvertGutsVRML2.h"

#include "PoConvertGuts.h"
#include "PoSceneView.h"
#include "PoView.h"

#include <Inventor/SbName.h>
#include <Inventor/SbString.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/lists/SoBaseList.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>

namespace {

// Coin's conversion copies VRML nodes it meets, names included, so a stand-in
// is found again in the result by its name. Names are per entry and cleared
// after the conversion, which keeps Coin's name dictionary from growing with
// every export. The stand-ins live as long as the converter: Coin's action
// remembers the nodes it copied by address, and a later conversion on the
// same action would take a new stand-in made where a freed one lay for it.
SbName standInName(int index) {
  SbString name("PoToVRML2Action_SceneView_");
  name.addIntString(index);
  return SbName(name);
}

} // namespace

PoConvertGutsVRML2::PoConvertGutsVRML2(PoConvertGuts *firstStage) : m_firstStage(firstStage) {}

PoConvertGutsVRML2::~PoConvertGutsVRML2() { releaseStandIns(); }

void PoConvertGutsVRML2::releaseStandIns() {
  for (SoVRMLGroup *standIn : m_standIns)
    if (standIn) {
      standIn->setName("");
      standIn->unref();
    }
  m_standIns.clear();
  m_pending.clear();
}

SoVRMLGroup *PoConvertGutsVRML2::standInFor(int index) {
  if (index >= static_cast<int>(m_standIns.size())) m_standIns.resize(index + 1, nullptr);
  SoVRMLGroup *&standIn = m_standIns[static_cast<std::size_t>(index)];
  if (!standIn) {
    standIn = new SoVRMLGroup;
    standIn->ref();
    standIn->setName(standInName(index));
    m_pending.push_back(index);
  }
  return standIn;
}

int PoConvertGutsVRML2::convertSoBaseKit(SoBaseKit *kit, SoCallbackAction *action) {
  // A view switched off is left to Coin's traversal, which it passes by with
  // all it holds (see PoBaseView::isVisible).
  const SoType baseViewType = PoBaseView::getClassTypeId();
  if (!baseViewType.isBad() && kit->isOfType(baseViewType) &&
      !static_cast<PoBaseView *>(kit)->isVisible.getValue())
    return 0;
  // A plain view's parts (its callback and camera kit) have no VRML form:
  // the nodes after it are converted as they are.
  const SoType viewType = PoView::getClassTypeId();
  if (!viewType.isBad() && kit->isOfType(viewType)) return 1;
  SoType sceneViewType = PoSceneView::getClassTypeId();
  if (!m_firstStage || sceneViewType.isBad() || !kit->isOfType(sceneViewType)) return 0;
  int index = m_firstStage->recordSceneView(static_cast<PoSceneView *>(kit));
  action->traverse(standInFor(index));
  return 1;
}

void PoConvertGutsVRML2::finishConversion(SoVRMLGroup *) {
  for (int index : m_pending) {
    SoVRMLGroup *standIn = m_standIns[static_cast<std::size_t>(index)];
    SoBaseList named;
    SoBase::getNamedBases(standIn->getName(), named, SoVRMLGroup::getClassTypeId());
    SoVRMLGroup *converted = nullptr;
    for (int k = 0; k < named.getLength(); ++k)
      if (named[k] != standIn) converted = static_cast<SoVRMLGroup *>(named[k]);
    // Should Coin ever put the stand-in itself into its result, that is the
    // view's node; a stand-in held by nothing else never reached the result.
    if (!converted && standIn->getRefCount() > 1) converted = standIn;
    if (converted) converted->setName("");
    standIn->setName("");
    PoConvertGuts::SceneViewInfo *entry = m_firstStage->getSceneViewInfo(index);
    if (entry) entry->vrmlGroup = converted;
  }
  m_pending.clear();
}
