#include "SceneViewPlacement.h"

#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <cmath>

float SceneViewPlacement::viewHeight(float heightAngle, float focalDistance) {
  const float half = heightAngle / 2.0f;
  const float tangent = static_cast<float>(std::tan(half));
  return static_cast<float>(static_cast<double>(tangent) * 2.0 * focalDistance);
}

SbVec3f SceneViewPlacement::offset(const SbVec2f &origin, const SbVec2f &size, float viewHeight) {
  const SbVec2f upper = size + origin;
  const float x = static_cast<float>(((upper[0] - origin[0]) * 0.5 + origin[0] - 0.5) * viewHeight);
  const float y = static_cast<float>(((upper[1] - origin[1]) * 0.5 + origin[1] - 0.5) * viewHeight);
  return SbVec3f(x, y, 0.0f);
}

float SceneViewPlacement::scale(const SbVec2f &size) {
  return size[1] > size[0] ? size[0] : size[1];
}

float SceneViewPlacement::orthographicHeightAngle(float height, float focalDistance) {
  // An infinite quotient (focal distance 0) gives atan = pi / 2, angle pi.
  const float quotient = (height / 2.0f) / focalDistance;
  const float angle = static_cast<float>(std::atan(quotient));
  return 2.0f * angle;
}

SoPerspectiveCamera *SceneViewPlacement::perspectiveFor(const SoOrthographicCamera &orthographic) {
  SoPerspectiveCamera *perspective = new SoPerspectiveCamera;
  perspective->heightAngle =
      orthographicHeightAngle(orthographic.height.getValue(), orthographic.focalDistance.getValue());
  perspective->viewportMapping = orthographic.viewportMapping.getValue();
  perspective->position = orthographic.position.getValue();
  perspective->orientation = orthographic.orientation.getValue();
  perspective->aspectRatio = orthographic.aspectRatio.getValue();
  perspective->focalDistance = orthographic.focalDistance.getValue();
  return perspective;
}
