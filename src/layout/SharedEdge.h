#ifndef BRENNICQT_SHAREDEDGE_H
#define BRENNICQT_SHAREDEDGE_H

#include "LayoutRect.h"
#include "PoViewLayout.h"

#include <vector>

// An edge between views: a line of constant x (vertical) or y, the views
// whose right (top) side lies on it and those whose left (bottom) side does,
// joined along the line: each overlaps or touches the extent of the others.
// Sides on the same line that a view in between keeps apart are other edges.
struct SharedEdge {
  bool vertical = true;
  float position = 0.0f;
  std::vector<int> before; // left of (below) the line
  std::vector<int> after;  // right of (above) the line

  bool isShared() const { return !before.empty() && !after.empty(); }
};

// The edge along the given side of rects[index].
SharedEdge edgeAlong(const std::vector<LayoutRect> &rects, int index, PoViewLayout::Side side);

// The shared edge whose line passes within reach of the point, beside the
// side of a view it belongs to; the nearest when several do. False when none.
bool findSharedEdge(const std::vector<LayoutRect> &rects, float x, float y, float reachX,
                    float reachY, int &index, PoViewLayout::Side &side);

// `position` limited so that every view on the edge keeps the minimum size
// along the axis the edge moves on, or the size it has when that is less.
float limitEdge(const std::vector<LayoutRect> &rects, const SharedEdge &edge, float position,
                const SbVec2f &minimum);

// The rectangles with the edge at `position` (which should lie on the edge
// grid).
void moveEdgeTo(std::vector<LayoutRect> &rects, const SharedEdge &edge, float position);

#endif
