#ifndef BRENNICQT_CROPPEDFRAME_H
#define BRENNICQT_CROPPEDFRAME_H

#include "ViewVolumeGeometry.h"

class SoGLRenderAction;
class SoNode;

// The frame a Coin camera draws where its viewport mapping crops the viewport
// (grey bars for CROP_VIEWPORT_FILL_FRAME, grey lines for
// CROP_VIEWPORT_LINE_FRAME), drawn as Coin draws it but at a place given in
// pixels, which may lie partly outside the framebuffer. Coin can only place
// it inside a viewport of its own, which a tile of a larger picture is not.
namespace CroppedFrame {

bool drawsFrame(int viewportMapping);
void draw(SoGLRenderAction *action, SoNode *camera, int viewportMapping, const PixelRect &full,
          const PixelRect &cropped);

} // namespace CroppedFrame

#endif
