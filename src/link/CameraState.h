#ifndef BRENNICQT_CAMERASTATE_H
#define BRENNICQT_CAMERASTATE_H

#include <Inventor/SbRotation.h>
#include <Inventor/SbVec3f.h>

class SoCamera;

// What a camera link reads of a camera and writes back: where it stands,
// where it looks, and how much of the world it shows at its focal distance.
struct CameraState {
  enum class Kind { Other, Perspective, Orthographic };

  Kind kind = Kind::Other;
  SbVec3f position{0, 0, 0};
  SbRotation orientation;
  float focalDistance = 0;
  float nearDistance = 0;
  float farDistance = 0;
  // An orthographic camera's height, a perspective camera's height angle.
  float heightValue = 0;

  static Kind kindOf(const SoCamera &camera);
  // The camera's state; `kind` must be kindOf(camera), which a camera node
  // keeps for life.
  static CameraState of(const SoCamera &camera, Kind kind);
  // Sets the fields in which `to` differs from `from`, and only those, so
  // that a camera is told once of each change and never of none.
  static void write(SoCamera &camera, const CameraState &from, const CameraState &to);

  SbVec3f direction() const;
  SbVec3f focalPoint() const;
  // The height of the world the camera shows at its focal distance: an
  // orthographic camera's height, 2 f tan(angle / 2) for a perspective one;
  // 0 for other cameras.
  float extent() const;
  // Shows `extent` at the focal point, which stays: an orthographic camera
  // changes its height, a perspective one moves along its axis (as a viewer
  // zooms it), keeping its angle. Leaves other cameras and extents that are
  // not positive and finite alone.
  void setExtent(float extent);
};

#endif
