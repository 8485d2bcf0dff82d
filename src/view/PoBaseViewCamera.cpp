// A view's camera, made on first use or of a chosen type.

#include "PoBaseView.h"

#include "DebugReport.h"

#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <cmath>

namespace {

SoCamera *asCamera(SoNode *node) {
  return node && node->isOfType(SoCamera::getClassTypeId()) ? static_cast<SoCamera *>(node)
                                                            : nullptr;
}

// The new camera looks from where the old one did, in the same direction, at
// the same focal point, and shows the same extent at the focal distance.
void takeOverView(SoCamera *to, const SoCamera *from) {
  to->viewportMapping = from->viewportMapping.getValue();
  to->position = from->position.getValue();
  to->orientation = from->orientation.getValue();
  to->aspectRatio = from->aspectRatio.getValue();
  to->nearDistance = from->nearDistance.getValue();
  to->farDistance = from->farDistance.getValue();
  to->focalDistance = from->focalDistance.getValue();
  to->setName(from->getName());

  const float focal = from->focalDistance.getValue();
  const bool fromPerspective = from->isOfType(SoPerspectiveCamera::getClassTypeId());
  const bool fromOrthographic = from->isOfType(SoOrthographicCamera::getClassTypeId());
  if (fromPerspective && to->isOfType(SoOrthographicCamera::getClassTypeId())) {
    const float angle = static_cast<const SoPerspectiveCamera *>(from)->heightAngle.getValue();
    static_cast<SoOrthographicCamera *>(to)->height = 2.0f * focal * std::tan(angle / 2.0f);
  } else if (fromOrthographic && to->isOfType(SoPerspectiveCamera::getClassTypeId()) &&
             focal > 0.0f) {
    const float height = static_cast<const SoOrthographicCamera *>(from)->height.getValue();
    static_cast<SoPerspectiveCamera *>(to)->heightAngle = 2.0f * std::atan(height / (2.0f * focal));
  }
}

} // namespace

SoCamera *PoBaseView::getCamera() { return asCamera(getPart("cameraKit.camera", TRUE)); }

SoCamera *PoBaseView::getCamera(SoType type) {
  SoCamera *current = asCamera(getPart("cameraKit.camera", FALSE));
  if (current && current->isOfType(type)) return current;
  if (type.isBad() || !type.isDerivedFrom(SoCamera::getClassTypeId()) ||
      !type.canCreateInstance()) {
    postReport("PoBaseView::getCamera", "the type asked for is no camera type Coin can create");
    return nullptr;
  }
  SoCamera *made = static_cast<SoCamera *>(type.createInstance());
  made->ref();
  if (current) takeOverView(made, current);
  if (!setPart("cameraKit.camera", made)) {
    made->unref();
    return nullptr;
  }
  made->unrefNoDelete(); // the kit holds it now
  return made;
}
