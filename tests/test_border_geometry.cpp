// Where scene views' borders land on the picture: a border of width w covers
// exactly the w pixels inside each edge of its view, at every window size,
// and neighbouring views both show their borders.
#include "BorderLayouts.h"
#include "PoOffscreenRenderer.h"

#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

// Pixels of `actual` that are not those of `expected` (more than one level
// off), with the first one named in `where`.
long wrongPixels(const QImage &expected, const QImage &actual, std::string *where) {
  long wrong = 0;
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb e = expected.pixel(x, y), a = actual.pixel(x, y);
      const int off = std::max({std::abs(qRed(e) - qRed(a)), std::abs(qGreen(e) - qGreen(a)),
                                std::abs(qBlue(e) - qBlue(a))});
      if (off <= 1) continue;
      if (wrong++ == 0) {
        std::ostringstream text;
        text << "first at " << x << "," << expected.height() - 1 - y << " from the lower left: "
             << std::hex << (a & 0xFFFFFF) << " instead of " << (e & 0xFFFFFF);
        *where = text.str();
      }
    }
  return wrong;
}

} // namespace

// Layouts x window sizes x border widths (and widths scaled for posters),
// on rendered pixels.
TEST(BorderGeometry, BordersLieInsideTheirViewsWPixelsOnEverySide) {
  struct Width {
    float width, scale;
    int drawn;
  };
  const Width widths[] = {{1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 1, 4}, {5, 1, 5},
                          {2, 2.5f, 5}, {3, 1.5f, 5}, {0, 3, 3}};
  const int sizes[][2] = {{400, 400}, {1001, 777}, {333, 251}};
  for (const BorderLayout &layout : borderLayouts()) {
    SCOPED_TRACE(layout.name);
    for (const Width &w : widths) {
      SCOPED_TRACE(testing::Message() << "width " << w.width << " scaled " << w.scale);
      SoSeparator *root = buildLayout(layout, w.width);
      root->ref();
      for (const auto &size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        PoOffscreenRenderer renderer(size[0], size[1]);
        renderer.setLineWidthScale(w.scale);
        const QImage picture = renderer.render(root);
        ASSERT_FALSE(picture.isNull()) << renderer.getLastError();
        std::string where;
        EXPECT_EQ(wrongPixels(expectedPicture(layout, size[0], size[1], w.drawn), picture, &where),
                  0)
            << where;
      }
      root->unref();
    }
  }
}
