#include "LinkCarry.h"

#include "PoBaseView.h"
#include "PoCameraLink.h"

#include <Inventor/nodes/SoCamera.h>

#include <cmath>

unsigned changedKinds(const CameraChange &change) {
  unsigned kinds = 0;
  if (change.before.orientation != change.after.orientation) kinds |= PoCameraLink::ORIENTATION;
  if (change.before.focalPoint() != change.after.focalPoint()) kinds |= PoCameraLink::POSITION;
  if (change.before.extent() != change.after.extent()) kinds |= PoCameraLink::ZOOM;
  return kinds;
}

float scalePixels(const PoBaseView &view, const SoCamera &camera, const SbVec2s &window) {
  const SbVec2f size = view.viewportSize.getValue();
  const float width = size[0] * window[0];
  const float height = size[1] * window[1];
  if (camera.viewportMapping.getValue() == SoCamera::ADJUST_CAMERA && width < height)
    return width;
  return height;
}

CameraState carried(const CameraChange &change, float sourcePixels, const CameraState &target,
                    float targetPixels, unsigned kinds) {
  CameraState result = target;
  if (kinds & PoCameraLink::ORIENTATION) {
    const SbVec3f focal = result.focalPoint();
    result.orientation = change.after.orientation;
    result.position = focal - result.focalDistance * result.direction();
  }
  if (kinds & PoCameraLink::POSITION) {
    const SbVec3f shift = change.after.focalPoint() - change.before.focalPoint();
    result.position += shift;
    // Moved along its axis, an orthographic camera would show another slab
    // of the world and could leave its scene behind its near plane; its
    // picture stays the same if the slab stays where it was.
    if (result.kind == CameraState::Kind::Orthographic) {
      const float along = shift.dot(result.direction());
      result.nearDistance -= along;
      result.farDistance -= along;
    }
  }
  if ((kinds & PoCameraLink::ZOOM) && sourcePixels > 0.0f && targetPixels > 0.0f &&
      std::isfinite(sourcePixels) && std::isfinite(targetPixels))
    result.setExtent(change.after.extent() / sourcePixels * targetPixels);
  return result;
}
