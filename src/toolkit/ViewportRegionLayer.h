#ifndef BRENNICQT_VIEWPORTREGIONLAYER_H
#define BRENNICQT_VIEWPORTREGIONLAYER_H

#include <Inventor/SbVec2i32.h>
#include <Inventor/SbViewportRegion.h>

// Two viewport-region operations of the toolkit that Coin's SbViewportRegion
// lacks.

// The viewport size in pixels as 32-bit integers. Coin keeps pixel sizes in
// 16 bits, so this widens them.
SbVec2i32 getViewportSizePixels_i32(const SbViewportRegion &region);

// The toolkit's SbViewportRegion(width, height, scale): a region of that window
// size that also carries a viewport scale. Coin's region has no scale, so it
// travels beside the region; SoLogicalViewportElement stores both.
struct ScaledViewportRegion {
  ScaledViewportRegion(short width, short height, float scale)
      : region(width, height), scale(scale) {}

  SbViewportRegion region;
  float scale;
};

#endif
