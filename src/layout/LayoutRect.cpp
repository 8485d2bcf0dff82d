#include "LayoutRect.h"

#include "PoBaseView.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kGrid = 65536.0;
// Beyond this, grid values would no longer be exact in float.
constexpr double kGridReach = 128.0;

double mapAxis(double value, double fromLow, double fromHigh, double toLow, double toHigh) {
  const double extent = fromHigh - fromLow;
  if (extent == 0.0 || !std::isfinite(extent)) return toLow + (value - fromLow);
  return toLow + (value - fromLow) * (toHigh - toLow) / extent;
}

} // namespace

bool isWithinReach(const LayoutRect &rect) {
  for (float edge : {rect.left, rect.bottom, rect.right, rect.top})
    if (!(std::fabs(edge) <= kGridReach)) return false;
  return true;
}

LayoutRect rectOf(const PoBaseView &view) {
  const SbVec2f origin = view.viewportOrigin.getValue();
  const SbVec2f end = origin + view.viewportSize.getValue();
  return {origin[0], origin[1], end[0], end[1]};
}

void setRect(PoBaseView &view, const LayoutRect &rect) {
  const SbVec2f origin(rect.left, rect.bottom);
  const SbVec2f size(rect.right - rect.left, rect.top - rect.bottom);
  if (view.viewportOrigin.getValue() != origin) view.viewportOrigin.setValue(origin);
  if (view.viewportSize.getValue() != size) view.viewportSize.setValue(size);
}

float onEdgeGrid(double position) {
  if (!(std::fabs(position) <= kGridReach)) return float(position);
  return float(std::round(position * kGrid) / kGrid);
}

LayoutRect onEdgeGrid(const LayoutRect &rect) {
  return {onEdgeGrid(rect.left), onEdgeGrid(rect.bottom), onEdgeGrid(rect.right),
          onEdgeGrid(rect.top)};
}

namespace {

// The edges of one axis, snapped line by line: sorted, each run of edges
// that follow one another within kSameLine takes the grid value of the
// first, or of one already on the grid.
void snapAxis(std::vector<float *> edges) {
  std::sort(edges.begin(), edges.end(), [](const float *a, const float *b) { return *a < *b; });
  for (std::size_t first = 0; first < edges.size();) {
    std::size_t end = first + 1;
    while (end < edges.size() && *edges[end] - *edges[end - 1] <= kSameLine) ++end;
    float value = onEdgeGrid(*edges[first]);
    for (std::size_t i = first; i < end; ++i)
      if (onEdgeGrid(*edges[i]) == *edges[i]) value = *edges[i];
    for (std::size_t i = first; i < end; ++i) *edges[i] = value;
    first = end;
  }
}

} // namespace

void snapToEdgeGrid(std::vector<LayoutRect> &rects) {
  std::vector<float *> xs, ys;
  auto add = [](std::vector<float *> &edges, float &edge) {
    if (std::fabs(edge) <= kGridReach) edges.push_back(&edge);
  };
  for (LayoutRect &rect : rects) {
    add(xs, rect.left);
    add(xs, rect.right);
    add(ys, rect.bottom);
    add(ys, rect.top);
  }
  snapAxis(xs);
  snapAxis(ys);
}

LayoutRect mapRect(const LayoutRect &rect, const LayoutRect &from, const LayoutRect &to) {
  // A rectangle that is no number to go by leaves rect where it is.
  if (from == to || !isWithinReach(from) || !isWithinReach(to)) return rect;
  return {onEdgeGrid(mapAxis(rect.left, from.left, from.right, to.left, to.right)),
          onEdgeGrid(mapAxis(rect.bottom, from.bottom, from.top, to.bottom, to.top)),
          onEdgeGrid(mapAxis(rect.right, from.left, from.right, to.left, to.right)),
          onEdgeGrid(mapAxis(rect.top, from.bottom, from.top, to.bottom, to.top))};
}

LayoutRect boundsOf(const LayoutRect *rects, int count) {
  if (count <= 0) return kWindowRect;
  LayoutRect bounds = rects[0];
  for (int i = 1; i < count; ++i) {
    bounds.left = std::min(bounds.left, rects[i].left);
    bounds.bottom = std::min(bounds.bottom, rects[i].bottom);
    bounds.right = std::max(bounds.right, rects[i].right);
    bounds.top = std::max(bounds.top, rects[i].top);
  }
  return bounds;
}
