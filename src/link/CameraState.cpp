#include "CameraState.h"

#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <cmath>

CameraState::Kind CameraState::kindOf(const SoCamera &camera) {
  if (camera.isOfType(SoOrthographicCamera::getClassTypeId())) return Kind::Orthographic;
  if (camera.isOfType(SoPerspectiveCamera::getClassTypeId())) return Kind::Perspective;
  return Kind::Other;
}

CameraState CameraState::of(const SoCamera &camera, Kind kind) {
  CameraState state;
  state.kind = kind;
  state.position = camera.position.getValue();
  state.orientation = camera.orientation.getValue();
  state.focalDistance = camera.focalDistance.getValue();
  state.nearDistance = camera.nearDistance.getValue();
  state.farDistance = camera.farDistance.getValue();
  if (kind == Kind::Orthographic)
    state.heightValue = static_cast<const SoOrthographicCamera &>(camera).height.getValue();
  else if (kind == Kind::Perspective)
    state.heightValue = static_cast<const SoPerspectiveCamera &>(camera).heightAngle.getValue();
  return state;
}

void CameraState::write(SoCamera &camera, const CameraState &from, const CameraState &to) {
  if (to.orientation != from.orientation) camera.orientation = to.orientation;
  if (to.position != from.position) camera.position = to.position;
  if (to.focalDistance != from.focalDistance) camera.focalDistance = to.focalDistance;
  if (to.nearDistance != from.nearDistance) camera.nearDistance = to.nearDistance;
  if (to.farDistance != from.farDistance) camera.farDistance = to.farDistance;
  if (to.heightValue == from.heightValue || to.kind != from.kind) return;
  if (to.kind == Kind::Orthographic)
    static_cast<SoOrthographicCamera &>(camera).height = to.heightValue;
  else if (to.kind == Kind::Perspective)
    static_cast<SoPerspectiveCamera &>(camera).heightAngle = to.heightValue;
}

SbVec3f CameraState::direction() const {
  SbVec3f direction;
  orientation.multVec(SbVec3f(0, 0, -1), direction);
  return direction;
}

SbVec3f CameraState::focalPoint() const { return position + focalDistance * direction(); }

float CameraState::extent() const {
  switch (kind) {
  case Kind::Orthographic:
    return heightValue;
  case Kind::Perspective:
    return 2.0f * focalDistance * std::tan(heightValue / 2.0f);
  default:
    return 0.0f;
  }
}

void CameraState::setExtent(float newExtent) {
  if (!(newExtent > 0.0f) || !std::isfinite(newExtent)) return;
  if (kind == Kind::Orthographic) {
    heightValue = newExtent;
  } else if (kind == Kind::Perspective) {
    const float halfTan = std::tan(heightValue / 2.0f);
    if (!(halfTan > 0.0f) || !std::isfinite(halfTan)) return;
    const SbVec3f focal = focalPoint();
    focalDistance = newExtent / (2.0f * halfTan);
    position = focal - focalDistance * direction();
  }
}
