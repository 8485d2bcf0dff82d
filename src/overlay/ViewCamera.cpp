#include "ViewCamera.h"

#include "PoBaseView.h"
#include "CurrentViewElement.h"

#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoTransform.h>

namespace {

SoNode *partOf(SoNode *view, const char *name) {
  if (!view || !view->isOfType(PoBaseView::getClassTypeId())) return nullptr;
  return static_cast<PoBaseView *>(view)->getPart(name, FALSE);
}

} // namespace

SoNode *currentView(SoState *state) {
  SoNode *view = CurrentViewElement::get(state);
  return view && view->isOfType(PoBaseView::getClassTypeId()) ? view : nullptr;
}

SoCamera *cameraOfView(SoNode *view) {
  SoNode *camera = partOf(view, "cameraKit.camera");
  return camera && camera->isOfType(SoCamera::getClassTypeId()) ? static_cast<SoCamera *>(camera)
                                                                : nullptr;
}

SbRotation viewCameraOrientation(SoNode *view) {
  const SoCamera *camera = cameraOfView(view);
  SbRotation orientation = camera ? camera->orientation.getValue() : SbRotation::identity();
  SoNode *transform = partOf(view, "cameraKit.transform");
  if (camera && transform && transform->isOfType(SoTransform::getClassTypeId()))
    orientation = orientation * static_cast<SoTransform *>(transform)->rotation.getValue();
  return orientation;
}
