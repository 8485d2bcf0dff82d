// The X3D exports shown by X_ITE in headless Chromium against poview render
// of the same scene at the same size, view by view. Needs the packages that
// scripts/check_browser.sh installs; the directory holding them comes in
// BRENNICQT_BROWSER_CHECK.
//
// Tolerances, per colour channel (0-255):
//  - the flat background near a view's corners: 6 (both draw the colour as
//    it is; X_ITE's blending rounds differently);
//  - the object at a view's centre: 40. Both light it with the headlight and
//    the scene's lights, but X_ITE shades per pixel and Coin per vertex, X3D
//    has no global ambient light, and Coin's viewer headlight comes slightly
//    from the upper left where X3D's shines straight along the view;
//  - a border: present on all four edges in both pictures, in the border's
//    colour within 3, on one of the three pixels just inside each edge.
#include "PixelProbe.h"
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const int kBackgroundTolerance = 6;
const int kObjectTolerance = 40;
// Corners are probed this far inside a view, clear of a border line.
const int kCornerInset = 8;

struct Scene {
  const char *path; // relative to the source tree
  double border[3]; // the colour of the scene's borders
  // Compared with the render pixel by pixel. The VRML97 test scene is only
  // loaded: it draws a shape outside its views without any camera, which
  // Coin stretches over the whole window and X3D cannot.
  bool compared;
  // Also compared a quarter of the way in from each edge of every view, as
  // the centre is: for views whose objects lie off their centre, so that a
  // view turned about its axis shows.
  bool quarters;
};

const Scene kScenes[] = {
    {"examples/four_quadrants.iv", {1, 1, 1}, true, false},
    {"examples/inset.iv", {1, 0.9, 0}, true, false},
    {"examples/side_by_side.iv", {0, 0, 0}, true, false},
    {"tests/browser/cameras.iv", {1, 0.5, 0}, true, false},
    {"tests/browser/top_views.iv", {0, 0, 0}, true, true},
    {"tests/vrml97/shared_views.iv", {0.8, 0.8, 0.8}, false, false},
};

struct Size {
  int width, height;
};
const Size kSizes[] = {{800, 600}, {1200, 600}};

const char *const kForms[] = {"x3dv", "html"};

struct View {
  double x, y, width, height;
  bool border;
  int depth;
};

QString sourcePath(const char *relative) {
  return QStringLiteral(BRENNICQT_SOURCE_DIR "/") + QString::fromUtf8(relative);
}

QString stem(const Scene &scene) { return QFileInfo(QString::fromUtf8(scene.path)).baseName(); }

std::vector<View> viewsOf(const Scene &scene) {
  const ToolResult info = runTool({"info", sourcePath(scene.path), "--json"});
  EXPECT_EQ(info.exitCode, 0) << info.err;
  std::vector<View> views;
  const QJsonArray list =
      QJsonDocument::fromJson(QByteArray::fromStdString(info.out)).object()["views"].toArray();
  for (const QJsonValue &entry : list) {
    const QJsonObject view = entry.toObject();
    const QJsonArray origin = view["viewportOrigin"].toArray(), size = view["viewportSize"].toArray();
    views.push_back({origin[0].toDouble(), origin[1].toDouble(), size[0].toDouble(),
                     size[1].toDouble(), view["borderVisible"].toBool(), view["depth"].toInt()});
  }
  return views;
}

