// PoViewLayout's operations over the examples and a nested inset: the
// rectangles they give, the window covered once in pixels as rendered at odd
// sizes, nested views moved with their parents, and restore() giving back
// the very fields.

#include "DebugCapture.h"
#include "ElementProbe.h"
#include "GLTestContext.h"
#include "PoSceneView.h"
#include "PoView.h"
#include "PoViewLayout.h"
#include "PoViewList.h"
#include "SceneFiles.h"

#include <Inventor/SoPath.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string exampleText(const char *name) {
  std::ifstream file(std::string(BRENNICQT_EXAMPLES_DIR) + "/" + name);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string quadrant(const char *name, float x, float y, const std::string &inside = "") {
  std::ostringstream text;
  text << "DEF " << name << " PoSceneView { viewportOrigin " << x << " " << y
       << " viewportSize 0.5 0.5 cameraKit CameraKit { camera PerspectiveCamera {} } "
       << "scene Separator { Cube {} " << inside << " } }";
  return text.str();
}

// Four quadrants, the upper left one holding an inset in its own upper left
// part, which holds an inset of its own.
const std::string kNestedQuadrants =
    "Separator { " +
    quadrant("TopLeft", 0, 0.5f,
             "DEF Inset PoSceneView { viewportOrigin 0.05 0.7 viewportSize 0.2 0.25 "
             "scene Separator { DEF Deeper PoView { viewportOrigin 0.1 0.8 "
             "viewportSize 0.05 0.1 } } }") +
    quadrant("TopRight", 0.5f, 0.5f) + quadrant("BottomLeft", 0, 0) +
    quadrant("BottomRight", 0.5f, 0) + " }";

const std::string kStrips =
    "Separator { DEF Strip PoSceneView { viewportSize 0.1 1 } "
    "DEF Middle PoSceneView { viewportOrigin 0.1 0 viewportSize 0.4 1 } "
    "DEF Rest PoSceneView { viewportOrigin 0.5 0 viewportSize 0.5 1 } }";

PoBaseView *view(const char *name) { return static_cast<PoBaseView *>(SoNode::getByName(name)); }

struct Rect {
  float left, bottom, right, top;
};

Rect rectOf(const char *name) {
  const PoBaseView *v = view(name);
  const SbVec2f o = v->viewportOrigin.getValue(), s = v->viewportSize.getValue();
  return {o[0], o[1], o[0] + s[0], o[1] + s[1]};
}

// Where a nested view lies inside a rectangle, as fractions of it.
Rect relativeTo(const Rect &inner, const Rect &outer) {
  const float w = outer.right - outer.left, h = outer.top - outer.bottom;
  return {(inner.left - outer.left) / w, (inner.bottom - outer.bottom) / h,
          (inner.right - outer.left) / w, (inner.top - outer.bottom) / h};
}

// Edges the layout computes lie on its grid of 1/65536: within half a step of
// the value asked for.
void expectRect(const Rect &found, const Rect &expected, float tolerance = 8.0e-6f) {
  EXPECT_NEAR(found.left, expected.left, tolerance);
  EXPECT_NEAR(found.bottom, expected.bottom, tolerance);
  EXPECT_NEAR(found.right, expected.right, tolerance);
  EXPECT_NEAR(found.top, expected.top, tolerance);
}

// A top-level view after an operation: its rectangle, or hidden.
struct Placed {
  const char *name;
  Rect rect;
  bool visible;
};

struct LayoutCase {
  const char *what;
  std::string scene;
  std::function<SbBool(PoViewLayout &)> operation;
  SbBool answer;
  std::vector<Placed> expected;
  bool tiles; // the views switched on cover the window, each pixel once
};

const float kThird = float(21845.0 / 65536.0), kTwoThirds = float(43691.0 / 65536.0);

