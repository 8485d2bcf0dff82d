#ifndef BRENNICQT_CAMERAVIEWVOLUME_H
#define BRENNICQT_CAMERAVIEWVOLUME_H

// Gives the view-volume portion and the logical viewport their meaning for
// Coin's cameras. Coin's cameras fill the current viewport with their whole
// view volume; a render that covers only part of a larger picture (a tile, or
// a view cut by the covered area) needs the camera to compute its volume for
// the whole picture and draw only the part the viewport covers.
//
// Every camera, for every action that asks it for a view volume, then:
// - computes its volume for the full rectangle the portion implies, which is
//   the logical viewport placed in this render's pixels, so that its aspect
//   ratio (and a cropping viewport mapping) are those of the whole picture;
// - narrows the view volume, projection and culling volume to the current
//   viewport, with portions outside 0 to 1 extending the volume;
// - where its picture ends inside the viewport (a view smaller than the tile,
//   a cropped mapping), limits GL drawing to that rectangle with the update
//   area, as the viewport would in a render of the whole picture.
// With the default portion a camera does exactly what Coin does.
class SoCamera;
class SoGLRenderAction;

namespace CameraViewVolume {

// Installs the camera methods on Coin's actions. Needs SoDB::init() and the
// view elements registered; idempotent only through ToolkitLayer::init().
// In GL rendering, cameras of a class registered with Coin after this call
// keep Coin's own behaviour.
void init();

// A function GL rendering runs right after every camera has set its view
// volume, e.g. to fit a decoration's camera to the pixels it draws; null for
// none. In GL rendering, cameras of a class registered with Coin after init()
// are not followed.
using AfterGLRender = void (*)(SoGLRenderAction *action, SoCamera *camera);
void setAfterGLRender(AfterGLRender function);

} // namespace CameraViewVolume

#endif
