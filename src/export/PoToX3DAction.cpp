// Class data, registration, construction and the path forms of the X3D
// export action. The node form is in PoToX3DActionApply.cpp.

#include "PoToX3DAction.h"

#include "ActionClass.h"
#include "VRML2Settings.h"

#include <Inventor/SoPath.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/nodes/SoGroup.h>

PO_ACTION_SOURCE(PoToX3DAction)

PoToX3DAction::PoToX3DAction()
    : m_encoding(CLASSIC_VRML), m_headlight(TRUE), m_coinConversionRun(false) {
  ActionRegistration::checkConstruction(actionClass());
  traversalMethods = getActionMethods();
}

PoToX3DAction::PoToX3DAction(const PoToX3DAction &other) : PoToX3DAction() {
  copySettingsFrom(other);
}

PoToX3DAction &PoToX3DAction::operator=(const PoToX3DAction &other) {
  if (this != &other) copySettingsFrom(other);
  return *this;
}

PoToX3DAction::~PoToX3DAction() {}

void PoToX3DAction::copySettingsFrom(const PoToX3DAction &other) {
  VRML2Settings::of(other).applyTo(*this);
  m_encoding = other.m_encoding;
  m_headlight = other.m_headlight;
}

void PoToX3DAction::apply(SoPath *path) {
  SoNode *tail = path && path->getLength() > 0 ? path->getTail() : nullptr;
  apply(tail);
}

void PoToX3DAction::apply(const SoPathList &pathList, SbBool) {
  SoGroup *tails = new SoGroup;
  tails->ref();
  for (int i = 0; i < pathList.getLength(); ++i)
    if (pathList[i] && pathList[i]->getLength() > 0) tails->addChild(pathList[i]->getTail());
  apply(tails);
  tails->unref();
}
