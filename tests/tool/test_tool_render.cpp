// poview render: the pictures of the examples, checked view by view.
#include "PictureMatch.h"
#include "PixelProbe.h"
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

class ToolRender : public ::testing::Test {
protected:
  // Renders and loads the picture; fails the test if either step fails.
  QImage render(const char *example, QStringList options = {},
                const QStringList &environment = {}) {
    const QString output = scratch.path("picture.png");
    const ToolResult result =
        runTool(QStringList{"render", examplePath(example), "-o", output} + options, environment);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    EXPECT_EQ(scratch.entries(), QStringList{"picture.png"});
    QImage image(output, "PNG");
    EXPECT_FALSE(image.isNull());
    return image;
  }
  ScratchDirectory scratch;
};

#define EXPECT_COLOUR(image, x, y, r, g, b)                                                     \
  do {                                                                                          \
    const QColor found = pixelAt(image, x, y);                                                  \
    EXPECT_TRUE(near(found, r, g, b)) << "at (" << (x) << ", " << (y) << "): " << describe(found); \
  } while (0)

struct Quadrant {
  const char *name;
  double left, bottom; // viewport origin
  double red, green, blue; // background colour in the example
};

const Quadrant kQuadrants[] = {{"TopLeft", 0.0, 0.5, 0.1, 0.1, 0.4},
                               {"TopRight", 0.5, 0.5, 0.1, 0.35, 0.1},
                               {"BottomLeft", 0.0, 0.0, 0.4, 0.1, 0.1},
                               {"BottomRight", 0.5, 0.0, 0.3, 0.3, 0.3}};

TEST_F(ToolRender, FourQuadrantsShowEachViewsBackgroundSceneAndBorder) {
  const QImage image = render("four_quadrants.iv", {"--size", "400x300"});
  ASSERT_EQ(image.size(), QSize(400, 300));
  for (const Quadrant &quadrant : kQuadrants) {
    SCOPED_TRACE(quadrant.name);
    // Background in the corners of the quadrant, a little inside the border,
    // but the top left one, which holds the view's label.
    for (double dx : {0.05, 0.45})
      for (double dy : {0.05, 0.45})
        if (dx > 0.05 || dy < 0.45)
          EXPECT_COLOUR(image, quadrant.left + dx, quadrant.bottom + dy, quadrant.red,
                        quadrant.green, quadrant.blue);
    // The scene sits in the middle, in front of the background.
    const QColor middle = pixelAt(image, quadrant.left + 0.25, quadrant.bottom + 0.25);
    EXPECT_FALSE(near(middle, quadrant.red, quadrant.green, quadrant.blue, 20)) << describe(middle);
    // The white border runs along all four edges.
    std::string failure;
    EXPECT_TRUE(borderAround(image, quadrant.left, quadrant.bottom, 0.5, 0.5, 1, 1, 1, &failure))
        << failure;
  }
}

TEST_F(ToolRender, InsetDrawsOverTheMainViewInItsWindowCorner) {
  const QImage image = render("inset.iv", {"--size", "400x400"});
  ASSERT_EQ(image.size(), QSize(400, 400));
  // Main view: background in the lower corners, its sphere in the middle.
  EXPECT_COLOUR(image, 0.05, 0.05, 0.15, 0.15, 0.2);
  EXPECT_COLOUR(image, 0.95, 0.05, 0.15, 0.15, 0.2);
  EXPECT_COLOUR(image, 0.5, 0.9, 0.15, 0.15, 0.2);
  EXPECT_FALSE(near(pixelAt(image, 0.5, 0.5), 0.15, 0.15, 0.2, 20));
  // Inset at (0.65, 0.65)-(0.95, 0.95) of the whole window: its background
  // inside its corners, its cube in its middle, its yellow border on its edges.
  EXPECT_COLOUR(image, 0.67, 0.67, 0.1, 0.3, 0.4);
  EXPECT_COLOUR(image, 0.93, 0.93, 0.1, 0.3, 0.4);
  EXPECT_FALSE(near(pixelAt(image, 0.8, 0.8), 0.1, 0.3, 0.4, 20));
  std::string failure;
  EXPECT_TRUE(borderAround(image, 0.65, 0.65, 0.3, 0.3, 1, 0.9, 0, &failure)) << failure;
  // Outside the inset, beyond its right edge, the main view's background again.
  EXPECT_COLOUR(image, 0.98, 0.8, 0.15, 0.15, 0.2);
}

