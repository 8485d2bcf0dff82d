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

bool SceneViewPlacement::Overlay::isFinite() const {
  const SbMatrix whole = matrix();
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column)
      if (!std::isfinite(whole[row][column])) return false;
  return true;
}

SbMatrix SceneViewPlacement::Overlay::matrix() const {
  SbMatrix scaling, moving;
  scaling.setScale(scale);
  moving.setTranslate(translation);
  return camera * scaling * moving;
}

SceneViewPlacement::Overlay SceneViewPlacement::Overlay::nearer(float factor) const {
  return Overlay{camera, scale * factor, translation * factor};
}

namespace {

// The viewport's centre, from the window's centre, in the browser's
// normalised units (-1 to 1 across a square window).
SbVec2f centreOffset(const SbVec2f &origin, const SbVec2f &size) {
  return SbVec2f(2.0f * (origin[0] + 0.5f * size[0] - 0.5f), 2.0f * (origin[1] + 0.5f * size[1] - 0.5f));
}

} // namespace

SceneViewPlacement::Overlay SceneViewPlacement::perspectiveOverlay(
    const SbMatrix &viewing, float heightAngle, float focalDistance, const SbVec2f &origin,
    const SbVec2f &size, float browserFieldOfView) {
  // A camera as wide as the browser keeps the placement of old, to the bit.
  if (std::fabs(heightAngle - browserFieldOfView) < 1e-6f) browserFieldOfView = heightAngle;
  const float browserTangent = static_cast<float>(std::tan(browserFieldOfView / 2.0f));
  const float cameraTangent = static_cast<float>(std::tan(heightAngle / 2.0f));
  const float k = browserFieldOfView == heightAngle ? scale(size)
                                                   : scale(size) * (browserTangent / cameraTangent);
  const SbVec2f centre = centreOffset(origin, size);
  // Rows of a row-vector matrix: x' = x + a (z + f), y' = y + b (z + f).
  const float a = k != 0.0f ? -centre[0] * browserTangent / k : 0.0f;
  const float b = k != 0.0f ? -centre[1] * browserTangent / k : 0.0f;
  const SbMatrix shear(1, 0, 0, 0, 0, 1, 0, 0, a, b, 1, 0, a * focalDistance, b * focalDistance, 0, 1);
  return Overlay{viewing * shear, SbVec3f(k, k, 1.0f),
                 offset(origin, size, viewHeight(browserFieldOfView, focalDistance))};
}

SceneViewPlacement::Overlay SceneViewPlacement::orthographicOverlay(
    const SbMatrix &viewing, float height, float focalDistance, const SbVec2f &origin,
    const SbVec2f &size, float browserFieldOfView, float depthExtent) {
  const float d = focalDistance > 0.0f ? focalDistance : 1.0f;
  const float browserTangent = static_cast<float>(std::tan(browserFieldOfView / 2.0f));
  const float k = height != 0.0f ? 2.0f * scale(size) * d * browserTangent / height : 0.0f;
  const float thickness = kOrthographicSlab * d / (depthExtent > 0.0f ? depthExtent : 1.0f);
  const SbVec2f centre = centreOffset(origin, size);
  // The camera's focal plane becomes the plane at depth d; a shear keeps the
  // viewport's centre on its line of sight through the slab's depth.
  const float a = k != 0.0f ? centre[0] * browserTangent * thickness / k : 0.0f;
  const float b = k != 0.0f ? centre[1] * browserTangent * thickness / k : 0.0f;
  const SbMatrix toFocalPlane(1, 0, 0, 0, 0, 1, 0, 0, -a, -b, 1, 0, -a * focalDistance,
                              -b * focalDistance, focalDistance, 1);
  return Overlay{viewing * toFocalPlane, SbVec3f(k, k, thickness),
                 SbVec3f(centre[0] * d * browserTangent, centre[1] * d * browserTangent, -d)};
}
