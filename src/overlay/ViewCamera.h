#ifndef BRENNICQT_VIEWCAMERA_H
#define BRENNICQT_VIEWCAMERA_H

#include <Inventor/SbRotation.h>

class SoCamera;
class SoNode;
class SoState;

// The view a traversal is in (CurrentViewElement), when it is a view kit.
SoNode *currentView(SoState *state);

// A view's camera, "cameraKit.camera", or null; none is made.
SoCamera *cameraOfView(SoNode *view);

// How the view's camera is turned in the frame of the view's scene: its
// orientation, after the camera kit's own transform when it has one.
SbRotation viewCameraOrientation(SoNode *view);

#endif
