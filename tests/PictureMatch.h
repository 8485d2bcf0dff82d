#ifndef BRENNICQT_TESTS_PICTUREMATCH_H
#define BRENNICQT_TESTS_PICTUREMATCH_H

#include <QImage>

#include <string>

// Whether a picture put together from tiles is the picture rendered whole, up
// to what rasterising in parts may change: at least 99.5 % of the pixels
// within 2 levels (of 255) on every channel, and no pixel more than 32 levels
// off unless it lies on an edge of the whole picture, where a neighbouring
// pixel differs from it by more than 32 levels (silhouettes, lines along view
// borders). On failure `why` says where.
bool matchesWhole(const QImage &whole, const QImage &tiled, std::string *why);

#endif
