// Fitting a scene view's camera to its scene.

#include "PoSceneView.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SbBox3f.h>
#include <Inventor/SbViewVolume.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <algorithm>

namespace {

// The fraction of the view that the box spans along its limiting axis.
constexpr float kFill = 0.9f;

// Coin's fitting step, which the camera classes keep protected; for cameras
// of other kinds than perspective and orthographic.
struct CameraFitting : SoCamera {
  static void viewBox(SoCamera *camera, const SbBox3f &box, float aspect) {
    (camera->*(&CameraFitting::viewBoundingBox))(box, aspect, 1.0f);
  }
};

SoCallbackAction::Response noteVolume(void *data, SoCallbackAction *action, const SoNode *) {
  *static_cast<SbViewVolume *>(data) = action->getViewVolume();
  return SoCallbackAction::CONTINUE;
}

// Half the width and height of what the camera shows, as Coin computes it for
// the viewport with the camera's viewport mapping (a tall viewport widens an
// adjusting camera's volume; a cropping one shows the camera's own aspect):
// for a perspective camera the tangents of the half angles, for an
// orthographic one the extents per unit of its height.
bool frameOf(const SoCamera *camera, const SbViewportRegion &region, float &halfWidth,
             float &halfHeight) {
  SoCamera *probe = static_cast<SoCamera *>(camera->getTypeId().createInstance());
  if (!probe) return false;
  probe->ref();
  probe->copyFieldValues(camera);
  probe->position.setValue(0, 0, 0);
  probe->orientation.setValue(SbRotation::identity());
  probe->nearDistance = 1.0f;
  probe->farDistance = 2.0f;
  if (probe->isOfType(SoOrthographicCamera::getClassTypeId()))
    static_cast<SoOrthographicCamera *>(probe)->height = 1.0f;
  SbViewVolume volume;
  SoCallbackAction action(region);
  action.addPostCallback(probe->getTypeId(), noteVolume, &volume);
  action.apply(probe);
  probe->unref();
  halfWidth = volume.getWidth() / 2.0f;
  halfHeight = volume.getHeight() / 2.0f;
  return halfWidth > 0.0f && halfHeight > 0.0f;
}

// The box's corners seen along the camera's axes, from the box's centre:
// x to the right, y up, z away from the camera.
struct Corner {
  float x, y, z;
};

void cornersOf(const SbBox3f &box, const SbRotation &orientation, Corner corners[8]) {
  const SbVec3f centre = box.getCenter();
  const SbRotation toCamera = orientation.inverse();
  for (int i = 0; i < 8; ++i) {
    const SbVec3f corner((i & 1 ? box.getMax() : box.getMin())[0],
                         (i & 2 ? box.getMax() : box.getMin())[1],
                         (i & 4 ? box.getMax() : box.getMin())[2]);
    SbVec3f seen;
    toCamera.multVec(corner - centre, seen);
    corners[i] = Corner{seen[0], seen[1], -seen[2]};
  }
}

// Where on the camera's axis the camera stands, sideways from the box's
// centre (right, up) and back from it (back), and how large its orthographic
// height is.
struct Placement {
  float right, up, back, height;
};

// The corners lie inside the frame's planes scaled by kFill when, for each
// corner, |x - right| <= k (back + z) with k the scaled half-angle tangent,
// and likewise for y. The smallest distance back that keeps the corners in
// on one axis, and the sideways shift that gives it, follow from the corners
// that press hardest on either side; the camera stands at the larger of the
// two axes' distances, so the limiting axis spans exactly kFill of the view.
Placement perspectivePlacement(const Corner corners[8], float tanHalfWidth, float tanHalfHeight) {
  const float kx = kFill * tanHalfWidth, ky = kFill * tanHalfHeight;
  float left = -1e30f, right = -1e30f, down = -1e30f, up = -1e30f;
  for (int i = 0; i < 8; ++i) {
    const Corner &c = corners[i];
    right = std::max(right, c.x / kx - c.z);
    left = std::max(left, -c.x / kx - c.z);
    up = std::max(up, c.y / ky - c.z);
    down = std::max(down, -c.y / ky - c.z);
  }
  const float back = std::max((right + left) / 2.0f, (up + down) / 2.0f);
  return Placement{kx * (right - left) / 2.0f, ky * (up - down) / 2.0f, back, 0.0f};
}

Placement orthographicPlacement(const Corner corners[8], float halfWidthPerHeight,
                                float halfHeightPerHeight, float radius) {
  float minX = 1e30f, maxX = -1e30f, minY = 1e30f, maxY = -1e30f;
  for (int i = 0; i < 8; ++i) {
    minX = std::min(minX, corners[i].x);
    maxX = std::max(maxX, corners[i].x);
    minY = std::min(minY, corners[i].y);
    maxY = std::max(maxY, corners[i].y);
  }
  const float height = std::max((maxX - minX) / 2.0f / (kFill * halfWidthPerHeight),
                                (maxY - minY) / 2.0f / (kFill * halfHeightPerHeight));
  return Placement{(maxX + minX) / 2.0f, (maxY + minY) / 2.0f, 2.0f * radius, height};
}

// Fits a perspective or orthographic camera; false for other kinds.
bool fitCamera(SoCamera *camera, const SbBox3f &box, const SbViewportRegion &region) {
  const bool perspective = camera->isOfType(SoPerspectiveCamera::getClassTypeId());
  const bool orthographic = camera->isOfType(SoOrthographicCamera::getClassTypeId());
  float halfWidth = 0.0f, halfHeight = 0.0f;
  if ((!perspective && !orthographic) || !frameOf(camera, region, halfWidth, halfHeight))
    return false;

  const SbRotation orientation = camera->orientation.getValue();
  Corner corners[8];
  cornersOf(box, orientation, corners);
  const float radius = (box.getMax() - box.getMin()).length() / 2.0f;
  const Placement place = perspective
                              ? perspectivePlacement(corners, halfWidth, halfHeight)
                              : orthographicPlacement(corners, halfWidth, halfHeight, radius);
  SbVec3f offset;
  orientation.multVec(SbVec3f(place.right, place.up, place.back), offset);
  camera->position.setValue(box.getCenter() + offset);
  camera->focalDistance = place.back;
  // Near and far enclose the box's bounding sphere; a perspective camera's
  // near plane stays in front of the eye.
  float nearest = 1e30f;
  for (const Corner &c : corners) nearest = std::min(nearest, place.back + c.z);
  float nearDistance = place.back - radius;
  if (nearDistance <= 0.0f && perspective)
    nearDistance = std::max(nearest / 2.0f, (place.back + radius) / 1000.0f);
  camera->nearDistance = nearDistance;
  camera->farDistance = place.back + radius;
  if (orthographic) static_cast<SoOrthographicCamera *>(camera)->height = place.height;
  return true;
}

// The aspect ratio Coin's own fitting step needs for the view volume the
// camera will render with (see fitCamera for the cameras it fits itself).
float fittingAspect(const SoCamera *camera, float viewportAspect) {
  switch (camera->viewportMapping.getValue()) {
  case SoCamera::ADJUST_CAMERA:
    return viewportAspect < 1.0f ? 1.0f : viewportAspect;
  case SoCamera::LEAVE_ALONE:
    return camera->aspectRatio.getValue();
  default:
    return 1.0f;
  }
}

} // namespace

