#include "ElementProbe.h"

#include "SoLogicalViewportElement.h"
#include "SoModifyViewVolumeElement.h"
#include "TestViewKit.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoCacheElement.h>
#include <Inventor/elements/SoGLUpdateAreaElement.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/system/gl.h>

ElementProbe::ElementProbe() : m_node(new SoCallback) {
  m_node->ref();
  m_node->setCallback(&ElementProbe::probeCB, this);
}

ElementProbe::~ElementProbe() { m_node->unref(); }

void ElementProbe::probeCB(void *data, SoAction *action) {
  auto *probe = static_cast<ElementProbe *>(data);
  SoState *state = action->getState();
  // What the probe reads from GL must be the state of this traversal, not
  // of a render cache being compiled around it.
  SoCacheElement::invalidate(state);
  ElementSnapshot &s = probe->m_last;
  ++probe->m_calls;
  s = ElementSnapshot();
  s.actionType = action->getTypeId();
  s.depth = state->getDepth();
  s.viewport = SoViewportRegionElement::get(state);
  s.portion = SoModifyViewVolumeElement::get(state);
  s.box = SoModifyViewVolumeElement::getBox(state);
  s.info = SoModifyViewVolumeElement::getInfo(state);
  s.logicalIsSet = SoLogicalViewportElement::isSet(state);
  s.logical = SoLogicalViewportElement::get(state);
  s.logicalScale = SoLogicalViewportElement::getScale(state);
  if (action->isOfType(SoGLRenderAction::getClassTypeId())) {
    SoGLUpdateAreaElement::get(state, s.updateOrigin, s.updateSize);
    s.scissorEnabled = glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE;
    glGetIntegerv(GL_SCISSOR_BOX, s.scissorBox);
  }
  s.recordedPortion = PoBaseViewTestAccess::vvPortion();
  s.recordedLogicalSize = PoBaseViewTestAccess::logicalViewportSize();
}