const std::vector<LayoutCase> &layoutCases() {
  static const std::string quadrants = exampleText("four_quadrants.iv");
  static const std::vector<LayoutCase> cases = {
      {"maximize", quadrants, [](PoViewLayout &l) { return l.maximize(view("TopRight")); }, TRUE,
       {{"TopRight", {0, 0, 1, 1}, true}, {"TopLeft", {0, 0.5f, 0.5f, 1}, false},
        {"BottomLeft", {0, 0, 0.5f, 0.5f}, false}, {"BottomRight", {0.5f, 0, 1, 0.5f}, false}},
       true},
      {"move the vertical edge", quadrants,
       [](PoViewLayout &l) { return l.moveEdge(view("TopLeft"), PoViewLayout::RIGHT, 0.3f); }, TRUE,
       {{"TopLeft", {0, 0.5f, 0.3f, 1}, true}, {"TopRight", {0.3f, 0.5f, 1, 1}, true},
        {"BottomLeft", {0, 0, 0.3f, 0.5f}, true}, {"BottomRight", {0.3f, 0, 1, 0.5f}, true}},
       true},
      {"move the horizontal edge past the minimum", quadrants,
       [](PoViewLayout &l) { return l.moveEdge(view("BottomRight"), PoViewLayout::TOP, 0.01f); },
       TRUE,
       {{"TopLeft", {0, 0.05f, 0.5f, 1}, true}, {"TopRight", {0.5f, 0.05f, 1, 1}, true},
        {"BottomLeft", {0, 0, 0.5f, 0.05f}, true}, {"BottomRight", {0.5f, 0, 1, 0.05f}, true}},
       true},
      {"the window's edge is no shared edge", quadrants,
       [](PoViewLayout &l) { return l.moveEdge(view("TopLeft"), PoViewLayout::LEFT, 0.2f); }, FALSE,
       {{"TopLeft", {0, 0.5f, 0.5f, 1}, true}, {"TopRight", {0.5f, 0.5f, 1, 1}, true}}, true},
      {"equalize after moving both edges", quadrants,
       [](PoViewLayout &l) {
         l.moveEdge(view("TopLeft"), PoViewLayout::RIGHT, 0.7f);
         l.moveEdge(view("TopLeft"), PoViewLayout::BOTTOM, 0.2f);
         l.equalize();
         return SbBool(TRUE);
       },
       TRUE,
       {{"TopLeft", {0, 0.5f, 0.5f, 1}, true}, {"TopRight", {0.5f, 0.5f, 1, 1}, true},
        {"BottomLeft", {0, 0, 0.5f, 0.5f}, true}, {"BottomRight", {0.5f, 0, 1, 0.5f}, true}},
       true},
      {"three columns", quadrants, [](PoViewLayout &l) { return l.arrange(3, 1); }, TRUE,
       {{"TopLeft", {0, 0, kThird, 1}, true}, {"TopRight", {kThird, 0, kTwoThirds, 1}, true},
        {"BottomLeft", {kTwoThirds, 0, 1, 1}, true}, {"BottomRight", {0.5f, 0, 1, 0.5f}, false}},
       true},
      {"one view, then four again", quadrants,
       [](PoViewLayout &l) { return l.arrange(1, 1) && l.arrange(2, 2); }, TRUE,
       {{"TopLeft", {0, 0.5f, 0.5f, 1}, true}, {"TopRight", {0.5f, 0.5f, 1, 1}, true},
        {"BottomLeft", {0, 0, 0.5f, 0.5f}, true}, {"BottomRight", {0.5f, 0, 1, 0.5f}, true}},
       true},
      {"swap", quadrants,
       [](PoViewLayout &l) { return l.swap(view("TopLeft"), view("BottomRight")); }, TRUE,
       {{"TopLeft", {0.5f, 0, 1, 0.5f}, true}, {"BottomRight", {0, 0.5f, 0.5f, 1}, true}}, true},
      {"a grid of no cells", quadrants, [](PoViewLayout &l) { return l.arrange(0, 2); }, FALSE,
       {{"TopLeft", {0, 0.5f, 0.5f, 1}, true}}, true},
      {"plain views", exampleText("side_by_side.iv"),
       [](PoViewLayout &l) { return l.moveEdge(view("Right"), PoViewLayout::LEFT, 0.6f); }, TRUE,
       {{"Left", {0, 0, 0.6f, 1}, true}, {"Right", {0.6f, 0, 1, 1}, true}}, true},
      {"two rows of plain views, an odd edge", exampleText("side_by_side.iv"),
       [](PoViewLayout &l) {
         return l.arrange(1, 2) && l.moveEdge(view("Left"), PoViewLayout::BOTTOM, 0.6180339f);
       },
       TRUE, {{"Left", {0, 0.6180339f, 1, 1}, true}, {"Right", {0, 0, 1, 0.6180339f}, true}},
       true},
      // The middle view starts at 0.1, which lies between two steps of the
      // grid: without its left edge on the grid too, origin + size gives a
      // right edge a 164 pixels wide window rounds a pixel short.
      {"an edge moved in a view off the grid", kStrips,
       [](PoViewLayout &l) { return l.moveEdge(view("Middle"), PoViewLayout::RIGHT, 0.6249939f); },
       TRUE,
       {{"Strip", {0, 0, 0.1f, 1}, true}, {"Middle", {0.1f, 0, 0.6249939f, 1}, true},
        {"Rest", {0.6249939f, 0, 1, 1}, true}},
       true},
      {"inset follows its view", exampleText("inset.iv"),
       [](PoViewLayout &l) { return l.arrange(2, 1); }, TRUE, {{"Main", {0, 0, 0.5f, 1}, true}},
       false},
      {"nested insets follow a maximize", kNestedQuadrants,
       [](PoViewLayout &l) { return l.maximize(view("TopLeft")); }, TRUE,
       {{"TopLeft", {0, 0, 1, 1}, true}, {"TopRight", {0.5f, 0.5f, 1, 1}, false}}, true},
      {"nested insets follow an edge", kNestedQuadrants,
       [](PoViewLayout &l) { return l.moveEdge(view("BottomLeft"), PoViewLayout::TOP, 0.3f); },
       TRUE,
       {{"TopLeft", {0, 0.3f, 0.5f, 1}, true}, {"BottomLeft", {0, 0, 0.5f, 0.3f}, true}}, true},
      {"nested insets follow a swap", kNestedQuadrants,
       [](PoViewLayout &l) { return l.swap(view("TopLeft"), view("BottomRight")); }, TRUE,
       {{"TopLeft", {0.5f, 0, 1, 0.5f}, true}}, true},
  };
  return cases;
}

