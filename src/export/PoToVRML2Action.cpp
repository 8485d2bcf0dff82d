// Class data, registration, construction and the path forms of the VRML
// export action. The node form, which converts scene views, is in
// PoToVRML2ActionApply.cpp.

#include "PoToVRML2Action.h"

#include "ActionClass.h"
#include "ConversionEngine.h"
#include "PoConvertGuts.h"
#include "QuietVRMLGroups.h"
#include "VRML2Settings.h"

#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/lists/SoActionMethodList.h>
#include <Inventor/lists/SoEnabledElementsList.h>

PO_ACTION_SOURCE(PoToVRML2Action)

PoToVRML2Action::PoToVRML2Action()
    : m_firstSceneViewSensitive(0), m_result(nullptr), m_coinConversionRun(false) {
  ActionRegistration::checkConstruction(actionClass());
  traversalMethods = getActionMethods();
}

// Coin's action has no copy operations of its own: a copy is a fresh action
// that takes the source's settings.
PoToVRML2Action::PoToVRML2Action(const PoToVRML2Action &other) : PoToVRML2Action() {
  copySettingsFrom(other);
  m_firstSceneViewSensitive = other.m_firstSceneViewSensitive;
}

PoToVRML2Action &PoToVRML2Action::operator=(const PoToVRML2Action &other) {
  if (this != &other) {
    copySettingsFrom(other);
    m_firstSceneViewSensitive = other.m_firstSceneViewSensitive;
  }
  return *this;
}

PoToVRML2Action::~PoToVRML2Action() { keepResult(nullptr); }

void PoToVRML2Action::copySettingsFrom(const PoToVRML2Action &other) {
  VRML2Settings::of(other).applyTo(*this);
}

SoConvertGuts *PoToVRML2Action::getNewConvertGuts() const { return new PoConvertGuts; }

SoVRMLGroup *PoToVRML2Action::getVRML2SceneGraph() const { return m_result; }

void PoToVRML2Action::keepResult(SoVRMLGroup *result) {
  if (result) result->ref();
  if (m_result) m_result->unref();
  m_result = result;
}

void PoToVRML2Action::runFirstStage(SoNode *node) { m_toVRMLStage.apply(node, getNewConvertGuts()); }


void PoToVRML2Action::apply(SoPath *path) {
  m_toVRMLStage.apply(path, getNewConvertGuts());
  std::unique_ptr<SoToVRML2Action> spare;
  SoToVRML2Action *engine = takeEngine(spare);
  {
    const QuietVRMLGroups quiet;
    engine->SoToVRML2Action::apply(path);
  }
  m_toVRMLStage.releaseResult();
  keepResult(engine->SoToVRML2Action::getVRML2SceneGraph());
}

void PoToVRML2Action::apply(const SoPathList &pathList, SbBool obeysRules) {
  m_toVRMLStage.apply(pathList, getNewConvertGuts());
  std::unique_ptr<SoToVRML2Action> spare;
  SoToVRML2Action *engine = takeEngine(spare);
  {
    const QuietVRMLGroups quiet;
    engine->SoToVRML2Action::apply(pathList, obeysRules);
  }
  m_toVRMLStage.releaseResult();
  keepResult(engine->SoToVRML2Action::getVRML2SceneGraph());
}

SoToVRML2Action *PoToVRML2Action::takeEngine(std::unique_ptr<SoToVRML2Action> &spare) {
  return conversionEngine(*this, m_coinConversionRun, spare);
}
