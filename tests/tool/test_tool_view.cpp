// poview view: the interactive viewer starts on the examples and closes
// cleanly when asked to; its frames, grabbed from the viewer itself, show the
// examples as poview render does.
#include "PixelProbe.h"
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QImage>
#include <QRectF>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

class ToolView : public ::testing::TestWithParam<const char *> {};

TEST_P(ToolView, OpensTheSceneAndClosesOnRequest) {
  const ToolResult result = runTool({"view", examplePath(GetParam()), "--exit-after", "300"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(result.out.empty()) << result.out;
}

INSTANTIATE_TEST_SUITE_P(Tool, ToolView,
                         ::testing::Values("four_quadrants.iv", "inset.iv", "side_by_side.iv"));

TEST(ToolViewUsage, MalformedDelayIsUsage) {
  const ToolResult result = runTool({"view", examplePath("inset.iv"), "--exit-after", "soon"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("--exit-after"), std::string::npos) << result.err;
}

TEST(ToolViewUsage, NoDisplayIsAUserError) {
  const ToolResult result =
      runTool({"view", examplePath("inset.iv"), "--exit-after", "0"}, {"DISPLAY=", "QT_QPA_PLATFORM="});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errorLines().size(), 1u) << result.err;
  EXPECT_NE(result.err.find("display"), std::string::npos) << result.err;
}

} // namespace

namespace {

// Pixels of two pictures of one size that differ by more than `tolerance` in
// some channel, inside or outside the window-normalised rectangle.
struct PixelDifference {
  int inside = 0;
  int outside = 0;
};

PixelDifference compare(const QImage &a, const QImage &b, const QRectF &rectangle,
                        int tolerance = 2) {
  PixelDifference difference;
  for (int row = 0; row < a.height(); ++row)
    for (int column = 0; column < a.width(); ++column) {
      const QColor p = a.pixelColor(column, row), q = b.pixelColor(column, row);
      if (std::abs(p.red() - q.red()) <= tolerance && std::abs(p.green() - q.green()) <= tolerance &&
          std::abs(p.blue() - q.blue()) <= tolerance)
        continue;
      const QPointF at((column + 0.5) / a.width(), 1.0 - (row + 0.5) / a.height());
      ++(rectangle.contains(at) ? difference.inside : difference.outside);
    }
  return difference;
}

// One example and the view a drag turns: its rectangle in window fractions
// (origin lower left) and the drag, in pixels of a 400x300 drawing area;
// whether that view's border shows, in the active colour, from the first
// frame on (the viewer starts on the first camera of the scene, which is
// that view's).
struct ViewerFrameCase {
  const char *example;
  QRectF draggedView;
  const char *drag;
  bool startsActiveWithBorder;
};

const ViewerFrameCase kViewerFrames[] = {
    {"four_quadrants.iv", QRectF(0.0, 0.5, 0.5, 0.5), "100,75,140,95", true},
    {"inset.iv", QRectF(0.65, 0.65, 0.3, 0.3), "320,60,350,80", false},
    {"side_by_side.iv", QRectF(0.5, 0.0, 0.5, 1.0), "300,150,340,170", false},
};

// A clear yellow, the active border's colour unless a view sets its own.
const double kActive[3] = {1.0, 0.85, 0.0};

class ToolViewFrames : public ::testing::TestWithParam<ViewerFrameCase> {
protected:
  // Runs poview with the arguments, which end in the output option, and
  // loads the picture written.
  QImage picture(const QStringList &arguments) {
    const QString output = scratch.path("frame.png");
    const ToolResult result = runTool(arguments + QStringList{output});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    QImage image(output);
    EXPECT_EQ(image.size(), QSize(400, 300));
    return image.convertToFormat(QImage::Format_RGB888);
  }
  ScratchDirectory scratch;
};

// The real examiner viewer, through its own frame loop (camera, headlight,
// automatic clipping): its first and sixth frame show what `poview render`
// shows, view by view, but for the border of the view the viewer drives. After
// a drag over one view only that view's scene has turned; every background,
// border and other view stays.
TEST_P(ToolViewFrames, ViewerFramesMatchTheRenderAndADragTurnsOnlyItsView) {
  const ViewerFrameCase &example = GetParam();
  const QString scene = examplePath(example.example);
  const QStringList size{"--size", "400x300"};
  const QImage rendered = picture(QStringList{"render", scene} + size + QStringList{"-o"});
  ASSERT_FALSE(rendered.isNull());
  const QRectF &view = example.draggedView;
  for (const char *frames : {"1", "6"}) {
    const QImage frame = picture(QStringList{"view", scene, "--frames", frames} + size +
                                 QStringList{"--screenshot"});
    const PixelDifference difference = compare(frame, rendered, view);
    EXPECT_EQ(difference.outside, 0) << "frame " << frames;
    if (!example.startsActiveWithBorder) {
      EXPECT_EQ(difference.inside, 0) << "frame " << frames;
      continue;
    }
    // A border 3 pixels wide along the edges of a 200x150 view, no more.
    EXPECT_LE(difference.inside, 2 * 3 * (200 + 150)) << "frame " << frames;
    std::string failure;
    EXPECT_TRUE(borderAround(frame, view.left(), view.top(), view.width(), view.height(),
                             kActive[0], kActive[1], kActive[2], &failure))
        << "frame " << frames << ": " << failure;
  }

  const QImage dragged =
      picture(QStringList{"view", scene, "--frames", "6", "--drag", example.drag} + size +
              QStringList{"--screenshot"});
  const PixelDifference difference = compare(dragged, rendered, view);
  EXPECT_EQ(difference.outside, 0);
  EXPECT_GT(difference.inside, 50) << "the drag turned nothing";
  // The dragged view's background still fills its corners.
  for (double fx : {0.06, 0.94})
    for (double fy : {0.06, 0.94}) {
      const double x = view.left() + fx * view.width(), y = view.top() + fy * view.height();
      EXPECT_EQ(pixelAt(dragged, x, y), pixelAt(rendered, x, y)) << "at " << x << ", " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Tool, ToolViewFrames, ::testing::ValuesIn(kViewerFrames));

// A drag that starts in a view makes it the one the viewer drives: in the
// frames after it, that view's border alone shows in the active colour, and
// the view that was active before shows its own again.
TEST(ToolViewActive, ADragMakesItsViewTheActiveOne) {
  ScratchDirectory scratch;
  const QString output = scratch.path("frame.png");
  struct Quadrant {
    double x, y;
    const char *drag; // in pixels of the 400x300 drawing area, from the top left
  };
  const Quadrant quadrants[] = {{0.5, 0.0, "300,225,330,240"},
                                {0.0, 0.0, "100,225,130,240"},
                                {0.5, 0.5, "300,75,330,90"}};
  for (const Quadrant &pressed : quadrants) {
    SCOPED_TRACE(pressed.drag);
    const ToolResult result =
        runTool({"view", examplePath("four_quadrants.iv"), "--size", "400x300", "--frames", "3",
                 "--drag", pressed.drag, "--screenshot", output});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QImage frame = QImage(output).convertToFormat(QImage::Format_RGB888);
    for (const double x : {0.0, 0.5})
      for (const double y : {0.0, 0.5}) {
        const bool active = x == pressed.x && y == pressed.y;
        std::string failure;
        EXPECT_TRUE(borderAround(frame, x, y, 0.5, 0.5, active ? kActive[0] : 1.0,
                                 active ? kActive[1] : 1.0, active ? kActive[2] : 1.0, &failure))
            << "view at " << x << ", " << y << (active ? " (pressed)" : "") << ": " << failure;
      }
  }
}

// The rendering options mean in the viewer what they mean to render, and
// both make pictures of the same size by default: a view in the middle of the
// window, with the window's background around it and the headlight alone
// lighting its sphere.
TEST(ToolViewOptions, ViewerTakesTheRenderingOptionsAsRenderDoes) {
  ScratchDirectory scratch;
  const QString scene = scratch.write(
      "middle.iv", "#Inventor V2.1 ascii\n"
                   "PoSceneView { viewportOrigin 0.25 0.25 viewportSize 0.5 0.5\n"
                   "  cameraKit CameraKit { camera PerspectiveCamera { position 0 0 5 } }\n"
                   "  scene Separator { Sphere { } } }\n");
  const QStringList optionSets[] = {
      {},
      {"--size", "200x160", "--background", "0.5,0.2,0.1"},
      {"--size", "200x160", "--no-headlight"},
  };
  for (const QStringList &options : optionSets) {
    SCOPED_TRACE(options.join(' ').toStdString());
    const ToolResult rendered =
        runTool(QStringList{"render", scene, "-o", scratch.path("render.png")} + options);
    const ToolResult viewed =
        runTool(QStringList{"view", scene, "--screenshot", scratch.path("view.png")} + options);
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
    ASSERT_EQ(viewed.exitCode, 0) << viewed.err;
    const QImage render =
        QImage(scratch.path("render.png")).convertToFormat(QImage::Format_RGB888);
    const QImage view = QImage(scratch.path("view.png")).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(view.size(), render.size());
    const PixelDifference difference = compare(view, render, QRectF(0.25, 0.25, 0.5, 0.5));
    EXPECT_EQ(difference.inside + difference.outside, 0);
  }
}

} // namespace

// The viewer lays views out: its help names the keys; a drag that starts on
// the edge between the quadrants moves the edge, and the layout keys, typed
// over the upper left view, maximize, restore and arrange. What shows then
// at the upper left, the upper right and the lower right corner, and just
// right of the middle at the top.
TEST(ToolViewLayout, EdgeDragsAndKeysLayTheViewsOut) {
  const ToolResult help = runTool({"view", "--help"});
  for (const char *key : {"\n  m ", "\n  1, 2, 3, 4 ", "double click"})
    EXPECT_NE(help.out.find(key), std::string::npos) << key;
  EXPECT_EQ(runTool({"view", examplePath("inset.iv"), "--keys", "m"}).exitCode, 2);

  const double topLeft[] = {0.1, 0.1, 0.4}, topRight[] = {0.1, 0.35, 0.1},
               bottomLeft[] = {0.4, 0.1, 0.1}, bottomRight[] = {0.3, 0.3, 0.3};
  const struct {
    QStringList script;
    const double *upperLeft, *upperRight, *lowerRight, *upperMiddle;
  } cases[] = {
      {{"--drag", "201,75,261,75"}, topLeft, topRight, bottomRight, topLeft},
      {{"--drag", "100,75,100,75", "--keys", "m"}, topLeft, topLeft, topLeft, topLeft},
      {{"--drag", "100,75,100,75", "--keys", "mm"}, topLeft, topRight, bottomRight, topRight},
      {{"--drag", "100,75,100,75", "--keys", "3"}, topLeft, bottomLeft, bottomLeft, topRight},
  };
  ScratchDirectory scratch;
  for (const auto &test : cases) {
    SCOPED_TRACE(test.script.join(' ').toStdString());
    const ToolResult viewed =
        runTool(QStringList{"view", examplePath("four_quadrants.iv"), "--size", "400x300"} +
                test.script + QStringList{"--screenshot", scratch.path("view.png")});
    ASSERT_EQ(viewed.exitCode, 0) << viewed.err;
    const QImage view(scratch.path("view.png"));
    const struct {
      double x, y;
      const double *colour;
    } probes[] = {{0.03, 0.97, test.upperLeft}, {0.97, 0.97, test.upperRight},
                  {0.97, 0.03, test.lowerRight}, {0.56, 0.97, test.upperMiddle}};
    for (const auto &probe : probes)
      EXPECT_TRUE(near(pixelAt(view, probe.x, probe.y), probe.colour[0], probe.colour[1],
                       probe.colour[2]))
          << probe.x << ", " << probe.y << ": " << describe(pixelAt(view, probe.x, probe.y));
  }
}