// Every view's fields, to compare before and after.
struct Fields {
  SbVec2f origin, size;
  SbBool visible;
  // Bit for bit: a NaN put back is the same NaN.
  bool operator==(const Fields &o) const {
    return std::memcmp(origin.getValue(), o.origin.getValue(), sizeof(float) * 2) == 0 &&
           std::memcmp(size.getValue(), o.size.getValue(), sizeof(float) * 2) == 0 &&
           visible == o.visible;
  }
};

std::map<PoBaseView *, Fields> fieldsOf(SoNode *root) {
  std::map<PoBaseView *, Fields> fields;
  const PoViewList all(root, true);
  for (int i = 0; i < all.getLength(); ++i) {
    PoBaseView *v = all[i].view;
    fields[v] = {v->viewportOrigin.getValue(), v->viewportSize.getValue(), v->isVisible.getValue()};
  }
  return fields;
}

// The pixels each top-level view switched on is given in a window, as the
// traversal gives them to every action: a probe in each view's scene (or
// after a plain view) records the viewport region.
class PixelCoverage {
public:
  explicit PixelCoverage(PoViewLayout &layout) {
    for (int i = 0; i < layout.getNumViews(); ++i) {
      PoBaseView *v = layout.getView(i);
      m_probes.emplace_back(new ElementProbe);
      if (v->isOfType(PoSceneView::getClassTypeId())) {
        static_cast<SoGroup *>(v->getPart("scene", TRUE))->addChild(m_probes.back()->node());
      } else {
        SoSearchAction search;
        search.setNode(v);
        search.apply(layout.getSceneGraph());
        auto *group = static_cast<SoGroup *>(search.getPath()->getNodeFromTail(1));
        group->insertChild(m_probes.back()->node(), group->findChild(v) + 1);
      }
    }
  }

