#include "TileMargin.h"

#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoDrawStyle.h>

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <vector>

namespace {

// Beyond this a line is a filled area rather than a line; GL drivers stop
// far below it.
constexpr float kWidest = 1024.0f;

} // namespace

namespace TileMargin {

int of(SoNode *scene, float lineWidthScale) {
  // The default width of lines and points, 1, scaled too.
  float widest = std::max(1.0f, lineWidthScale);
  // Every style anywhere below: in every choice of a switch and inside kits
  // (a scene view's border style), each shared node once, without a path.
  std::vector<SoNode *> stack{scene};
  std::unordered_set<SoNode *> seen;
  while (!stack.empty()) {
    SoNode *node = stack.back();
    stack.pop_back();
    if (!node || !seen.insert(node).second) continue;
    if (node->isOfType(SoDrawStyle::getClassTypeId())) {
      const auto *style = static_cast<const SoDrawStyle *>(node);
      widest = std::max(widest, style->lineWidth.getValue() * lineWidthScale);
      widest = std::max(widest, style->pointSize.getValue());
    }
    if (const SoChildList *children = node->getChildren())
      for (int i = 0; i < children->getLength(); ++i) stack.push_back((*children)[i]);
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