void PoSceneView::viewAll(const SbVec2s &windowSize) {
  SoNode *shown = scene.getValue();
  if (!shown || windowSize[0] <= 0 || windowSize[1] <= 0) return;
  SbViewportRegion region(windowSize);
  region.setViewport(viewportOrigin.getValue(), viewportSize.getValue());
  const SbVec2s pixels = region.getViewportSizePixels();
  if (pixels[0] <= 0 || pixels[1] <= 0) return;
  SoGetBoundingBoxAction bound(region);
  bound.apply(shown);
  SbBox3f box = bound.getBoundingBox();
  if (box.isEmpty()) return;
  // A box without size (a single point) is fitted as a unit cube around it.
  if (box.getMax() == box.getMin()) {
    const SbVec3f half(0.5f, 0.5f, 0.5f);
    box.setBounds(box.getMin() - half, box.getMax() + half);
  }
  SoCamera *camera = getCamera();
  if (!camera || fitCamera(camera, box, region)) return;
  CameraFitting::viewBox(camera, box, fittingAspect(camera, region.getViewportAspectRatio()));
}

void PoSceneView::viewAll(SoQtRenderArea *renderArea) {
  SoSceneManager *manager = renderArea ? renderArea->getSceneManager() : nullptr;
  if (manager) viewAll(manager->getWindowSize());
}
