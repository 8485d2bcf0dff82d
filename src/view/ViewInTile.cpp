#include "ViewInTile.h"

#include "KeptTileElement.h"

#include <Inventor/elements/SoDrawStyleElement.h>

#include <cmath>

namespace {

// Pixels [first, end) of one axis.
struct Span {
  double first, end;
};

bool misses(const Span &view, int kept, int keptLength) {
  return view.end <= kept || view.first >= double(kept) + keptLength;
}

// The pixels a view from `low` to `high` (picture pixels, exact) may get
// when its edges go to the nearest pixel edge, as the view and its camera
// place them: every pixel an error below half a pixel could give it, and no
// more, so that a view ending on a tile's edge stays out of the next tile.
Span placedSpan(double low, double high) {
  return {std::floor(low + 0.011), std::floor(high + 0.991)};
}

// Coin's shapes skip themselves under the invisible draw style, before they
// make any geometry; groups and properties still run, so a view nested
// further in meets the tile with the state it would have. A draw style node
// in between takes effect as in the whole picture (its shapes are then drawn
// where nothing of them is kept), and a nested view that meets the tile
// brings back the style that was in force when the invisible one was set.
void markOutside(SoState *state, bool outside) {
  if (KeptTileElement::isViewOutside(state) == outside) return;
  if (outside) {
    KeptTileElement::setViewOutside(state, true, int(SoDrawStyleElement::get(state)));
    SoDrawStyleElement::set(state, SoDrawStyleElement::INVISIBLE);
    return;
  }
  if (SoDrawStyleElement::get(state) == SoDrawStyleElement::INVISIBLE)
    SoDrawStyleElement::set(
        state, SoDrawStyleElement::Style(KeptTileElement::getDrawStyleBefore(state)));
  KeptTileElement::setViewOutside(state, false, 0);
}

bool isRectangle(float origin, float size) {
  return std::isfinite(origin) && std::isfinite(size) && size > 0.0f;
}

} // namespace

namespace ViewInTile {

void placeStandard(SoState *state, const SbVec2f &origin, const SbVec2f &size) {
  const KeptTileElement::Tile *tile = KeptTileElement::getTile(state);
  if (!tile) return;
  const int picture[2] = {tile->pictureWidth, tile->pictureHeight};
  const int drawn[2] = {tile->drawnX, tile->drawnY};
  const int kept[2] = {tile->keptX, tile->keptY};
  const int keptLength[2] = {tile->keptWidth, tile->keptHeight};
  double low[2], length[2];
  bool outside = false, judged = true;
  for (int axis = 0; axis < 2; ++axis) {
    low[axis] = double(origin[axis]) * picture[axis];
    length[axis] = double(size[axis]) * picture[axis];
    // A view without a finite, positive size is no rectangle to judge.
    judged = judged && isRectangle(origin[axis], size[axis]);
    outside = outside ||
              misses(placedSpan(low[axis], low[axis] + length[axis]), kept[axis], keptLength[axis]);
  }
  markOutside(state, judged && outside);
  if (judged)
    KeptTileElement::setFrame(
        state, {low[0] - drawn[0], low[1] - drawn[1], length[0], length[1]});
}

void placeLogical(SoState *state, const float origin[2], const float size[2]) {
  const KeptTileElement::Tile *tile = KeptTileElement::getTile(state);
  if (!tile) return;
  const int kept[2] = {tile->keptX - tile->drawnX, tile->keptY - tile->drawnY};
  const int keptLength[2] = {tile->keptWidth, tile->keptHeight};
  bool outside = false, judged = true;
  for (int axis = 0; axis < 2; ++axis) {
    judged = judged && isRectangle(origin[axis], size[axis]);
    const Span reach{std::floor(double(origin[axis])) - tile->spill - 1.0,
                     std::ceil(double(origin[axis]) + size[axis]) + tile->spill + 1.0};
    outside = outside || misses(reach, kept[axis], keptLength[axis]);
  }
  markOutside(state, judged && outside);
}

} // namespace ViewInTile
