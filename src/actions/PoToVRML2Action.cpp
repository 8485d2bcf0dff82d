// Class data, registration, construction and the path forms of the VRML
// export action. The node form, which converts scene views, is in
// PoToVRML2ActionApply.cpp.

#include "PoToVRML2Action.h"

#include "DebugReport.h"
#include "PoConvertGuts.h"
#include "SoDBImpl.h"
#include "SoToVRML2Settings.h"
#include "ToolkitLayer.h"

#include <Inventor/SbString.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/lists/SoActionMethodList.h>
#include <Inventor/lists/SoEnabledElementsList.h>

void PoToVRML2Action::initClass() {
  // The parent comes first: its lists are the parents of this class's lists,
  // and lists made from a parent that does not exist yet would leave the
  // action without any traversal method.
  if (SoToVRML2Action::getClassTypeId().isBad()) {
    postReport("PoToVRML2Action::initClass",
               "PoToVRML2Action initialized before parent class SoToVRML2Action\n");
    SoToVRML2Action::initClass();
  }
  enabledElements = new SoEnabledElementsList(SoToVRML2Action::getClassEnabledElements());
  methods = new SoActionMethodList(SoToVRML2Action::getClassActionMethods());
  // Actions are not made by name, so the type has no instance factory.
  classTypeId = SoType::createType(SoToVRML2Action::getClassTypeId(), SbName("PoToVRML2Action"),
                                   nullptr, 0);
  classTypeIdIsSet = 1;
}

void PoToVRML2Action::exitClass() {
  const SbName name = classTypeId.getName();
  if (!ToolkitLayer::removeType(name)) {
    SbString message;
    message.sprintf("Unable to remove type (%s) for this class. Check exitClass() method is "
                    "implemented and is called only once.\n",
                    name.getString());
    postReport("PoToVRML2Action::exitClass", message.getString());
    return;
  }
  classTypeId = SoType::badType();
  delete enabledElements;
  enabledElements = nullptr;
  delete methods;
  methods = nullptr;
  classTypeIdIsSet = 0;
}

SoType PoToVRML2Action::getClassTypeId() { return classTypeId; }

SoType PoToVRML2Action::getTypeId() const { return classTypeId; }

void PoToVRML2Action::addMethod(const SoType type, SoActionMethod method) {
  methods->addMethod(type, method);
}

void PoToVRML2Action::enableElement(const SoType type, const int stackIndex) {
  if (type.isBad()) {
    postReport("SO_ENABLE_ELEMENT", "Can't enable element for PoToVRML2Action until the element "
                                    "initClass function has been called");
    return;
  }
  enabledElements->enable(type, stackIndex);
}

const SoEnabledElementsList &PoToVRML2Action::getEnabledElements() const {
  return *enabledElements;
}

SoActionMethodList *PoToVRML2Action::getActionMethods() { return methods; }

PoToVRML2Action::PoToVRML2Action()
    : m_firstSceneViewSensitive(0), m_result(nullptr), m_coinConversionRun(false) {
  if (classTypeId.isBad()) {
    postReport("SO_ACTION_CONSTRUCTOR",
               "Can't construct an action of type PoToVRML2Action until initClass() has been "
               "called. Check SoDB::init() has been called.");
    initClass();
  }
  SoDBChecks::checkDatabase("PoToVRML2Action", this, getClassTypeId(), classTypeId);
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
  SoToVRML2Settings::of(other).applyTo(*this);
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
  engine->SoToVRML2Action::apply(path);
  m_toVRMLStage.releaseResult();
  keepResult(engine->SoToVRML2Action::getVRML2SceneGraph());
}

void PoToVRML2Action::apply(const SoPathList &pathList, SbBool obeysRules) {
  m_toVRMLStage.apply(pathList, getNewConvertGuts());
  std::unique_ptr<SoToVRML2Action> spare;
  SoToVRML2Action *engine = takeEngine(spare);
  engine->SoToVRML2Action::apply(pathList, obeysRules);
  m_toVRMLStage.releaseResult();
  keepResult(engine->SoToVRML2Action::getVRML2SceneGraph());
}

// Coin's actions cost more to make than to run (each registers a callback
// for every node type), and this action is one already, so the first
// conversion runs on it. Coin's action hands out what it converted before
// instead of converting a changed graph again, and what it hands out may
// have been freed with the result it belonged to: every later conversion
// runs on a spare action of its own.
SoToVRML2Action *PoToVRML2Action::takeEngine(std::unique_ptr<SoToVRML2Action> &spare) {
  if (!m_coinConversionRun) {
    m_coinConversionRun = true;
    return this;
  }
  spare.reset(new SoToVRML2Action);
  SoToVRML2Settings::of(*this).applyTo(*spare);
  return spare.get();
}