  // How many views draw each pixel of a window of the given size, row by row.
  std::vector<int> counts(SoNode *root, short width, short height) {
    for (auto &probe : m_probes) probe->reset();
    SoGetBoundingBoxAction box(SbViewportRegion(width, height));
    box.apply(root);
    std::vector<int> count(std::size_t(width) * height, 0);
    for (auto &probe : m_probes) {
      if (!probe->calls()) continue;
      const SbViewportRegion &region = probe->last().viewport;
      const SbVec2s origin = region.getViewportOriginPixels();
      const SbVec2s size = region.getViewportSizePixels();
      for (int y = origin[1]; y < origin[1] + size[1]; ++y)
        for (int x = origin[0]; x < origin[0] + size[0]; ++x)
          if (x >= 0 && y >= 0 && x < width && y < height) ++count[std::size_t(y) * width + x];
    }
    return count;
  }

private:
  std::vector<std::unique_ptr<ElementProbe>> m_probes;
};

} // namespace

TEST(ViewLayout, OperationsPlaceTopLevelViewsCoverTheWindowOnceAndCarryNestedViews) {
  const short sizes[][2] = {{641, 481}, {333, 211}, {164, 61}, {97, 61}};
  for (const LayoutCase &test : layoutCases()) {
    SCOPED_TRACE(test.what);
    SoSeparator *root = readScene(test.scene);
    ASSERT_NE(root, nullptr);
    root->ref();
    const std::map<PoBaseView *, Fields> before = fieldsOf(root);
    // The inset's parent: TopLeft in the nested quadrants, Main in inset.iv.
    const bool nested = view("Inset") != nullptr;
    const char *parentName = view("TopLeft") ? "TopLeft" : "Main";
    Rect insetBefore{}, deeperBefore{};
    if (nested) insetBefore = relativeTo(rectOf("Inset"), rectOf(parentName));
    if (view("Deeper")) deeperBefore = relativeTo(rectOf("Deeper"), rectOf(parentName));
    {
      PoViewLayout layout(root);
      DebugCapture reports;
      EXPECT_EQ(test.operation(layout), test.answer);
      // Misuse is reported; an edge that cannot move is an answer, not misuse.
      EXPECT_EQ(reports.ours().size(), test.what == std::string("a grid of no cells") ? 1u : 0u);
      for (const Placed &placed : test.expected) {
        SCOPED_TRACE(placed.name);
        EXPECT_EQ(view(placed.name)->isVisible.getValue() != FALSE, placed.visible);
        expectRect(rectOf(placed.name), placed.rect);
      }
      if (nested) {
        // Nested views keep their place in their parent, wherever it went.
        const Rect parent = rectOf(parentName);
        expectRect(relativeTo(rectOf("Inset"), parent), insetBefore, 1.0e-4f);
        if (view("Deeper"))
          expectRect(relativeTo(rectOf("Deeper"), parent), deeperBefore, 1.0e-4f);
      }
      PixelCoverage coverage(layout);
      for (const auto &size : sizes) {
        const std::vector<int> counts = coverage.counts(root, size[0], size[1]);
        int gaps = 0, overlaps = 0;
        for (int count : counts) {
          gaps += count == 0;
          overlaps += count > 1;
        }
        EXPECT_EQ(overlaps, 0) << size[0] << "x" << size[1];
        if (test.tiles) {
          EXPECT_EQ(gaps, 0) << size[0] << "x" << size[1];
        }
      }
      // After a maximize, restore() gives back every field as it was.
      if (layout.getMaximized()) {
        layout.restore();
        EXPECT_EQ(fieldsOf(root), before);
      }
    }
    root->unref();
  }
}

namespace {

bool near(const SbColor &a, const SbColor &b) {
  return std::fabs(a[0] - b[0]) < 0.02f && std::fabs(a[1] - b[1]) < 0.02f &&
         std::fabs(a[2] - b[2]) < 0.02f;
}

} // namespace