TEST_F(ToolRender, SideBySidePlainViewsEachShowTheirOwnScene) {
  const QImage image = render("side_by_side.iv", {"--size", "400x200"});
  ASSERT_EQ(image.size(), QSize(400, 200));
  // Plain views draw no background: the window's colour (black by default).
  EXPECT_COLOUR(image, 0.02, 0.02, 0, 0, 0);
  EXPECT_COLOUR(image, 0.98, 0.98, 0, 0, 0);
  // The red cone fills the middle of the left half, the blue sphere the right.
  const QColor left = pixelAt(image, 0.25, 0.45);
  const QColor right = pixelAt(image, 0.75, 0.5);
  EXPECT_GT(left.red(), 2 * left.blue()) << describe(left);
  EXPECT_GT(right.blue(), 2 * right.red()) << describe(right);
  // Each view keeps its own aspect: the sphere is as tall as it is wide and
  // does not reach into the left half.
  EXPECT_COLOUR(image, 0.52, 0.5, 0, 0, 0);
}

TEST_F(ToolRender, MaximizeRendersTheNamedViewAlone) {
  const QImage image = render("four_quadrants.iv", {"--size", "400x300", "--maximize", "TopRight"});
  // Near the four corners, below the view's label in the top-left one.
  for (double x : {0.05, 0.95})
    for (double y : {0.05, x < 0.5 ? 0.85 : 0.95}) EXPECT_COLOUR(image, x, y, 0.1, 0.35, 0.1);
  std::string failure;
  EXPECT_TRUE(borderAround(image, 0, 0, 1, 1, 1, 1, 1, &failure)) << failure;

  // Only a top-level view fills the picture: not a nested one, nor a name
  // the scene does not have.
  for (const char *name : {"Inset", "Nowhere"}) {
    const ToolResult result = runTool({"render", examplePath("inset.iv"), "-o",
                                       scratch.path("no.png"), "--maximize", name});
    EXPECT_EQ(result.exitCode, 2) << name;
    EXPECT_NE(result.err.find("--maximize"), std::string::npos) << result.err;
  }
}

TEST_F(ToolRender, DefaultSizeAndWindowBackgroundOption) {
  const QImage image = render("side_by_side.iv", {"--background", "0.2,0.4,0.6"});
  EXPECT_EQ(image.size(), QSize(640, 480));
  EXPECT_COLOUR(image, 0.02, 0.02, 0.2, 0.4, 0.6);
  EXPECT_COLOUR(image, 0.52, 0.5, 0.2, 0.4, 0.6);
}

TEST_F(ToolRender, OddSizesKeepEveryViewInItsPlace) {
  const QImage image = render("four_quadrants.iv", {"--size=123x77"});
  ASSERT_EQ(image.size(), QSize(123, 77));
  for (const Quadrant &quadrant : kQuadrants)
    EXPECT_COLOUR(image, quadrant.left + 0.08, quadrant.bottom + 0.08, quadrant.red,
                  quadrant.green, quadrant.blue);
}

TEST_F(ToolRender, WithoutADisplayTheToolStartsItsOwn) {
  const QImage image =
      render("four_quadrants.iv", {"--size", "200x150"}, {"DISPLAY=", "QT_QPA_PLATFORM="});
  ASSERT_EQ(image.size(), QSize(200, 150));
  EXPECT_COLOUR(image, 0.05, 0.95, 0.1, 0.1, 0.4);
}

