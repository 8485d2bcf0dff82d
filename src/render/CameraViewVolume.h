#ifndef BRENNICQT_CAMERAVIEWVOLUME_H
#define BRENNICQT_CAMERAVIEWVOLUME_H

// Gives the view-volume portion and the logical viewport their meaning for
// Coin's cameras. Coin's cameras fill the current viewport with their whole
// view volume; a render that covers only part of a larger picture (a tile, or
// a view cut by the covered area) needs the camera to compute its volume for
// the whole picture and draw only the part the viewport covers.
//
// A camera that does, for every action that asks it for a view volume:
// - computes its volume for the full rectangle the portion implies, which is
//   the logical viewport placed in this render's pixels, so that its aspect
//   ratio (and a cropping viewport mapping) are those of the whole picture;
// - narrows the view volume, projection and culling volume to the current
//   viewport, with portions outside 0 to 1 extending the volume;
// - where its picture ends inside the viewport (a view smaller than the tile,
//   a cropped mapping), limits GL drawing to that rectangle with the update
//   area, as the viewport would in a render of the whole picture.
// With the default portion a camera does exactly what Coin does.
#include <memory>

class SoGLRenderAction;

namespace CameraViewVolume {

// Installs the camera methods on Coin's ray pick, callback, event and matrix
// actions, once; with the default portion they are Coin's own. Needs
// SoDB::init() and the view elements registered (ToolkitLayer::init()).
void init();

// Narrows the cameras a GL render action meets while it lives, through the
// action's abort callback (which Coin asks before every node it draws), so
// that no camera class changes for any other render in the process. The
// action must have no abort callback of its own meanwhile.
class GLRenderCameras {
public:
  explicit GLRenderCameras(SoGLRenderAction &action);
  ~GLRenderCameras();
  GLRenderCameras(const GLRenderCameras &) = delete;
  GLRenderCameras &operator=(const GLRenderCameras &) = delete;

  // Finishes a camera that was the last node the render met; call after
  // each apply.
  void renderDone();

private:
  struct State;
  std::unique_ptr<State> m_state;
};

} // namespace CameraViewVolume

#endif
