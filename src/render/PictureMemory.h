#ifndef BRENNICQT_PICTUREMEMORY_H
#define BRENNICQT_PICTUREMEMORY_H

#include <QImage>

// An RGB picture of width x height pixels, rows padded to four bytes as
// QImage pads them, or a null image when there is no memory for it. A large
// picture lives in memory the kernel may map in huge pages: the first write
// to every 4 KB page of a fresh picture is otherwise a page fault, and those
// cost more than drawing and reading the picture together.
QImage newRgbPicture(int width, int height);

#endif
