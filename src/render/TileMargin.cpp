#include "TileMargin.h"

#include <Inventor/SoFullPath.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoDrawStyle.h>

#include <algorithm>
#include <cmath>

namespace {

// Beyond this a line is a filled area rather than a line; GL drivers stop
// far below it.
constexpr float kWidest = 1024.0f;

} // namespace

namespace TileMargin {

int of(SoNode *scene, float lineWidthScale) {
  const SbBool searchedChildren = SoBaseKit::isSearchingChildren();
  SoBaseKit::setSearchingChildren(TRUE);
  SoSearchAction search;
  search.setType(SoDrawStyle::getClassTypeId());
  search.setInterest(SoSearchAction::ALL);
  search.setSearchingAll(TRUE);
  search.apply(scene);
  SoBaseKit::setSearchingChildren(searchedChildren);

  // The default width of lines and points, 1, scaled too.
  float widest = std::max(1.0f, lineWidthScale);
  const SoPathList &styles = search.getPaths();
  for (int i = 0; i < styles.getLength(); ++i) {
    // A style inside a kit ends the path as a hidden child.
    const auto *path = static_cast<const SoFullPath *>(styles[i]);
    const auto *style = static_cast<const SoDrawStyle *>(path->getTail());
    widest = std::max(widest, style->lineWidth.getValue() * lineWidthScale);
    widest = std::max(widest, style->pointSize.getValue());
  }
  if (!(widest <= kWidest)) widest = kWidest;
  return int(std::ceil(widest / 2.0f)) + 1;
}

PixelTile around(const PixelTile &tile, int margin, const PixelTile &picture) {
  const int x0 = std::max(picture.x, tile.x - margin);
  const int y0 = std::max(picture.y, tile.y - margin);
  const int x1 = std::min(picture.x + picture.width, tile.x + tile.width + margin);
  const int y1 = std::min(picture.y + picture.height, tile.y + tile.height + margin);
  return {x0, y0, x1 - x0, y1 - y0};
}

} // namespace TileMargin
