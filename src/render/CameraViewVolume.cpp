#include "CameraViewVolume.h"

#include "CroppedFrame.h"
#include "DrawingArea.h"
#include "KeptTileElement.h"
#include "SoDBImpl.h"
#include "SoLogicalViewportElement.h"
#include "SoModifyViewVolumeElement.h"
#include "ViewVolumeGeometry.h"

#include <Inventor/SbViewVolume.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/elements/SoCullElement.h>
#include <Inventor/elements/SoModelMatrixElement.h>
#include <Inventor/elements/SoProjectionMatrixElement.h>
#include <Inventor/elements/SoViewVolumeElement.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/system/gl.h>

#include <mutex>

namespace {

bool isEnabled(SoState *state, int stackIndex) { return state->isElementEnabled(stackIndex); }

// What narrowing one camera takes, worked out before the camera runs.
struct Narrowing {
  SoCamera *camera;
  SbViewportRegion current; // the viewport before the camera
  PixelRect viewport;       // its pixels
  PixelRect full;           // the whole picture the portion implies
  PixelRect picture;        // the part of it the camera composes
  int mapping;
  bool crops;
};

// The rectangle of which the viewport shows the portion. A tile of the
// standard mode knows it exactly; the portion's single precision would put
// a poster's views a good part of a pixel off.
PixelRect fullRectangleOf(SoState *state, const SbViewportRegion &current,
                          const SbVec4f &portion) {
  const KeptTileElement::Frame *frame =
      SoDBImpl::m_isZemba ? nullptr : KeptTileElement::getFrame(state);
  if (frame && portion != SoModifyViewVolumeElement::getDefault())
    return {frame->x, frame->y, frame->width, frame->height};
  return fullRectangle(exactPixelsOf(current), portion);
}

// Whether the camera must compute its volume for a larger picture than the
// viewport in force; if so, sets the viewport to that picture, so that Coin's
// camera method works out the volume (and any cropping) for it.
bool beginNarrowing(SoState *state, SoCamera *camera, Narrowing &plan) {
  if (!isEnabled(state, SoModifyViewVolumeElement::getClassStackIndex()) ||
      !isEnabled(state, SoViewportRegionElement::getClassStackIndex()))
    return false;
  plan.camera = camera;
  plan.mapping = camera->viewportMapping.getValue();
  plan.crops = plan.mapping == SoCamera::CROP_VIEWPORT_FILL_FRAME ||
               plan.mapping == SoCamera::CROP_VIEWPORT_LINE_FRAME ||
               plan.mapping == SoCamera::CROP_VIEWPORT_NO_FRAME;
  // Coin crops in fractions of the region's window, which the views' logical
  // viewports do not have: a cropping camera under one is placed here too.
  const SbVec4f &portion = SoModifyViewVolumeElement::get(state);
  if (portion == SoModifyViewVolumeElement::getDefault() &&
      !(plan.crops && SoLogicalViewportElement::isSet(state)))
    return false;
  plan.current = SoViewportRegionElement::get(state);
  plan.viewport = pixelsOf(plan.current);
  // The full rectangle lies on the whole pixels the view's viewport has in
  // the render of the whole picture, which Coin crops from.
  const PixelRect exactFull = fullRectangleOf(state, plan.current, portion);
  plan.full = wholePixelsOf(exactFull, SoDBImpl::m_isZemba != 0);
  if (!isUsable(plan.viewport) || !isUsable(plan.full)) return false;
  plan.picture =
      plan.crops ? croppedRectangle(plan.full, camera->aspectRatio.getValue()) : plan.full;
  if (!isUsable(plan.picture)) return false;
  SoViewportRegionElement::set(state, regionOf(plan.current.getWindowSize(), plan.picture));
  return true;
}

// After Coin's camera method: the viewport goes back, and the view volume,
// projection and culling volume are narrowed to the part the viewport shows.
void finishNarrowing(SoAction *action, const Narrowing &plan) {
  SoState *state = action->getState();
  SoCamera *camera = plan.camera;
  SoViewportRegionElement::set(state, plan.current);
  const Fraction shown = fractionOf(plan.viewport, plan.picture);
  SoViewVolumeElement::set(state, camera, narrowed(SoViewVolumeElement::get(state), shown));
  if (isEnabled(state, SoProjectionMatrixElement::getClassStackIndex()))
    SoProjectionMatrixElement::set(state, camera,
                                   narrowedProjection(SoProjectionMatrixElement::get(state), shown));
  const PixelRect visible = intersection(plan.picture, plan.viewport);
  if (isEnabled(state, SoCullElement::getClassStackIndex()) && isUsable(visible)) {
    SbViewVolume culling =
        narrowed(SoViewVolumeElement::get(state), fractionOf(visible, plan.picture));
    culling.transform(SoModelMatrixElement::get(state));
    SoCullElement::setViewVolume(state, culling);
  }
  if (!action->isOfType(SoGLRenderAction::getClassTypeId())) {
    if (action->isOfType(SoRayPickAction::getClassTypeId()))
      static_cast<SoRayPickAction *>(action)->computeWorldSpaceRay();
    return;
  }
  if (plan.crops)
    CroppedFrame::draw(static_cast<SoGLRenderAction *>(action), camera, plan.mapping, plan.full,
                       plan.picture);
  if (!covers(visible, plan.viewport))
    DrawingArea::limitTo(state, plan.current.getWindowSize(), visible);
}

template <SoActionMethod coinMethod> void narrowedMethod(SoAction *action, SoNode *node) {
  Narrowing plan;
  const bool narrows = beginNarrowing(action->getState(), static_cast<SoCamera *>(node), plan);
  coinMethod(action, node);
  if (narrows) finishNarrowing(action, plan);
}

// GL rendering reaches a camera through its GLRender, which Coin's groups
// call directly; the render action asks its abort callback before every node
// it draws, so the callback prepares a camera before it runs and finishes it
// at the next node.
struct GLRenderNarrowing {
  SoGLRenderAction *action;
  bool pending = false;
  int depth = 0;
  Narrowing plan;
  bool writesOff = false;
  GLboolean colour[4];
  GLboolean depthWrites;

