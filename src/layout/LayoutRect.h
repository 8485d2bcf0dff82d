#ifndef BRENNICQT_LAYOUTRECT_H
#define BRENNICQT_LAYOUTRECT_H

#include <vector>

class PoBaseView;

// A view's rectangle as the layout reasons about it: its four edges, in
// window fractions, (0, 0) at the lower left.
struct LayoutRect {
  float left, bottom, right, top;

  float width() const { return right - left; }
  float height() const { return top - bottom; }
  bool contains(float x, float y) const {
    return left <= x && x <= right && bottom <= y && y <= top;
  }
  bool operator==(const LayoutRect &other) const {
    return left == other.left && bottom == other.bottom && right == other.right &&
           top == other.top;
  }
  bool operator!=(const LayoutRect &other) const { return !(*this == other); }
};

// Whether every edge is a number the layout can work with: finite and near
// enough to the window to lie on the edge grid.
bool isWithinReach(const LayoutRect &rect);

// The whole window.
constexpr LayoutRect kWindowRect{0.0f, 0.0f, 1.0f, 1.0f};

LayoutRect rectOf(const PoBaseView &view);
// Writes the rectangle into the view's fields, each field only if its value
// changes. An edge the view shares with a neighbour must come out of the
// view's origin plus its size exactly as the neighbour's: onEdgeGrid makes it.
void setRect(PoBaseView &view, const LayoutRect &rect);

// The layout puts every edge it computes on a grid of 1/65536 of the window.
// Such values and their differences are exact in float, so origin + size
// gives back the very edge a neighbour starts at, and rendering, which rounds
// each edge to the nearest pixel edge, then gives neighbours the same pixel
// edge at every window size: no gap and no pixel claimed twice. Positions far
// outside the window (or not finite) are left as they are.
float onEdgeGrid(double position);
LayoutRect onEdgeGrid(const LayoutRect &rect);

// Sides closer than this lie on one line: about a third of a pixel of the
// largest window, so that hand-written fractions (0.3333 and 0.3333) meet.
constexpr float kSameLine = 1.0e-5f;

// Puts every edge on the edge grid, edges on one line on the same grid
// value: neighbours whose edges a file gives as 0.1 and 0.1 + 0.4 = 0.5 share
// them exactly from then on. Edges on the grid stay where they are.
void snapToEdgeGrid(std::vector<LayoutRect> &rects);

// Where rect goes when `from` is moved and scaled onto `to`, on the edge grid.
// An axis on which `from` has no extent is moved, not scaled; rect stays as
// it is when either rectangle is not within reach.
LayoutRect mapRect(const LayoutRect &rect, const LayoutRect &from, const LayoutRect &to);

// The bounding rectangle of a set of rectangles.
LayoutRect boundsOf(const LayoutRect *rects, int count);

#endif
