#include "CameraViewVolume.h"

#include "CroppedFrame.h"
#include "DrawingArea.h"
#include "SoDBImpl.h"
#include "SoLogicalViewportElement.h"
#include "SoModifyViewVolumeElement.h"
#include "ViewVolumeGeometry.h"
#include "VirtualTablePatch.h"

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
#include <Inventor/lists/SoTypeList.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/system/gl.h>

namespace {

bool isEnabled(SoState *state, int stackIndex) { return state->isElementEnabled(stackIndex); }

// Keeps GL from drawing while it lives: Coin's cameras draw the frame of a
// cropped viewport themselves, where it does not belong in a tile.
class GLWritesOff {
public:
  GLWritesOff() {
    glGetBooleanv(GL_COLOR_WRITEMASK, m_colour);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &m_depth);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
  }
  ~GLWritesOff() {
    glColorMask(m_colour[0], m_colour[1], m_colour[2], m_colour[3]);
    glDepthMask(m_depth);
  }
  GLWritesOff(const GLWritesOff &) = delete;
  GLWritesOff &operator=(const GLWritesOff &) = delete;

private:
  GLboolean m_colour[4];
  GLboolean m_depth;
};

// Runs Coin's own camera method, given as `coinMethod()`, so that the camera
// honours the view-volume portion in force.
template <class CoinMethod>
void applyNarrowed(SoAction *action, SoNode *node, CoinMethod coinMethod) {
  SoState *state = action->getState();
  if (!isEnabled(state, SoModifyViewVolumeElement::getClassStackIndex()) ||
      !isEnabled(state, SoViewportRegionElement::getClassStackIndex())) {
    coinMethod();
    return;
  }
  auto *camera = static_cast<SoCamera *>(node);
  const int mapping = camera->viewportMapping.getValue();
  const bool crops = mapping == SoCamera::CROP_VIEWPORT_FILL_FRAME ||
                     mapping == SoCamera::CROP_VIEWPORT_LINE_FRAME ||
                     mapping == SoCamera::CROP_VIEWPORT_NO_FRAME;
  // Coin crops in fractions of the region's window, which the views' logical
  // viewports do not have: a cropping camera under one is placed here too.
  const SbVec4f &portion = SoModifyViewVolumeElement::get(state);
  if (portion == SoModifyViewVolumeElement::getDefault() &&
      !(crops && SoLogicalViewportElement::isSet(state))) {
    coinMethod();
    return;
  }
  const SbViewportRegion current = SoViewportRegionElement::get(state);
  const PixelRect viewport = pixelsOf(current);
  // The full rectangle lies on the whole pixels the view's viewport has in
  // the render of the whole picture, which Coin crops from.
  const PixelRect exactFull = fullRectangle(exactPixelsOf(current), portion);
  const PixelRect full = wholePixelsOf(exactFull, SoDBImpl::m_isZemba != 0);
  if (!isUsable(viewport) || !isUsable(full)) {
    coinMethod();
    return;
  }
  const PixelRect picture = crops ? croppedRectangle(full, camera->aspectRatio.getValue()) : full;
  if (!isUsable(picture)) {
    coinMethod();
    return;
  }

  // Coin computes the volume for the viewport it finds: give it the picture,
  // so that the aspect ratio is the whole picture's, not the tile's.
  const bool isGLRender = action->isOfType(SoGLRenderAction::getClassTypeId());
  const SbVec2s &window = current.getWindowSize();
  SoViewportRegionElement::set(state, regionOf(window, picture));
  if (isGLRender && CroppedFrame::drawsFrame(mapping)) {
    const GLWritesOff writesOff;
    coinMethod();
  } else {
    coinMethod();
  }
  SoViewportRegionElement::set(state, current);

  const Fraction shown = fractionOf(viewport, picture);
  SoViewVolumeElement::set(state, camera, narrowed(SoViewVolumeElement::get(state), shown));
  if (isEnabled(state, SoProjectionMatrixElement::getClassStackIndex()))
    SoProjectionMatrixElement::set(state, camera,
                                   narrowedProjection(SoProjectionMatrixElement::get(state), shown));
  const PixelRect visible = intersection(picture, viewport);
  if (isEnabled(state, SoCullElement::getClassStackIndex()) && isUsable(visible)) {
    SbViewVolume culling = narrowed(SoViewVolumeElement::get(state), fractionOf(visible, picture));
    culling.transform(SoModelMatrixElement::get(state));
    SoCullElement::setViewVolume(state, culling);
  }
  if (!isGLRender) {
    if (action->isOfType(SoRayPickAction::getClassTypeId()))
      static_cast<SoRayPickAction *>(action)->computeWorldSpaceRay();
    return;
  }
  if (crops)
    CroppedFrame::draw(static_cast<SoGLRenderAction *>(action), camera, mapping, full, picture);
  if (!covers(visible, viewport)) DrawingArea::limitTo(state, window, visible);
}

