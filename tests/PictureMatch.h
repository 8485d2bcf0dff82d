#ifndef BRENNICQT_TESTS_PICTUREMATCH_H
#define BRENNICQT_TESTS_PICTUREMATCH_H

#include <QImage>

#include <string>

// Whether a picture put together from tiles is the picture rendered whole, up
// to what rasterising in parts may change along the silhouettes of shapes:
// every pixel within 2 levels (of 255) on every channel, except a few pixels
// (at most 1 in 2000) on an edge of the whole picture, where a neighbouring
// pixel differs from it as much as the tiles do (or by more than 32 levels);
// and nothing displaced: no
// more than 2 such pixels in a row along a line or a column, as a line or an
// edge moved by a pixel would give. On failure `why` says where.
bool matchesWhole(const QImage &whole, const QImage &tiled, std::string *why);

#endif
