#ifndef BRENNICQT_SCENEVIEWPLACEMENT_H
#define BRENNICQT_SCENEVIEWPLACEMENT_H

#include <Inventor/SbMatrix.h>
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

// The field of view a VRML97 browser has when no Viewpoint says otherwise.
constexpr float kBrowserFieldOfView = 0.785398f;

// A viewer-fixed overlay: the view's scene goes through the camera matrix,
// is then scaled and then moved, into the space of a browser's eye (at the
// origin, looking down -z, with the browser's field of view on a square
// window). Placed so, each point of the scene lands where the view's camera
// shows it inside the view's viewport.
struct Overlay {
  SbMatrix camera;
  SbVec3f scale;
  SbVec3f translation;

  // The whole map, in Coin's row-vector order.
  SbMatrix matrix() const;
  // Whether every value of the map is a finite number.
  bool isFinite() const;
  // The same overlay moved towards the eye by factor: a uniform scale about
  // the eye changes no point's place on the screen, only its depth.
  Overlay nearer(float factor) const;
};

// A perspective camera's overlay. The screen position of a point is its
// x / -z; an affine map keeps it for every depth only with a shear, which
// is written about the focal plane: the translation is the offset of the
// viewport's centre at the focal distance, and the shear is 0 on the focal
// plane. For a camera whose height angle is the browser's field of view the
// translation and scale are offset() and scale() with viewHeight().
Overlay perspectiveOverlay(const SbMatrix &viewing, float heightAngle, float focalDistance,
                           const SbVec2f &origin, const SbVec2f &size, float browserFieldOfView);

// How thick, in parts of its distance, the slab an orthographic overlay
// flattens its scene into: thin enough that the depths in it move a point
// on the screen by a ten-thousandth of its distance from the view's centre,
// thick enough to keep the depth order.
constexpr float kOrthographicSlab = 1e-4f;

// An orthographic camera's overlay: the scene flattened onto the plane at
// the focal distance in front of the eye, its depths kept in order in a
// thin slab; depthExtent is the largest distance of the scene from the
// camera's focal plane.
Overlay orthographicOverlay(const SbMatrix &viewing, float height, float focalDistance,
                            const SbVec2f &origin, const SbVec2f &size, float browserFieldOfView,
                            float depthExtent);

} // namespace SceneViewPlacement

#endif
