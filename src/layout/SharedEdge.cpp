#include "SharedEdge.h"

#include <algorithm>
#include <cmath>

namespace {

bool near(float a, float b) { return std::fabs(a - b) <= kSameLine; }

struct Span {
  float low, high;
};

Span alongLine(const LayoutRect &rect, bool vertical) {
  return vertical ? Span{rect.bottom, rect.top} : Span{rect.left, rect.right};
}

float sidePosition(const LayoutRect &rect, PoViewLayout::Side side) {
  switch (side) {
  case PoViewLayout::LEFT: return rect.left;
  case PoViewLayout::RIGHT: return rect.right;
  case PoViewLayout::BOTTOM: return rect.bottom;
  default: return rect.top;
  }
}

bool hasArea(const LayoutRect &rect) { return rect.width() > 0.0f && rect.height() > 0.0f; }

} // namespace

SharedEdge edgeAlong(const std::vector<LayoutRect> &rects, int index, PoViewLayout::Side side) {
  SharedEdge edge;
  const LayoutRect &seed = rects[std::size_t(index)];
  if (!hasArea(seed)) return edge;
  edge.vertical = side == PoViewLayout::LEFT || side == PoViewLayout::RIGHT;
  edge.position = sidePosition(seed, side);
  const int count = int(rects.size());
  std::vector<bool> taken(rects.size(), false);
  Span extent = alongLine(seed, edge.vertical);
  // Grown until no view joins: a view may touch the extent only once others
  // have widened it.
  for (bool grown = true; grown;) {
    grown = false;
    for (int i = 0; i < count; ++i) {
      const LayoutRect &rect = rects[std::size_t(i)];
      if (taken[std::size_t(i)] || !hasArea(rect)) continue;
      const bool before = near(edge.vertical ? rect.right : rect.top, edge.position);
      const bool after = near(edge.vertical ? rect.left : rect.bottom, edge.position);
      if (!before && !after) continue;
      const Span span = alongLine(rect, edge.vertical);
      const bool joined = i == index || (span.low <= extent.high + kSameLine &&
                                         span.high >= extent.low - kSameLine);
      if (!joined) continue;
      taken[std::size_t(i)] = true;
      (before ? edge.before : edge.after).push_back(i);
      extent = {std::min(extent.low, span.low), std::max(extent.high, span.high)};
      grown = true;
    }
  }
  return edge;
}

bool findSharedEdge(const std::vector<LayoutRect> &rects, float x, float y, float reachX,
                    float reachY, int &index, PoViewLayout::Side &side) {
  const PoViewLayout::Side sides[] = {PoViewLayout::LEFT, PoViewLayout::RIGHT,
                                      PoViewLayout::BOTTOM, PoViewLayout::TOP};
  float best = 2.0f; // in reaches: a point within reach is nearer than 1
  for (int i = 0; i < int(rects.size()); ++i) {
    const LayoutRect &rect = rects[std::size_t(i)];
    for (PoViewLayout::Side candidate : sides) {
      const bool vertical = candidate == PoViewLayout::LEFT || candidate == PoViewLayout::RIGHT;
      const float reach = vertical ? reachX : reachY;
      const float distance =
          std::fabs((vertical ? x : y) - sidePosition(rect, candidate)) / reach;
      const Span span = alongLine(rect, vertical);
      const float along = vertical ? y : x;
      if (!(distance <= 1.0f) || distance >= best || along < span.low || along > span.high)
        continue;
      if (!edgeAlong(rects, i, candidate).isShared()) continue;
      best = distance;
      index = i;
      side = candidate;
    }
  }
  return best <= 1.0f;
}

float limitEdge(const std::vector<LayoutRect> &rects, const SharedEdge &edge, float position,
                const SbVec2f &minimum) {
  const float least = minimum[edge.vertical ? 0 : 1];
  float low = -HUGE_VALF, high = HUGE_VALF;
  for (int i : edge.before) {
    const LayoutRect &rect = rects[std::size_t(i)];
    low = std::max(low, (edge.vertical ? rect.left : rect.bottom) + least);
  }
  for (int i : edge.after) {
    const LayoutRect &rect = rects[std::size_t(i)];
    high = std::min(high, (edge.vertical ? rect.right : rect.top) - least);
  }
  // Where the views leave no room for the minimum, the edge stays put
  // rather than squeeze one of them further.
  low = std::min(low, edge.position);
  high = std::max(high, edge.position);
  if (!(position == position)) return edge.position;
  return std::min(std::max(position, low), high);
}

void moveEdgeTo(std::vector<LayoutRect> &rects, const SharedEdge &edge, float position) {
  for (int i : edge.before) {
    LayoutRect &rect = rects[std::size_t(i)];
    (edge.vertical ? rect.right : rect.top) = position;
  }
  for (int i : edge.after) {
    LayoutRect &rect = rects[std::size_t(i)];
    (edge.vertical ? rect.left : rect.bottom) = position;
  }
}