template <SoActionMethod coinMethod> void narrowedMethod(SoAction *action, SoNode *camera) {
  applyNarrowed(action, camera, [=] { coinMethod(action, camera); });
}

// GL rendering reaches cameras only through their virtual GLRender; the
// entries that the camera classes had there before, by virtual table.
using GLRenderEntry = void (*)(SoNode *, SoGLRenderAction *);
struct ReplacedGLRender {
  void **table;
  GLRenderEntry coin;
};
constexpr int kMaxCameraClasses = 32;
ReplacedGLRender g_replacedGLRender[kMaxCameraClasses];
int g_replacedCount = 0;
CameraViewVolume::AfterGLRender g_afterGLRender = nullptr;

void narrowedGLRender(SoNode *camera, SoGLRenderAction *action) {
  void **table = VirtualTablePatch::tableOf(camera);
  for (int i = 0; i < g_replacedCount; ++i)
    if (g_replacedGLRender[i].table == table) {
      const GLRenderEntry coin = g_replacedGLRender[i].coin;
      applyNarrowed(action, camera, [=] { coin(camera, action); });
      if (g_afterGLRender) g_afterGLRender(action, static_cast<SoCamera *>(camera));
      return;
    }
  static_cast<SoCamera *>(camera)->SoCamera::GLRender(action);
}

void replaceGLRender(SoType cameraType) {
  if (!cameraType.canCreateInstance() || g_replacedCount == kMaxCameraClasses) return;
  auto *sample = static_cast<SoNode *>(cameraType.createInstance());
  if (!sample) return;
  sample->ref();
  void **table = VirtualTablePatch::tableOf(sample);
  sample->unref();
  for (int i = 0; i < g_replacedCount; ++i)
    if (g_replacedGLRender[i].table == table) return;
  const std::ptrdiff_t slot = VirtualTablePatch::slotOf(&SoNode::GLRender);
  if (slot < 0) return;
  void *coin = VirtualTablePatch::replace(table, slot, reinterpret_cast<void *>(&narrowedGLRender));
  if (coin) g_replacedGLRender[g_replacedCount++] = {table, reinterpret_cast<GLRenderEntry>(coin)};
}

} // namespace

namespace CameraViewVolume {

void init() {
  // The other actions reach every camera, of any type, through its class's
  // method, which camera types inherit.
  const SoType camera = SoCamera::getClassTypeId();
  SoRayPickAction::addMethod(camera, narrowedMethod<SoNode::rayPickS>);
  SoCallbackAction::addMethod(camera, narrowedMethod<SoNode::callbackS>);
  SoHandleEventAction::addMethod(camera, narrowedMethod<SoNode::handleEventS>);
  SoGetMatrixAction::addMethod(camera, narrowedMethod<SoNode::getMatrixS>);
  SoTypeList cameras;
  SoType::getAllDerivedFrom(camera, cameras);
  for (int i = 0; i < cameras.getLength(); ++i) replaceGLRender(cameras[i]);
}

void setAfterGLRender(AfterGLRender function) { g_afterGLRender = function; }

} // namespace CameraViewVolume
