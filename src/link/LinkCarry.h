#ifndef BRENNICQT_LINKCARRY_H
#define BRENNICQT_LINKCARRY_H

#include "CameraState.h"

#include <Inventor/SbVec2s.h>

class PoBaseView;
class SoCamera;

// One camera's change, as a link carries it: from the state the link knew
// to the state the camera has now.
struct CameraChange {
  CameraState before;
  CameraState after;
};

// The kinds of PoCameraLink::Link in which the camera changed: its
// orientation, its focal point, the extent it shows.
unsigned changedKinds(const CameraChange &change);

// What the targets of one change take from it, worked out once.
struct CarriedChange {
  SbRotation orientation;
  SbVec3f shift;        // of the focal point
  float unitsPerPixel;  // at the focal distance; 0 when it has none
};
CarriedChange carriedChange(const CameraChange &change, float sourcePixels);

// The pixels of a window of the given size that the camera's height spans in
// the view: the view's height, or its width in a view taller than wide under
// Coin's default viewport mapping (which then fits the camera's height to
// the width). Proportions are all that matter, so any window of the right
// shape will do.
float scalePixels(const PoBaseView &view, const SoCamera &camera, const SbVec2s &window);

// The target's state once it has taken the given kinds of the change: the
// source's orientation, turned about the target's own focal point; the
// source's shift of its focal point; the source's world units per pixel.
// Pixels are scalePixels of each view; a zoom between views without pixels
// is not carried.
CameraState carried(const CarriedChange &change, const CameraState &target, float targetPixels,
                    unsigned kinds);

#endif
