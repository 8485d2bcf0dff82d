#include "DecorationLooks.h"

#include "DrivingViewers.h"
#include "ViewCamera.h"

#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoCacheElement.h>
#include <Inventor/elements/SoLazyElement.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/nodes/SoCamera.h>

#include <mutex>

namespace {

// Coin's lazy element keeps a pointer to the colours it is given, for as
// long as the state holds them: they must outlive every traversal.
const SbColor kWhite(1.0f, 1.0f, 1.0f);
const SbColor kClearYellow(1.0f, 0.85f, 0.0f);

void setDiffuse(SoAction *action, SoNode *node, const SbColor &colour, SoColorPacker *packer) {
  SoLazyElement::setDiffuse(action->getState(), node, 1, &colour, packer);
}

} // namespace

SO_NODE_SOURCE(LabelLook)

void LabelLook::initClass() {
  static std::once_flag once;
  std::call_once(once, [] { SO_NODE_INIT_CLASS(LabelLook, SoGroup, "Group"); });
}

LabelLook::LabelLook() : m_packer(new SoColorPacker) { SO_NODE_CONSTRUCTOR(LabelLook); }

LabelLook::~LabelLook() { delete m_packer; }

SbColor LabelLook::defaultColour() { return kWhite; }

void LabelLook::GLRenderBelowPath(SoGLRenderAction *action) {
  setDiffuse(action, this, kWhite, m_packer);
  SoGroup::GLRenderBelowPath(action);
}

void LabelLook::GLRenderInPath(SoGLRenderAction *action) {
  setDiffuse(action, this, kWhite, m_packer);
  SoGroup::GLRenderInPath(action);
}

void LabelLook::GLRenderOffPath(SoGLRenderAction *action) {
  setDiffuse(action, this, kWhite, m_packer);
  SoGroup::GLRenderOffPath(action);
}

void LabelLook::callback(SoCallbackAction *action) {
  setDiffuse(action, this, kWhite, m_packer);
  SoGroup::callback(action);
}

SO_NODE_SOURCE(ActiveBorderSeparator)

void ActiveBorderSeparator::initClass() {
  static std::once_flag once;
  std::call_once(once,
                 [] { SO_NODE_INIT_CLASS(ActiveBorderSeparator, SoSeparator, "Separator"); });
}

ActiveBorderSeparator::ActiveBorderSeparator() : m_packer(new SoColorPacker) {
  SO_NODE_CONSTRUCTOR(ActiveBorderSeparator);
}

ActiveBorderSeparator::~ActiveBorderSeparator() { delete m_packer; }

SbColor ActiveBorderSeparator::defaultColour() { return kClearYellow; }

bool ActiveBorderSeparator::beginActive(SoGLRenderAction *action) {
  SoState *state = action->getState();
  // Which view is active is no element: nothing that holds this may be
  // replayed from a cache.
  SoCacheElement::invalidate(state);
  const SoCamera *driven = DrivingViewers::drivenCamera(action);
  if (!driven || driven != cameraOfView(currentView(state))) return false;
  state->push();
  setDiffuse(action, this, kClearYellow, m_packer);
  return true;
}

void ActiveBorderSeparator::GLRenderBelowPath(SoGLRenderAction *action) {
  if (!beginActive(action)) return;
  SoSeparator::GLRenderBelowPath(action);
  action->getState()->pop();
}

void ActiveBorderSeparator::GLRenderInPath(SoGLRenderAction *action) {
  if (!beginActive(action)) return;
  SoSeparator::GLRenderInPath(action);
  action->getState()->pop();
}

// A separator off the path sets nothing for what follows.
void ActiveBorderSeparator::GLRenderOffPath(SoGLRenderAction *) {}

void ActiveBorderSeparator::doAction(SoAction *) {}
void ActiveBorderSeparator::callback(SoCallbackAction *) {}
void ActiveBorderSeparator::getBoundingBox(SoGetBoundingBoxAction *) {}
void ActiveBorderSeparator::pick(SoPickAction *) {}
void ActiveBorderSeparator::handleEvent(SoHandleEventAction *) {}
void ActiveBorderSeparator::getMatrix(SoGetMatrixAction *) {}
