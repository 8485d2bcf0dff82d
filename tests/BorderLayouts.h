#ifndef BRENNICQT_TESTS_BORDERLAYOUTS_H
#define BRENNICQT_TESTS_BORDERLAYOUTS_H

#include <Inventor/SbColor.h>

#include <QImage>

#include <vector>

class SoSeparator;

// Scene views with borders and nothing else: each view's border in a colour
// of its own over a black window, so a picture shows exactly where each
// border lies.
struct FramedView {
  float x, y, width, height; // viewport, in fractions of the window
  SbColor colour;
  bool nested; // inside the previous view's scene
};

// A layout's views, drawn in this order.
struct BorderLayout {
  const char *name;
  std::vector<FramedView> views;
};

// One scene view of a 400 x 400 window at pixels 100 to 299; four views
// tiling the window; a full-window view holding an inset; a strip only a
// few pixels wide.
const std::vector<BorderLayout> &borderLayouts();

// The layout as a scene, each border `width` wide.
SoSeparator *buildLayout(const BorderLayout &layout, float width);

// The picture the layout must give in a window of `windowWidth` x
// `windowHeight`, each border `drawnWidth` whole pixels wide: a view covers
// the pixels between the pixel edges nearest to its edges, and its border the
// `drawnWidth` pixels inside each of them; later views' borders lie over
// earlier ones.
QImage expectedPicture(const BorderLayout &layout, int windowWidth, int windowHeight,
                       int drawnWidth);

// A 2 x 2 layout of a CAD program: three orthographic views (top, front,
// side) and a perspective one of a part, each with a background and a
// border of its own width.
SoSeparator *cadLayout();

#endif
