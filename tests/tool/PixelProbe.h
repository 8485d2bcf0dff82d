#ifndef POVIEW_TESTS_PIXELPROBE_H
#define POVIEW_TESTS_PIXELPROBE_H

#include <QColor>
#include <QImage>

#include <string>

// Reads a picture at window-normalised coordinates, the units of a view's
// viewport: (0, 0) is the lower-left corner, (1, 1) the upper-right.
QColor pixelAt(const QImage &image, double x, double y);

// Whether `colour` is within `tolerance` (0-255 units, per channel) of the
// colour given as fractions, as a view's material gives it.
bool near(const QColor &colour, double red, double green, double blue, int tolerance = 3);

std::string describe(const QColor &colour);

// Whether the border colour shows along all four edges of the viewport with
// lower-left corner (x, y) and size (width, height), in window fractions: at
// the middle of each edge, some pixel of the three just inside the edge must
// have the colour. Lines at the very edge of a viewport land on the first or
// the last pixels inside it depending on the rasteriser's rules.
bool borderAround(const QImage &image, double x, double y, double width, double height,
                  double red, double green, double blue, std::string *failure);

#endif
