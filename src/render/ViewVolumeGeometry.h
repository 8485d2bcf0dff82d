#ifndef BRENNICQT_VIEWVOLUMEGEOMETRY_H
#define BRENNICQT_VIEWVOLUMEGEOMETRY_H

#include <Inventor/SbMatrix.h>
#include <Inventor/SbVec4f.h>
#include <Inventor/SbViewVolume.h>
#include <Inventor/SbViewportRegion.h>

// The pixel geometry of a camera that draws part of a larger picture. All
// rectangles are in pixels of the current viewport region's window, kept in
// doubles: the full picture of a small portion lies far outside the window.
struct PixelRect {
  double x, y, width, height;
};

// Where a part lies within a whole, as (x min, y min, x max, y max) fractions.
struct Fraction {
  double value[4];
  double operator[](int i) const { return value[i]; }
};

// The viewport in the whole pixels GL is given.
PixelRect pixelsOf(const SbViewportRegion &region);
// The viewport as the region's fractions of its window give it, which may lie
// between pixels.
PixelRect exactPixelsOf(const SbViewportRegion &region);
SbViewportRegion regionOf(const SbVec2s &window, const PixelRect &rect);
bool isUsable(const PixelRect &rect);

// The rectangle of which `viewport` shows `portion`: the whole picture the
// camera composes, in the same pixels, exactly.
PixelRect fullRectangle(const PixelRect &viewport, const SbVec4f &portion);
// A rectangle in the whole pixels the render of the whole picture gives it:
// each edge to the nearest pixel edge, as the views place themselves, or the
// truncation of origin and size of the views' logical-viewport mode.
PixelRect wholePixelsOf(const PixelRect &rect, bool truncated);

// The part of `full` (whole pixels) a camera keeps with a cropping viewport
// mapping: the largest rectangle of its aspect ratio, centred, in whole
// pixels.
PixelRect croppedRectangle(const PixelRect &full, float aspectRatio);

Fraction fractionOf(const PixelRect &part, const PixelRect &whole);
SbViewVolume narrowed(const SbViewVolume &volume, const Fraction &fraction);
// The projection that shows `fraction` of what `projection` shows.
SbMatrix narrowedProjection(const SbMatrix &projection, const Fraction &fraction);

// The pixels both rectangles hold; a width or height of 0 when they do not
// overlap.
PixelRect intersection(const PixelRect &a, const PixelRect &b);
bool covers(const PixelRect &part, const PixelRect &viewport);

// The pixels that x and y from -1 to 1 span under `projection` (a camera that
// spans a view's rectangle with them, as the views' decorations have), in
// the pixels of `viewport`: the view's rectangle, or the part of a larger
// picture a narrowed projection shows. Edges of views lie on whole pixels.
PixelRect spannedPixels(const SbMatrix &projection, const PixelRect &viewport);

#endif