// The output's extension chooses the format; "-" writes PNG to stdout.
TEST_F(ToolRender, PictureFormatFollowsTheOutputName) {
  struct Case {
    const char *output;
    const char *format; // as QImageReader names what it finds
    int tolerance;      // JPEG is lossy
  };
  const Case cases[] = {{"picture.jpg", "jpeg", 24}, {"picture.PPM", "ppm", 3},
                        {"picture.bmp", "bmp", 3},   {"picture", "png", 3},
                        {"-", "png", 3}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.output);
    ScratchDirectory own;
    const bool toStdout = std::string(c.output) == "-";
    const QString output = toStdout ? QString("-") : own.path(c.output);
    const ToolResult result = runTool(
        {"render", examplePath("four_quadrants.iv"), "-o", output, "--size", "160x120"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    QByteArray bytes = QByteArray::fromStdString(result.out);
    if (!toStdout) {
      EXPECT_TRUE(result.out.empty());
      EXPECT_EQ(own.entries(), QStringList{c.output});
      QFile file(output);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      bytes = file.readAll();
    }
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    EXPECT_EQ(reader.format().toStdString(), c.format);
    const QImage image = reader.read();
    ASSERT_EQ(image.size(), QSize(160, 120));
    for (const Quadrant &quadrant : kQuadrants)
      EXPECT_TRUE(near(pixelAt(image, quadrant.left + 0.08, quadrant.bottom + 0.08), quadrant.red,
                       quadrant.green, quadrant.blue, c.tolerance))
          << quadrant.name;
  }
}

// A scene with no light of its own, as the README writes one: lit by the
// viewer's headlight as 'poview view' shows it, dark without it.
TEST_F(ToolRender, TheViewersHeadlightLightsAScene) {
  const QString scene = scratch.write("unlit.iv", R"(#Inventor V2.1 ascii
PoSceneView {
  cameraKit CameraKit { camera PerspectiveCamera { position 0 0 6 } }
  scene Separator { Material { diffuseColor 1 1 1 } Cone { } }
})");
  for (bool headlight : {true, false}) {
    const QString output = scratch.path(headlight ? "lit.png" : "dark.png");
    QStringList arguments{"render", scene, "-o", output, "--size", "100x100"};
    if (!headlight) arguments << "--no-headlight";
    const ToolResult result = runTool(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QColor cone = pixelAt(QImage(output), 0.5, 0.5);
    if (headlight)
      EXPECT_GT(cone.lightness(), 100) << describe(cone);
    else
      EXPECT_LT(cone.lightness(), 40) << describe(cone);
  }
}

// A picture rendered in tiles, asked for or forced by a tile limit smaller
// than the picture, is the picture rendered whole.
TEST_F(ToolRender, TiledPicturesAreThePictureRenderedWhole) {
  struct Case {
    const char *name;
    const char *size;
    QStringList options;
    QStringList environment;
  };
  const Case cases[] = {
      {"--tiles 3x2", "900x500", {"--tiles", "3x2"}, {}},
      {"a poster wider than the tile limit", "1500x300", {}, {"POVIEW_MAX_TILE_SIZE=256"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const QImage whole = render("four_quadrants.iv", {"--size", c.size});
    const QImage tiled = render("four_quadrants.iv", QStringList{"--size", c.size} + c.options,
                                c.environment);
    std::string why;
    EXPECT_TRUE(matchesWhole(whole, tiled, &why)) << why;
  }
}

// --line-scale draws lines, borders included, wider: the white border of
// four_quadrants.iv (3 pixels) is 3 * S pixels wide at the middle of the
// window's left edge, also in tiles; "auto" scales by the picture's size over
// 640x480. Values that are no scale are bad usage.
TEST_F(ToolRender, LineScaleWidensBorders) {
  struct Case {
    const char *size;
    QStringList options;
    int border; // pixels
  };
  const Case cases[] = {
      {"640x480", {}, 3},
      {"640x480", {"--line-scale", "2.5"}, 8},
      {"1280x960", {"--line-scale", "auto"}, 6},
      {"1001x777", {"--line-scale", "auto"}, 5},
      {"1001x777", {"--line-scale", "auto", "--tiles", "3x3"}, 5},
      {"320x240", {"--line-scale", "auto"}, 2},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << " " << c.options.join(' ').toStdString());
    const QImage image = render("four_quadrants.iv", QStringList{"--size", c.size} + c.options);
    const int row = image.height() / 4;
    int border = 0;
    while (border < image.width() && near(QColor(image.pixel(border, row)), 1, 1, 1)) ++border;
    EXPECT_EQ(border, c.border);
  }
  for (const char *bad : {"0", "-1", "1e9", "wide", "nan", ""}) {
    SCOPED_TRACE(bad);
    const ToolResult result = runTool({"render", examplePath("four_quadrants.iv"), "-o",
                                       scratch.path("bad.png"), "--line-scale", bad});
    EXPECT_EQ(result.exitCode, 2);
    ASSERT_EQ(result.errorLines().size(), 1u) << result.err;
    EXPECT_NE(result.errorLines()[0].find("--line-scale"), std::string::npos);
  }
}

TEST_F(ToolRender, ReplacesAnExistingPictureWhole) {
  scratch.write("picture.png", QByteArray(100000, 'x'));
  const QImage image = render("side_by_side.iv", {"--size", "64x32"});
  EXPECT_EQ(image.size(), QSize(64, 32));
}

} // namespace
