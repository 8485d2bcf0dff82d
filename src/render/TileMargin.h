#ifndef BRENNICQT_TILEMARGIN_H
#define BRENNICQT_TILEMARGIN_H

#include "TileLayout.h"

class SoNode;

// GL clips a wide line or point by its centre: one whose centre lies just
// beyond a tile's edge would be lost in that tile, though the render of the
// whole picture shows its part inside. Each tile is therefore drawn with a
// margin of picture around it, as wide as half the widest line or point of
// the scene, and only the tile is kept.
namespace TileMargin {

// Pixels of margin the scene's widest line (`lineWidthScale` times its
// width) or point needs, searching its draw styles, kits included.
int of(SoNode *scene, float lineWidthScale);

// `tile` grown by `margin` on each side, kept within `picture`.
PixelTile around(const PixelTile &tile, int margin, const PixelTile &picture);

} // namespace TileMargin

#endif
