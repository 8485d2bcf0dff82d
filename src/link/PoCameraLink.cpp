#include "PoCameraLink.h"

#include "CameraLinkMembers.h"
#include "DebugReport.h"
#include "PoBaseView.h"
#include "SoModifyViewVolumeElement.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoPickAction.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/misc/SoNotification.h>

SO_NODE_SOURCE(PoCameraLink);

// Coin's SO_NODE_INIT_CLASS would also hand Coin a cleanup to run at its
// end, into this library, which may be unloaded by then; exitClass cleans up
// instead.
void PoCameraLink::initClass() {
  PoBaseView::initClass();
  SoBase::staticDataLock();
  if (classTypeId == SoType::badType()) {
    classTypeId = SoType::createType(SoNode::getClassTypeId(), SbName("PoCameraLink"),
                                     &PoCameraLink::createInstance,
                                     static_cast<uint16_t>(SoNode::getNextActionMethodIndex()));
    SoNode::incNextActionMethodIndex();
    parentFieldData = SoNode::getFieldDataPtr();
  }
  SoBase::staticDataUnlock();
}

void PoCameraLink::exitClass() {
  if (classTypeId != SoType::badType()) atexit_cleanup();
}

PoCameraLink::PoCameraLink() : m_members(new CameraLinkMembers(*this)) {
  if (classTypeId == SoType::badType()) {
    postReport("PoCameraLink::PoCameraLink",
               "Can't construct a node of type PoCameraLink until initClass() has been called");
    initClass();
  }
  SO_NODE_CONSTRUCTOR(PoCameraLink);
  SO_NODE_ADD_FIELD(views, (nullptr));
  views.setNum(0);
  views.setDefault(TRUE);
  SO_NODE_ADD_FIELD(link, (ALL));
  SO_NODE_DEFINE_ENUM_VALUE(Link, ORIENTATION);
  SO_NODE_DEFINE_ENUM_VALUE(Link, POSITION);
  SO_NODE_DEFINE_ENUM_VALUE(Link, ZOOM);
  SO_NODE_DEFINE_ENUM_VALUE(Link, ALL);
  SO_NODE_SET_SF_ENUM_TYPE(link, Link);
}

PoCameraLink::~PoCameraLink() { delete m_members; }

SbVec2s PoCameraLink::getWindowSize() const { return m_members->window; }

void PoCameraLink::copyContents(const SoFieldContainer *from, SbBool copyConnections) {
  SoNode::copyContents(from, copyConnections);
  m_members->follow(views);
}

// A notification that passes `views`, rather than a sensor on it: every
// change of every linked camera passes it, and a sensor would be scheduled
// and run for each. A view added is linked, and one taken out let go, before
// the call that changed the list returns.
void PoCameraLink::notify(SoNotList *list) {
  if (list->getLastField() == &views) {
    m_members->follow(views);
    const SoNotRec *first = list->getFirstRec();
    if (first && first->getBase() != this) return;
  }
  SoNode::notify(list);
}

void PoCameraLink::noteWindow(SoAction *action) {
  SoState *state = action->getState();
  // A tile of a larger picture has another shape than the window.
  if (SoModifyViewVolumeElement::get(state) != SoModifyViewVolumeElement::getDefault()) return;
  const SbVec2s size = SoViewportRegionElement::get(state).getWindowSize();
  if (size[0] > 0 && size[1] > 0) m_members->window = size;
}

void PoCameraLink::GLRender(SoGLRenderAction *action) { noteWindow(action); }
void PoCameraLink::getBoundingBox(SoGetBoundingBoxAction *action) { noteWindow(action); }
void PoCameraLink::handleEvent(SoHandleEventAction *action) { noteWindow(action); }
void PoCameraLink::pick(SoPickAction *action) { noteWindow(action); }
