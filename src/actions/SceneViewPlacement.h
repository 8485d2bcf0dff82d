#ifndef BRENNICQT_SCENEVIEWPLACEMENT_H
#define BRENNICQT_SCENEVIEWPLACEMENT_H

#include <Inventor/SbVec2f.h>
#include <Inventor/SbVec3f.h>

class SoOrthographicCamera;
class SoPerspectiveCamera;

// The arithmetic that places a scene view's scene in a VRML97 world: where
// the view's viewport sits in the window, turned into an offset and a scale
// in front of the view's camera. Everything is single precision, as the
// views themselves compute.
namespace SceneViewPlacement {

// The height of the camera's view at its focal distance:
// tan(heightAngle / 2) * 2 * focalDistance.
float viewHeight(float heightAngle, float focalDistance);

// The offset of the viewport's centre from the window's centre (0.5, 0.5),
// in window fractions, times the view height; z is 0.
SbVec3f offset(const SbVec2f &origin, const SbVec2f &size, float viewHeight);

// The viewport's smaller side (the height on equal sides).
float scale(const SbVec2f &size);

// The height angle of a perspective camera that sees what an orthographic
// camera of this height sees at its focal distance: 2 * atan(height / 2 / f).
float orthographicHeightAngle(float height, float focalDistance);

// A new, unreferenced perspective camera standing in for an orthographic one:
// the height angle above, and the orthographic camera's viewport mapping,
// position, orientation, aspect ratio and focal distance.
SoPerspectiveCamera *perspectiveFor(const SoOrthographicCamera &orthographic);

} // namespace SceneViewPlacement

#endif
