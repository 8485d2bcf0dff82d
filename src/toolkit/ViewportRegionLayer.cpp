#include "ViewportRegionLayer.h"

SbVec2i32 getViewportSizePixels_i32(const SbViewportRegion &region) {
  const SbVec2s &size = region.getViewportSizePixels();
  return SbVec2i32(size[0], size[1]);
}