  // Coin's cameras draw the frame of a cropped viewport themselves, where it
  // does not belong in a tile: GL writes nothing while the camera runs.
  void stopWrites() {
    glGetBooleanv(GL_COLOR_WRITEMASK, colour);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    writesOff = true;
  }
  void restoreWrites() {
    if (!writesOff) return;
    glColorMask(colour[0], colour[1], colour[2], colour[3]);
    glDepthMask(depthWrites);
    writesOff = false;
  }

  void finishPending() {
    if (!pending) return;
    pending = false;
    restoreWrites();
    // A separator that held the camera has ended: so has what it set.
    if (action->getState()->getDepth() >= depth) finishNarrowing(action, plan);
  }

  static SoGLRenderAction::AbortCode beforeNode(void *data) {
    auto *self = static_cast<GLRenderNarrowing *>(data);
    self->finishPending();
    // The full path's tail: the inner nodes of kits (a camera kit's camera)
    // are hidden from the public path.
    SoNode *node = self->action->getCurPathTail();
    if (node && node->isOfType(SoCamera::getClassTypeId())) {
      SoState *state = self->action->getState();
      if (beginNarrowing(state, static_cast<SoCamera *>(node), self->plan)) {
        self->pending = true;
        self->depth = state->getDepth();
        if (CroppedFrame::drawsFrame(self->plan.mapping)) self->stopWrites();
      }
    }
    return SoGLRenderAction::CONTINUE;
  }
};

} // namespace

namespace CameraViewVolume {

void init() {
  static std::once_flag once;
  std::call_once(once, [] {
    // The other actions reach every camera, of any type, through its class's
    // method, which camera types inherit.
    const SoType camera = SoCamera::getClassTypeId();
    SoRayPickAction::addMethod(camera, narrowedMethod<SoNode::rayPickS>);
    SoCallbackAction::addMethod(camera, narrowedMethod<SoNode::callbackS>);
    SoHandleEventAction::addMethod(camera, narrowedMethod<SoNode::handleEventS>);
    SoGetMatrixAction::addMethod(camera, narrowedMethod<SoNode::getMatrixS>);
  });
}

struct GLRenderCameras::State : GLRenderNarrowing {};

GLRenderCameras::GLRenderCameras(SoGLRenderAction &action) : m_state(new State) {
  m_state->action = &action;
  action.setAbortCallback(&GLRenderNarrowing::beforeNode, m_state.get());
}

GLRenderCameras::~GLRenderCameras() {
  m_state->action->setAbortCallback(nullptr, nullptr);
}

void GLRenderCameras::renderDone() { m_state->finishPending(); }

} // namespace CameraViewVolume
