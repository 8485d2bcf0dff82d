#include "LinkCarry.h"

#include "PoBaseView.h"
#include "PoCameraLink.h"

#include <Inventor/nodes/SoCamera.h>

#include <cmath>

unsigned changedKinds(const CameraChange &change) {
  const CameraState &before = change.before, &after = change.after;
  unsigned kinds = 0;
  const bool turned = before.orientation != after.orientation;
  if (turned) kinds |= PoCameraLink::ORIENTATION;
  // Most changes a link hears of are its own, carried: nothing moved.
  if ((turned || before.position != after.position ||
       before.focalDistance != after.focalDistance) &&
      before.focalPoint() != after.focalPoint())
    kinds |= PoCameraLink::POSITION;
  if ((before.heightValue != after.heightValue || before.focalDistance != after.focalDistance) &&
      before.extent() != after.extent())
    kinds |= PoCameraLink::ZOOM;
  return kinds;
}

CarriedChange carriedChange(const CameraChange &change, float sourcePixels) {
  const bool hasPixels = sourcePixels > 0.0f && std::isfinite(sourcePixels);
  return {change.after.orientation, change.after.focalPoint() - change.before.focalPoint(),
          hasPixels ? change.after.extent() / sourcePixels : 0.0f};
}

float scalePixels(const PoBaseView &view, const SoCamera &camera, const SbVec2s &window) {
  const SbVec2f size = view.viewportSize.getValue();
  const float width = size[0] * window[0];
  const float height = size[1] * window[1];
  if (camera.viewportMapping.getValue() == SoCamera::ADJUST_CAMERA && width < height)
    return width;
  return height;
}

CameraState carried(const CarriedChange &change, const CameraState &target, float targetPixels,
                    unsigned kinds) {
  CameraState result = target;
  if (kinds & PoCameraLink::ORIENTATION) {
    const SbVec3f focal = result.focalPoint();
    result.orientation = change.orientation;
    result.position = focal - result.focalDistance * result.direction();
  }
  if (kinds & PoCameraLink::POSITION) {
    result.position += change.shift;
    // Moved along its axis, an orthographic camera would show another slab
    // of the world and could leave its scene behind its near plane; its
    // picture stays the same if the slab stays where it was.
    if (result.kind == CameraState::Kind::Orthographic) {
      const float along = change.shift.dot(result.direction());
      result.nearDistance -= along;
      result.farDistance -= along;
    }
  }
  if ((kinds & PoCameraLink::ZOOM) && change.unitsPerPixel > 0.0f && targetPixels > 0.0f &&
      std::isfinite(targetPixels))
    result.setExtent(change.unitsPerPixel * targetPixels);
  return result;
}
