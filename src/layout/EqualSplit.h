#ifndef BRENNICQT_EQUALSPLIT_H
#define BRENNICQT_EQUALSPLIT_H

#include "LayoutRect.h"

#include <vector>

// The rectangles with neighbours of equal size. Their bounds are split by the
// lines that cross them whole (no rectangle straddles the line), vertical
// lines first; the parts get equal shares of the bounds, and each part is
// split again the same way. Rectangles that no such line separates (views
// over one another) are scaled with the part they are in. The result lies on
// the edge grid.
std::vector<LayoutRect> equalSplit(const std::vector<LayoutRect> &rects);

// Cell `index` of a grid of columns by rows over the window, counted from the
// upper left, row by row, on the edge grid.
LayoutRect gridCell(long long index, int columns, int rows);

#endif
