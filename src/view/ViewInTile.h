#ifndef BRENNICQT_VIEWINTILE_H
#define BRENNICQT_VIEWINTILE_H

#include <Inventor/SbVec2f.h>

class SoState;

// A view in the render of one tile of a larger picture tells the tile
// (KeptTileElement) where it lies in exact pixels and whether its drawing
// can reach the pixels the tile keeps; the shapes drawn with a view that
// cannot are left out of that tile, nested views deciding for themselves.
// Outside a tile's render nothing happens.
namespace ViewInTile {

// Standard mode, the view's rectangle in window fractions. Whatever a view
// draws is cut to its rectangle, placed on whole pixels of the picture (the
// border lies inside it too), so the rectangle alone decides: a view that
// only touches a tile's edge or its margin is left out.
void placeStandard(SoState *state, const SbVec2f &origin, const SbVec2f &size);

// Logical-viewport mode: the view's rectangle in pixels of the render's
// viewport, as the view places itself there. Nothing cuts wide lines at the
// edges of its viewport, so it reaches as far beyond as the tile's margin.
void placeLogical(SoState *state, const float origin[2], const float size[2]);

} // namespace ViewInTile

#endif
