// The CAD example through the tool: info lists its link and its pan-only
// views, and in the real examiner viewer of `poview view` a drag in one of the
// linked views pans it and the views linked to it by what the drag moved, and
// leaves the view outside the link as it was.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

namespace {

TEST(ToolCameraLink, InfoListsTheLinkAndTheNavigation) {
  const QString scene = examplePath("cad_quad.iv");
  const ToolResult json = runTool({"info", scene, "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const QJsonObject top = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
  const QJsonArray views = top["views"].toArray();
  ASSERT_EQ(views.size(), 4);
  const char *navigation[] = {"PAN", "EXAMINE", "PAN", "PAN"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(views[i].toObject()["navigation"].toString(), navigation[i]) << i;
  const QJsonArray links = top["links"].toArray();
  ASSERT_EQ(links.size(), 1);
  const QJsonObject link = links[0].toObject();
  EXPECT_EQ(link["name"].toString(), "OrthographicViews");
  EXPECT_EQ(link["views"].toArray(), (QJsonArray{0, 2, 3}));
  EXPECT_EQ(link["link"].toArray(), (QJsonArray{"POSITION", "ZOOM"}));

  const ToolResult text = runTool({"info", scene});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  std::istringstream lines(text.out);
  std::string line, last;
  int panLines = 0;
  while (std::getline(lines, line)) {
    panLines += line.size() > 15 && line.compare(line.size() - 15, 15, " navigation PAN") == 0;
    last = line;
  }
  EXPECT_EQ(panLines, 3) << text.out;
  EXPECT_EQ(last, "PoCameraLink \"OrthographicViews\" views 1 3 4 link POSITION ZOOM");
}

// How a quarter of a 400 x 300 picture compares with the same quarter of
// another, moved by (dx, dy) pixels: the share of the pixels (of those that
// stay in the quarter, 3 pixels clear of its edges and border) that differ.
double mismatch(const QImage &moved, const QImage &still, QRect quarter, int dx, int dy) {
  const QRect inner = quarter.adjusted(3, 3, -3, -3);
  int compared = 0, differing = 0;
  for (int y = inner.top(); y <= inner.bottom(); ++y)
    for (int x = inner.left(); x <= inner.right(); ++x) {
      if (!inner.contains(x - dx, y - dy)) continue;
      const QColor a = moved.pixelColor(x, y), b = still.pixelColor(x - dx, y - dy);
      ++compared;
      differing += std::abs(a.red() - b.red()) > 8 || std::abs(a.green() - b.green()) > 8 ||
                   std::abs(a.blue() - b.blue()) > 8;
    }
  return compared ? double(differing) / compared : 1.0;
}

// The least mismatch of shifts within a pixel of (dx, dy).
double mismatchNear(const QImage &moved, const QImage &still, QRect quarter, QPoint shift) {
  double least = 1;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      least = std::min(least, mismatch(moved, still, quarter, shift.x() + dx, shift.y() + dy));
  return least;
}

// The four quarters of the example at 400 x 300, in picture pixels (y down).
const QRect kTop(0, 0, 200, 150), kPerspective(200, 0, 200, 150), kFront(0, 150, 200, 150),
    kSide(200, 150, 200, 150);

struct DragCase {
  const char *name;
  const char *drag; // x0,y0,x1,y1 in pixels from the top left
  QPoint top, front, side; // how far each linked view's content moves
};

// The views are drawn as a drawing lays them out: a pan of the top view to
// the right and down moves the front view right (x) and the side view left
// (z comes towards its left); a pan of the front view moves the top view
// along x only and the side view along y only.
const DragCase kDrags[] = {
    {"drag in the top view", "90,70,120,90", QPoint(30, 20), QPoint(30, 0), QPoint(-20, 0)},
    {"drag in the front view", "110,230,86,246", QPoint(-24, 0), QPoint(-24, 16),
     QPoint(0, 16)},
};

class ToolCameraLinkDrag : public ::testing::TestWithParam<DragCase> {};

TEST_P(ToolCameraLinkDrag, PansTheLinkedViewsAndLeavesTheOtherAlone) {
  const DragCase &drag = GetParam();
  ScratchDirectory scratch;
  // Without labels and triads, which stay where they are while a view pans.
  QFile example(examplePath("cad_quad.iv"));
  ASSERT_TRUE(example.open(QIODevice::ReadOnly));
  QByteArray text = example.readAll();
  text.replace("isAxesVisible TRUE", "");
  text.replace("label \"", "# \"");
  const QString scene = scratch.write("plain_quad.iv", text);
  auto frame = [&](const QStringList &extra) {
    const QString output = scratch.path("frame.png");
    const ToolResult result = runTool(QStringList{"view", scene, "--size", "400x300", "--frames",
                                                  "6", "--screenshot", output} +
                                      extra);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return QImage(output).convertToFormat(QImage::Format_RGB888);
  };
  const QImage still = frame({});
  const QImage moved = frame({"--drag", drag.drag});
  ASSERT_EQ(still.size(), QSize(400, 300));
  ASSERT_EQ(moved.size(), QSize(400, 300));

  EXPECT_EQ(mismatch(moved, still, kPerspective, 0, 0), 0.0);
  const struct {
    const char *name;
    QRect quarter;
    QPoint shift;
  } linked[] = {{"top", kTop, drag.top}, {"front", kFront, drag.front}, {"side", kSide, drag.side}};
  for (const auto &view : linked) {
    SCOPED_TRACE(view.name);
    // The content moved as a whole, unturned, by the drag to the pixel.
    EXPECT_LT(mismatchNear(moved, still, view.quarter, view.shift), 0.01);
    if (!view.shift.isNull()) {
      EXPECT_GT(mismatch(moved, still, view.quarter, 0, 0), 0.02);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Tool, ToolCameraLinkDrag, ::testing::ValuesIn(kDrags),
                         [](const auto &info) {
                           std::string name = info.param.name;
                           for (char &c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

} // namespace
