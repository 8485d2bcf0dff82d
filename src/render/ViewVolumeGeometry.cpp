#include "ViewVolumeGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Whole pixels as the render of the whole picture gives them to the views:
// each edge of a view goes to the nearest pixel edge, halves up; in
// logical-viewport mode the views truncate origin and size. The values come
// from portions in single precision, a little off the whole or half pixel
// they stand for, so the rounding leans a thousandth of a pixel up: an edge
// then lands on the same pixel here as in the whole picture, and in every
// tile.
double wholePixels(double value, bool truncated) {
  return std::floor(value + (truncated ? 0.001 : 0.501));
}

} // namespace

PixelRect pixelsOf(const SbViewportRegion &region) {
  const SbVec2s &origin = region.getViewportOriginPixels();
  const SbVec2s &size = region.getViewportSizePixels();
  return {double(origin[0]), double(origin[1]), double(size[0]), double(size[1])};
}

PixelRect exactPixelsOf(const SbViewportRegion &region) {
  const SbVec2s &window = region.getWindowSize();
  const SbVec2f &origin = region.getViewportOrigin();
  const SbVec2f &size = region.getViewportSize();
  return {double(origin[0]) * window[0], double(origin[1]) * window[1],
          double(size[0]) * window[0], double(size[1]) * window[1]};
}

SbViewportRegion regionOf(const SbVec2s &window, const PixelRect &rect) {
  SbViewportRegion region(window);
  region.setViewport(SbVec2f(float(rect.x / window[0]), float(rect.y / window[1])),
                     SbVec2f(float(rect.width / window[0]), float(rect.height / window[1])));
  return region;
}

bool isUsable(const PixelRect &rect) {
  return std::isfinite(rect.x) && std::isfinite(rect.y) && std::isfinite(rect.width) &&
         std::isfinite(rect.height) && rect.width > 0.0 && rect.height > 0.0;
}

PixelRect fullRectangle(const PixelRect &viewport, const SbVec4f &portion) {
  const double width = viewport.width / (double(portion[2]) - portion[0]);
  const double height = viewport.height / (double(portion[3]) - portion[1]);
  return {viewport.x - portion[0] * width, viewport.y - portion[1] * height, width, height};
}

PixelRect wholePixelsOf(const PixelRect &rect, bool truncated) {
  if (truncated)
    return {wholePixels(rect.x, true), wholePixels(rect.y, true), wholePixels(rect.width, true),
            wholePixels(rect.height, true)};
  const double x = wholePixels(rect.x, false), y = wholePixels(rect.y, false);
  return {x, y, wholePixels(rect.x + rect.width, false) - x,
          wholePixels(rect.y + rect.height, false) - y};
}

PixelRect croppedRectangle(const PixelRect &full, float aspectRatio) {
  // As Coin crops the view's viewport, which lies on whole pixels: it scales
  // and centres the viewport's fractions, then takes origin and size each to
  // the nearest pixel.
  const double fullRatio = full.width / full.height;
  PixelRect cropped = full;
  if (fullRatio > aspectRatio) {
    cropped.width = full.width * (aspectRatio / fullRatio);
    cropped.x = full.x + (full.width - cropped.width) / 2.0;
  } else if (fullRatio < aspectRatio) {
    cropped.height = full.height * (fullRatio / aspectRatio);
    cropped.y = full.y + (full.height - cropped.height) / 2.0;
  }
  return {wholePixels(cropped.x, false), wholePixels(cropped.y, false),
          wholePixels(cropped.width, false), wholePixels(cropped.height, false)};
}

Fraction fractionOf(const PixelRect &part, const PixelRect &whole) {
  return {{(part.x - whole.x) / whole.width, (part.y - whole.y) / whole.height,
           (part.x + part.width - whole.x) / whole.width,
           (part.y + part.height - whole.y) / whole.height}};
}

SbViewVolume narrowed(const SbViewVolume &volume, const Fraction &fraction) {
  return volume.narrow(float(fraction[0]), float(fraction[1]), float(fraction[2]),
                       float(fraction[3]));
}

// A scale and shift of clip coordinates (Coin multiplies row vectors from the
// left), worked out in double precision so that a tile edge maps exactly to
// the clip boundary whenever the numbers allow.
SbMatrix narrowedProjection(const SbMatrix &projection, const Fraction &fraction) {
  SbMatrix shift = SbMatrix::identity();
  for (int axis = 0; axis < 2; ++axis) {
    const double extent = fraction[axis + 2] - fraction[axis];
    const double centre = fraction[axis + 2] + fraction[axis] - 1.0;
    shift[axis][axis] = float(1.0 / extent);
    shift[3][axis] = float(-centre / extent);
  }
  SbMatrix result = projection;
  result.multRight(shift);
  return result;
}

PixelRect intersection(const PixelRect &a, const PixelRect &b) {
  const double x0 = std::max(a.x, b.x);
  const double y0 = std::max(a.y, b.y);
  const double x1 = std::min(a.x + a.width, b.x + b.width);
  const double y1 = std::min(a.y + a.height, b.y + b.height);
  return {x0, y0, std::max(0.0, x1 - x0), std::max(0.0, y1 - y0)};
}

bool covers(const PixelRect &part, const PixelRect &viewport) {
  return part.x <= viewport.x && part.y <= viewport.y &&
         part.x + part.width >= viewport.x + viewport.width &&
         part.y + part.height >= viewport.y + viewport.height;
}

PixelRect spannedPixels(const SbMatrix &projection, const PixelRect &viewport) {
  double edge[2][2];
  for (int axis = 0; axis < 2; ++axis) {
    const double start = axis ? viewport.y : viewport.x;
    const double length = axis ? viewport.height : viewport.width;
    for (int side = 0; side < 2; ++side) {
      const double at = side ? 1.0 : -1.0;
      const double ndc = (at * projection[axis][axis] + projection[3][axis]) / projection[3][3];
      edge[axis][side] = std::floor(start + (ndc + 1.0) / 2.0 * length + 0.5);
    }
  }
  return {edge[0][0], edge[1][0], edge[0][1] - edge[0][0], edge[1][1] - edge[1][0]};
}