std::string sizeName(const Size &size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

class BrowserViews : public ::testing::Test {
protected:
  // Exports, renders and screenshots once for all tests.
  static void SetUpTestSuite() {
    s_checkDirectory = std::getenv("BRENNICQT_BROWSER_CHECK");
    if (!s_checkDirectory) return;
    s_scratch = new ScratchDirectory;
    QJsonArray jobs;
    for (const Scene &scene : kScenes) {
      const QString name = stem(scene);
      for (const char *form : {"x3dv", "x3d", "html"}) {
        QStringList arguments{"export", sourcePath(scene.path), "-o",
                              s_scratch->path(name + "." + form)};
        if (QString(form) == "html") arguments << "--x-ite-url" << "/x_ite/x_ite.min.js";
        const ToolResult result = runTool(arguments);
        s_setupErrors += result.err;
      }
      for (const Size &size : kSizes) {
        const QString suffix = QString::fromStdString(sizeName(size));
        const ToolResult render = runTool({"render", sourcePath(scene.path), "-o",
                                           s_scratch->path(name + "-render-" + suffix + ".png"),
                                           "--size", suffix});
        s_setupErrors += render.err;
      }
      for (const char *form : kForms) {
        QJsonArray shots;
        for (const Size &size : kSizes)
          shots.append(QJsonObject{
              {"width", size.width},
              {"height", size.height},
              {"output", s_scratch->path(name + "-" + form + "-" +
                                         QString::fromStdString(sizeName(size)) + ".png")}});
        QJsonObject job{{"shots", shots}};
        if (QString(form) == "html")
          job["page"] = "/" + name + ".html";
        else
          job["scene"] = "/" + name + "." + form;
        jobs.append(job);
      }
    }
    const QString jobFile = s_scratch->write(
        "jobs.json", QJsonDocument(QJsonObject{{"root", s_scratch->path("")},
                                               {"jobs", jobs},
                                               {"nodeTable", s_scratch->path("nodes.json")}})
                         .toJson());
    QProcess node;
    node.start("node", {QString(s_checkDirectory) + "/screenshot.mjs", jobFile});
    node.waitForFinished(15 * 60 * 1000);
    s_screenshotLog = node.readAllStandardOutput().toStdString() + node.readAllStandardError().toStdString();
    s_screenshotsTaken = node.exitStatus() == QProcess::NormalExit && node.exitCode() == 0;
  }

  static void TearDownTestSuite() {
    delete s_scratch;
    s_scratch = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(s_checkDirectory, nullptr) << "BRENNICQT_BROWSER_CHECK names no directory";
    ASSERT_TRUE(s_screenshotsTaken) << s_screenshotLog;
  }

  static QImage picture(const Scene &scene, const char *kind, const Size &size) {
    return QImage(s_scratch->path(stem(scene) + "-" + kind + "-" +
                                  QString::fromStdString(sizeName(size)) + ".png"))
        .convertToFormat(QImage::Format_RGB32);
  }

  static const char *s_checkDirectory;
  static ScratchDirectory *s_scratch;
  static std::string s_setupErrors;
  static std::string s_screenshotLog;
  static bool s_screenshotsTaken;
};

const char *BrowserViews::s_checkDirectory = nullptr;
ScratchDirectory *BrowserViews::s_scratch = nullptr;
std::string BrowserViews::s_setupErrors;
std::string BrowserViews::s_screenshotLog;
bool BrowserViews::s_screenshotsTaken = false;

// Whether two pixels differ by at most tolerance in every channel.
bool alike(const QColor &a, const QColor &b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

// The largest channel difference seen at corners and at centres.
int g_largest[2] = {0, 0};

void expectAlike(const QImage &render, const QImage &page, double x, double y, int tolerance,
                 const char *where) {
  const QColor expected = pixelAt(render, x, y), actual = pixelAt(page, x, y);
  int &largest = g_largest[tolerance == kObjectTolerance ? 1 : 0];
  largest = std::max({largest, std::abs(expected.red() - actual.red()),
                      std::abs(expected.green() - actual.green()),
                      std::abs(expected.blue() - actual.blue())});
  EXPECT_TRUE(alike(expected, actual, tolerance))
      << where << " at (" << x << ", " << y << "): render " << describe(expected) << ", page "
      << describe(actual);
}

} // namespace

TEST_F(BrowserViews, ExportsShowEveryViewAsTheRenderDoes) {
  EXPECT_EQ(s_setupErrors, "");
  for (const Scene &scene : kScenes) {
    if (!scene.compared) continue;
    const std::vector<View> views = viewsOf(scene);
    ASSERT_FALSE(views.empty()) << scene.path;
    for (const Size &size : kSizes) {
      const QImage render = picture(scene, "render", size);
      ASSERT_FALSE(render.isNull());
      for (const char *form : kForms) {
        SCOPED_TRACE(std::string(scene.path) + " as ." + form + " at " + sizeName(size));
        const QImage page = picture(scene, form, size);
        ASSERT_EQ(page.size(), render.size());
        for (const View &view : views) {
          const double dx = double(kCornerInset) / size.width, dy = double(kCornerInset) / size.height;
          const double corners[4][2] = {{view.x + dx, view.y + dy},
                                        {view.x + view.width - dx, view.y + dy},
                                        {view.x + dx, view.y + view.height - dy},
                                        {view.x + view.width - dx, view.y + view.height - dy}};
          for (const auto &corner : corners)
            expectAlike(render, page, corner[0], corner[1], kBackgroundTolerance, "corner");
          expectAlike(render, page, view.x + view.width / 2, view.y + view.height / 2,
                      kObjectTolerance, "centre");
          if (scene.quarters)
            for (const auto &quarter : {std::make_pair(0.5, 0.25), std::make_pair(0.5, 0.75),
                                        std::make_pair(0.25, 0.5), std::make_pair(0.75, 0.5)})
              expectAlike(render, page, view.x + view.width * quarter.first,
                          view.y + view.height * quarter.second, kObjectTolerance, "quarter");
          if (!view.border) continue;
          // Coin lets a line on a viewport's edge fall on either side of it
          // at some window sizes, so only the export is held to all four.
          std::string failure;
          EXPECT_TRUE(borderAround(page, view.x, view.y, view.width, view.height, scene.border[0],
                                   scene.border[1], scene.border[2], &failure))
              << failure;
        }
      }
    }
  }
  std::printf("largest difference from the render: %d at corners, %d at centres\n", g_largest[0],
              g_largest[1]);
}

namespace {

// Pixels of a colour within `tolerance` in a rectangle of a picture, in
// pixels from its top left.
int countColour(const QImage &image, int left, int top, int width, int height, const QColor &colour,
                int tolerance) {
  int count = 0;
  for (int y = std::max(top, 0); y < std::min(top + height, image.height()); ++y)
    for (int x = std::max(left, 0); x < std::min(left + width, image.width()); ++x)
      if (alike(image.pixelColor(x, y), colour, tolerance)) ++count;
  return count;
}

} // namespace

// The labels and axis triads of examples/four_quadrants.iv show in the page
// where the render has them: white text in each view's top left, inside the
// border, and the triad's red x and green y axes in its lower left.
TEST_F(BrowserViews, LabelsAndTriadsShowInTheirCorners) {
  const Scene &scene = kScenes[0];
  const std::vector<View> views = viewsOf(scene);
  ASSERT_EQ(views.size(), 4u);
  for (const Size &size : kSizes)
    for (const char *kind : {"render", "x3dv", "html"}) {
      SCOPED_TRACE(std::string(kind) + " at " + sizeName(size));
      const QImage image = picture(scene, kind, size);
      ASSERT_FALSE(image.isNull());
      for (const View &view : views) {
        const int left = int(std::lround(view.x * size.width));
        const int top = int(std::lround((1.0 - view.y - view.height) * size.height));
        const int bottom = int(std::lround((1.0 - view.y) * size.height));
        // Inside the border (3 pixels) and the margin, the first line of text.
        EXPECT_GT(countColour(image, left + 9, top + 9, 100, 16, Qt::white, 60), 15)
            << "label of the view at " << view.x << ", " << view.y;
        for (const QColor &axis : {QColor(255, 0, 0), QColor(0, 255, 0)})
          EXPECT_GT(countColour(image, left + 9, bottom - 81, 72, 72, axis, 60), 10)
              << "triad of the view at " << view.x << ", " << view.y;
      }
    }
}

namespace {

// The nodes X_ITE knows, each with its fields, as the screenshot run read
// them from X_ITE. (X_ITE's X3DUOM.xml only adds its own nodes to the
// standard's model; X_ITE's node table is the whole of what it reads.)
std::map<QString, std::set<QString>> x3dNodes(const QString &file) {
  std::map<QString, std::set<QString>> nodes;
  QFile input(file);
  if (!input.open(QIODevice::ReadOnly)) return nodes;
  const QJsonObject table = QJsonDocument::fromJson(input.readAll()).object();
  for (auto node = table.begin(); node != table.end(); ++node)
    for (const QJsonValue &field : node.value().toArray()) nodes[node.key()].insert(field.toString());
  return nodes;
}

} // namespace

TEST_F(BrowserViews, XmlEncodingNamesOnlyX3DNodesAndFields) {
  const std::map<QString, std::set<QString>> nodes = x3dNodes(s_scratch->path("nodes.json"));
  ASSERT_GT(nodes.size(), 100u);
  const std::set<QString> structure{"X3D", "head", "component", "meta", "Scene"};
  const std::set<QString> special{"DEF", "USE", "containerField"};
  for (const Scene &scene : kScenes) {
    SCOPED_TRACE(scene.path);
    QFile file(s_scratch->path(stem(scene) + ".x3d"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int elements = 0;
    while (!xml.atEnd()) {
      xml.readNext();
      if (!xml.isStartElement()) continue;
      ++elements;
      const QString name = xml.name().toString();
      if (structure.count(name)) continue;
      const auto node = nodes.find(name);
      ASSERT_NE(node, nodes.end()) << name.toStdString();
      for (const QXmlStreamAttribute &attribute : xml.attributes()) {
        const QString field = attribute.name().toString();
        EXPECT_TRUE(special.count(field) || node->second.count(field))
            << name.toStdString() << "." << field.toStdString();
      }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(elements, 10);
  }
}
