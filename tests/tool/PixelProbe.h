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

#endif