// Rendered after maximize: the view's background fills the window inside its
// border and its scene shows in the middle; nothing of the other views is
// drawn anywhere. Restored, the quadrants are back.
TEST(ViewLayout, MaximizedViewAloneIsDrawn) {
  const short width = 161, height = 121;
  GLTestContext gl(width, height);
  ASSERT_TRUE(gl.isValid());
  SoSeparator *root = readScene(exampleText("four_quadrants.iv"));
  ASSERT_NE(root, nullptr);
  root->ref();
  const SbColor topRight(0.1f, 0.35f, 0.1f);
  const SbColor others[] = {SbColor(0.1f, 0.1f, 0.4f), SbColor(0.4f, 0.1f, 0.1f),
                            SbColor(0.3f, 0.3f, 0.3f)};
  PoViewLayout layout(root);
  ASSERT_TRUE(layout.maximize(view("TopRight")));
  gl.render(root);
  for (int x : {6, width - 7})
    for (int y : {6, height - 7}) EXPECT_TRUE(near(gl.pixel(x, y), topRight)) << x << ", " << y;
  EXPECT_FALSE(near(gl.pixel(width / 2, height / 2), topRight));
  int strangers = 0;
  for (const SbColor &pixel : gl.pixels())
    for (const SbColor &other : others) strangers += near(pixel, other);
  EXPECT_EQ(strangers, 0);

  layout.restore();
  gl.render(root);
  EXPECT_TRUE(near(gl.pixel(6, height - 7), others[0]));
  EXPECT_TRUE(near(gl.pixel(width - 7, height - 7), topRight));
  root->unref();
}

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

struct BadRect {
  const char *name;
  SbVec2f origin, size;
};

const BadRect kBadRects[] = {
    {"NaN", SbVec2f(kNaN, 0), SbVec2f(0.5f, kNaN)},
    {"infinite", SbVec2f(-kInf, 0), SbVec2f(kInf, 1)},
    {"negative", SbVec2f(0.8f, 0.8f), SbVec2f(-0.5f, -0.5f)},
    {"zero", SbVec2f(0.5f, 0.5f), SbVec2f(0, 0)},
    {"huge", SbVec2f(-FLT_MAX, 0), SbVec2f(FLT_MAX, FLT_MAX)},
    {"subnormal", SbVec2f(0.5f, 0), SbVec2f(std::numeric_limits<float>::denorm_min(), 1)},
};

bool isFinite(PoBaseView *v) {
  const SbVec2f o = v->viewportOrigin.getValue(), s = v->viewportSize.getValue();
  return std::isfinite(o[0]) && std::isfinite(o[1]) && std::isfinite(s[0]) && std::isfinite(s[1]);
}

} // namespace

// A view whose rectangle holds what no application means, beside two sound
// ones: every operation runs, none spreads the bad numbers to the others, and
// restore() gives the bad ones back bit for bit.
TEST(ViewLayout, BadRectanglesNeitherStopNorSpread) {
  for (const BadRect &bad : kBadRects) {
    SCOPED_TRACE(bad.name);
    SoSeparator *root = readScene(
        "Separator { DEF Left PoView { viewportSize 0.5 1 } "
        "DEF Right PoView { viewportOrigin 0.5 0 viewportSize 0.5 1 } "
        "DEF Bad PoSceneView { scene Separator { DEF Inner PoView { viewportSize 0.1 0.1 } } } }");
    ASSERT_NE(root, nullptr);
    root->ref();
    view("Bad")->viewportOrigin.setValue(bad.origin);
    view("Bad")->viewportSize.setValue(bad.size);
    const std::map<PoBaseView *, Fields> before = fieldsOf(root);
    PoViewLayout layout(root);
    EXPECT_TRUE(layout.maximize(view("Bad")));
    layout.restore();
    EXPECT_TRUE(layout.maximize(view("Left")));
    layout.restore();
    EXPECT_EQ(fieldsOf(root), before);
    for (PoViewLayout::Side side : {PoViewLayout::LEFT, PoViewLayout::RIGHT, PoViewLayout::BOTTOM,
                                    PoViewLayout::TOP})
      layout.moveEdge(view("Bad"), side, 0.3f);
    layout.moveEdge(view("Left"), PoViewLayout::RIGHT, 0.4f);
    layout.equalize();
    EXPECT_TRUE(isFinite(view("Left")) && isFinite(view("Right")));
    layout.getViewAt(0.25f, 0.5f);
    EXPECT_TRUE(layout.swap(view("Left"), view("Bad")));
    EXPECT_TRUE(layout.arrange(2, 2));
    for (const char *name : {"Left", "Right", "Bad", "Inner"})
      EXPECT_TRUE(isFinite(view(name))) << name;
    root->unref();
  }
}
