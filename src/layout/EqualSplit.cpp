#include "EqualSplit.h"

#include <algorithm>
#include <cmath>

namespace {

float &low(LayoutRect &rect, bool xAxis) { return xAxis ? rect.left : rect.bottom; }
float &high(LayoutRect &rect, bool xAxis) { return xAxis ? rect.right : rect.top; }
float low(const LayoutRect &rect, bool xAxis) { return xAxis ? rect.left : rect.bottom; }
float high(const LayoutRect &rect, bool xAxis) { return xAxis ? rect.right : rect.top; }

// The lines across `bounds` on one axis that no rectangle of `items`
// straddles, in order.
std::vector<float> cutsAcross(const std::vector<LayoutRect> &rects, const std::vector<int> &items,
                              const LayoutRect &bounds, bool xAxis) {
  std::vector<float> cuts;
  for (int i : items)
    for (float line : {low(rects[std::size_t(i)], xAxis), high(rects[std::size_t(i)], xAxis)}) {
      if (line <= low(bounds, xAxis) + kSameLine || line >= high(bounds, xAxis) - kSameLine)
        continue;
      bool straddled = false;
      for (int j : items)
        straddled = straddled || (low(rects[std::size_t(j)], xAxis) < line - kSameLine &&
                                  high(rects[std::size_t(j)], xAxis) > line + kSameLine);
      if (!straddled) cuts.push_back(line);
    }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end(),
                         [](float a, float b) { return std::fabs(a - b) <= kSameLine; }),
             cuts.end());
  return cuts;
}

void splitEqually(const std::vector<LayoutRect> &rects, const std::vector<int> &items,
                  const LayoutRect &from, const LayoutRect &to, std::vector<LayoutRect> &out) {
  for (bool xAxis : {true, false}) {
    const std::vector<float> cuts = cutsAcross(rects, items, from, xAxis);
    if (cuts.empty()) continue;
    std::vector<float> lines{low(from, xAxis)};
    lines.insert(lines.end(), cuts.begin(), cuts.end());
    lines.push_back(high(from, xAxis));
    const int parts = int(lines.size()) - 1;
    const double start = low(to, xAxis), extent = double(high(to, xAxis)) - start;
    for (int part = 0; part < parts; ++part) {
      LayoutRect partFrom = from, partTo = to;
      low(partFrom, xAxis) = lines[std::size_t(part)];
      high(partFrom, xAxis) = lines[std::size_t(part) + 1];
      if (part > 0) low(partTo, xAxis) = onEdgeGrid(start + extent * part / parts);
      if (part < parts - 1) high(partTo, xAxis) = onEdgeGrid(start + extent * (part + 1) / parts);
      std::vector<int> inPart;
      for (int i : items) {
        const LayoutRect &rect = rects[std::size_t(i)];
        const float middle = (low(rect, xAxis) + high(rect, xAxis)) / 2.0f;
        if (middle >= low(partFrom, xAxis) && middle <= high(partFrom, xAxis) &&
            std::find(inPart.begin(), inPart.end(), i) == inPart.end())
          inPart.push_back(i);
      }
      if (!inPart.empty()) splitEqually(rects, inPart, partFrom, partTo, out);
    }
    return;
  }
  for (int i : items) out[std::size_t(i)] = mapRect(rects[std::size_t(i)], from, to);
}

} // namespace

std::vector<LayoutRect> equalSplit(const std::vector<LayoutRect> &rects) {
  std::vector<LayoutRect> out(rects);
  if (rects.empty()) return out;
  std::vector<int> items(rects.size());
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = int(i);
  const LayoutRect bounds = boundsOf(rects.data(), int(rects.size()));
  splitEqually(rects, items, bounds, onEdgeGrid(bounds), out);
  return out;
}

LayoutRect gridCell(long long index, int columns, int rows) {
  const long long column = index % columns, row = index / columns;
  return {onEdgeGrid(double(column) / columns), onEdgeGrid(1.0 - double(row + 1) / rows),
          onEdgeGrid(double(column + 1) / columns), onEdgeGrid(1.0 - double(row) / rows)};
}
