#include "PoConvertGutsVRML2.h"

#include "PoConvertGuts.h"
#include "PoSceneView.h"

#include <Inventor/SbName.h>
#include <Inventor/SbString.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/lists/SoBaseList.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>

namespace {

// Coin's conversion copies VRML nodes it meets, names included, so a stand-in
// is found again in the result by its name. Names are per entry and cleared
// after the conversion, which keeps Coin's name dictionary from growing with
// every export.
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
}

SoVRMLGroup *PoConvertGutsVRML2::standInFor(int index) {
  if (index >= static_cast<int>(m_standIns.size())) m_standIns.resize(index + 1, nullptr);
  SoVRMLGroup *&standIn = m_standIns[static_cast<std::size_t>(index)];
  if (!standIn) {
    standIn = new SoVRMLGroup;
    standIn->ref();
    standIn->setName(standInName(index));
  }
  return standIn;
}

int PoConvertGutsVRML2::convertSoBaseKit(SoBaseKit *kit, SoCallbackAction *action) {
  SoType sceneViewType = PoSceneView::getClassTypeId();
  if (!m_firstStage || sceneViewType.isBad() || !kit->isOfType(sceneViewType)) return 0;
  int index = m_firstStage->recordSceneView(static_cast<PoSceneView *>(kit));
  action->traverse(standInFor(index));
  return 1;
}

void PoConvertGutsVRML2::finishConversion(SoVRMLGroup *) {
  for (std::size_t i = 0; i < m_standIns.size(); ++i) {
    SoVRMLGroup *standIn = m_standIns[i];
    if (!standIn) continue;
    SoBaseList named;
    SoBase::getNamedBases(standIn->getName(), named, SoVRMLGroup::getClassTypeId());
    SoVRMLGroup *converted = nullptr;
    for (int k = 0; k < named.getLength(); ++k)
      if (named[k] != standIn) converted = static_cast<SoVRMLGroup *>(named[k]);
    // Should Coin ever put the stand-in itself into its result, that is the
    // view's node; a stand-in held by nothing else never reached the result.
    if (!converted && standIn->getRefCount() > 1) converted = standIn;
    if (converted) converted->setName("");
    PoConvertGuts::SceneViewInfo *entry = m_firstStage->getSceneViewInfo(static_cast<int>(i));
    if (entry) entry->vrmlGroup = converted;
  }
  releaseStandIns();
}
