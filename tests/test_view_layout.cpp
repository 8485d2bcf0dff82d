// PoViewLayout's operations over the examples and a nested inset: the
// rectangles they give, the window covered once in pixels as rendered at odd
// sizes, nested views moved with their parents, restore() giving back the
// very fields, and bad rectangles that neither stop nor spread.

#include "DebugCapture.h"
#include "ElementProbe.h"
#include "GLTestContext.h"
#include "PoSceneView.h"
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
#include <fstream>
#include <functional>
#include <limits>
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

PoBaseView *view(const char *name) { return static_cast<PoBaseView *>(SoNode::getByName(name)); }

struct Rect {
  float left, bottom, right, top;
};

Rect rectOf(const char *name) {
  const SbVec2f o = view(name)->viewportOrigin.getValue(), s = view(name)->viewportSize.getValue();
  return {o[0], o[1], o[0] + s[0], o[1] + s[1]};
}

// Where a nested view lies in its parent, as fractions of the parent.
Rect relativeTo(const Rect &inner, const Rect &outer) {
  const float w = outer.right - outer.left, h = outer.top - outer.bottom;
  return {(inner.left - outer.left) / w, (inner.bottom - outer.bottom) / h,
          (inner.right - outer.left) / w, (inner.top - outer.bottom) / h};
}

// Edges the layout computes lie on its grid of 1/65536: within half a step.
void expectRect(const Rect &found, const Rect &expected, float tolerance = 8.0e-6f) {
  EXPECT_NEAR(found.left, expected.left, tolerance);
  EXPECT_NEAR(found.bottom, expected.bottom, tolerance);
  EXPECT_NEAR(found.right, expected.right, tolerance);
  EXPECT_NEAR(found.top, expected.top, tolerance);
}

// Quadrants; the upper left one holds an inset, which holds one of its own.
const std::string kNestedQuadrants =
    "Separator { DEF TopLeft PoSceneView { viewportOrigin 0 0.5 viewportSize 0.5 0.5 "
    "scene Separator { DEF Inset PoSceneView { viewportOrigin 0.05 0.7 viewportSize 0.2 0.25 "
    "scene Separator { DEF Deeper PoView { viewportOrigin 0.1 0.8 viewportSize 0.05 0.1 } } } } } "
    "DEF TopRight PoSceneView { viewportOrigin 0.5 0.5 viewportSize 0.5 0.5 } "
    "DEF BottomLeft PoSceneView { viewportSize 0.5 0.5 } "
    "DEF BottomRight PoSceneView { viewportOrigin 0.5 0 viewportSize 0.5 0.5 } }";

// The middle strip starts at 0.1, between two steps of the grid: unless its
// left edge goes on the grid too, origin + size gives a right edge that a
// window 164 pixels wide rounds a pixel short of its neighbour's left edge.
const std::string kStrips = "Separator { DEF Strip PoSceneView { viewportSize 0.1 1 } "
                            "DEF Middle PoSceneView { viewportOrigin 0.1 0 viewportSize 0.4 1 } "
                            "DEF Rest PoSceneView { viewportOrigin 0.5 0 viewportSize 0.5 1 } }";

using Operation = std::function<SbBool(PoViewLayout &)>;
const PoViewLayout::Side kRight = PoViewLayout::RIGHT, kTop = PoViewLayout::TOP;
const float kThird = float(21845.0 / 65536.0), kTwoThirds = float(43691.0 / 65536.0);

// A top-level view after an operation: its rectangle, or switched off.
struct Placed {
  const char *name;
  Rect rect;
  bool visible = true;
};

const struct {
  const char *what;
  std::string scene;
  Operation operation;
  SbBool answer;
  std::vector<Placed> expected;
  bool tiles; // the views switched on cover the window, each pixel once
} kCases[] = {
    {"maximize", "four_quadrants.iv", [](PoViewLayout &l) { return l.maximize(view("TopRight")); },
     TRUE, {{"TopRight", {0, 0, 1, 1}}, {"TopLeft", {0, 0.5f, 0.5f, 1}, false}}, true},
    {"vertical edge", "four_quadrants.iv",
     [](PoViewLayout &l) { return l.moveEdge(view("TopLeft"), kRight, 0.3f); }, TRUE,
     {{"BottomLeft", {0, 0, 0.3f, 0.5f}}, {"TopRight", {0.3f, 0.5f, 1, 1}}}, true},
    {"edge past the minimum", "four_quadrants.iv",
     [](PoViewLayout &l) { return l.moveEdge(view("BottomRight"), kTop, 0.01f); }, TRUE,
     {{"TopLeft", {0, 0.05f, 0.5f, 1}}, {"BottomRight", {0.5f, 0, 1, 0.05f}}}, true},
    {"the window's edge", "four_quadrants.iv",
     [](PoViewLayout &l) { return l.moveEdge(view("TopLeft"), PoViewLayout::LEFT, 0.2f); }, FALSE,
     {{"TopLeft", {0, 0.5f, 0.5f, 1}}}, true},
    {"equalize", "four_quadrants.iv",
     [](PoViewLayout &l) {
       l.moveEdge(view("TopLeft"), kRight, 0.7f);
       l.moveEdge(view("TopLeft"), PoViewLayout::BOTTOM, 0.2f);
       l.equalize();
       return SbBool(TRUE);
     },
     TRUE, {{"TopLeft", {0, 0.5f, 0.5f, 1}}, {"BottomRight", {0.5f, 0, 1, 0.5f}}}, true},
    {"three columns", "four_quadrants.iv", [](PoViewLayout &l) { return l.arrange(3, 1); }, TRUE,
     {{"TopRight", {kThird, 0, kTwoThirds, 1}}, {"BottomRight", {0.5f, 0, 1, 0.5f}, false}}, true},
    {"one, then four", "four_quadrants.iv",
     [](PoViewLayout &l) { return l.arrange(1, 1) && l.arrange(2, 2); }, TRUE,
     {{"TopRight", {0.5f, 0.5f, 1, 1}}, {"BottomLeft", {0, 0, 0.5f, 0.5f}}}, true},
    {"swap", "four_quadrants.iv",
     [](PoViewLayout &l) { return l.swap(view("TopLeft"), view("BottomRight")); }, TRUE,
     {{"TopLeft", {0.5f, 0, 1, 0.5f}}, {"BottomRight", {0, 0.5f, 0.5f, 1}}}, true},
    {"a grid of no cells", "four_quadrants.iv", [](PoViewLayout &l) { return l.arrange(0, 2); },
     FALSE, {{"TopLeft", {0, 0.5f, 0.5f, 1}}}, true},
    {"an edge off the grid", kStrips,
     [](PoViewLayout &l) { return l.moveEdge(view("Middle"), kRight, 0.6249939f); }, TRUE,
     {{"Middle", {0.1f, 0, 0.6249939f, 1}}, {"Rest", {0.6249939f, 0, 1, 1}}}, true},
    {"inset", "inset.iv", [](PoViewLayout &l) { return l.arrange(2, 1); }, TRUE,
     {{"Main", {0, 0, 0.5f, 1}}}, false},
    {"nested maximize", kNestedQuadrants,
     [](PoViewLayout &l) { return l.maximize(view("TopLeft")); }, TRUE,
     {{"TopLeft", {0, 0, 1, 1}}, {"TopRight", {0.5f, 0.5f, 1, 1}, false}}, true},
    {"nested edge", kNestedQuadrants,
     [](PoViewLayout &l) { return l.moveEdge(view("BottomLeft"), kTop, 0.3f); }, TRUE,
     {{"TopLeft", {0, 0.3f, 0.5f, 1}}}, true},
};

// Every view's fields, bit for bit: a NaN put back is the same NaN.
std::map<PoBaseView *, std::string> fieldsOf(SoNode *root) {
  std::map<PoBaseView *, std::string> fields;
  const PoViewList all(root, true);
  for (int i = 0; i < all.getLength(); ++i) {
    PoBaseView *v = all[i].view;
    const float values[] = {v->viewportOrigin.getValue()[0], v->viewportOrigin.getValue()[1],
                            v->viewportSize.getValue()[0], v->viewportSize.getValue()[1],
                            float(v->isVisible.getValue())};
    fields[v] = std::string(reinterpret_cast<const char *>(values), sizeof values);
  }
  return fields;
}

// How many top-level views draw each pixel of a window, as every action's
// traversal places them: a probe in each view's scene (or after a plain view)
// records the viewport region in force.
std::vector<int> pixelCounts(PoViewLayout &layout, short width, short height) {
  std::vector<std::pair<SoGroup *, std::unique_ptr<ElementProbe>>> probes;
  for (int i = 0; i < layout.getNumViews(); ++i) {
    PoBaseView *v = layout.getView(i);
    SoSearchAction search;
    search.setNode(v);
    search.apply(layout.getSceneGraph());
    auto *group = v->isOfType(PoSceneView::getClassTypeId())
                      ? static_cast<SoGroup *>(v->getPart("scene", TRUE))
                      : static_cast<SoGroup *>(search.getPath()->getNodeFromTail(1));
    probes.emplace_back(group, new ElementProbe);
    group->insertChild(probes.back().second->node(), group->findChild(v) + 1);
  }
  SoGetBoundingBoxAction(SbViewportRegion(width, height)).apply(layout.getSceneGraph());
  std::vector<int> count(std::size_t(width) * height, 0);
  for (auto &probe : probes) {
    probe.first->removeChild(probe.second->node());
    if (!probe.second->calls()) continue;
    const SbVec2s o = probe.second->last().viewport.getViewportOriginPixels();
    const SbVec2s s = probe.second->last().viewport.getViewportSizePixels();
    for (int y = std::max(0, int(o[1])); y < std::min(int(height), o[1] + s[1]); ++y)
      for (int x = std::max(0, int(o[0])); x < std::min(int(width), o[0] + s[0]); ++x)
        ++count[std::size_t(y) * width + x];
  }
  return count;
}

} // namespace

TEST(ViewLayout, OperationsPlaceTopLevelViewsCoverTheWindowOnceAndCarryNestedViews) {
  for (const auto &test : kCases) {
    SCOPED_TRACE(test.what);
    SoSeparator *root = readScene(test.scene.find('{') == std::string::npos
                                      ? exampleText(test.scene.c_str())
                                      : test.scene);
    ASSERT_NE(root, nullptr);
    root->ref();
    const std::map<PoBaseView *, std::string> before = fieldsOf(root);
    const char *parent = view("TopLeft") ? "TopLeft" : "Main";
    std::map<std::string, Rect> nestedBefore;
    for (const char *nested : {"Inset", "Deeper"})
      if (view(nested)) nestedBefore[nested] = relativeTo(rectOf(nested), rectOf(parent));

    PoViewLayout layout(root);
    DebugCapture reports;
    EXPECT_EQ(test.operation(layout), test.answer);
    // Misuse is reported; an edge that cannot move is an answer, not misuse.
    EXPECT_EQ(reports.ours().size(), std::string(test.what) == "a grid of no cells" ? 1u : 0u);
    for (const Placed &placed : test.expected) {
      SCOPED_TRACE(placed.name);
      EXPECT_EQ(view(placed.name)->isVisible.getValue() != FALSE, placed.visible);
      expectRect(rectOf(placed.name), placed.rect);
    }
    for (const auto &nested : nestedBefore)
      expectRect(relativeTo(rectOf(nested.first.c_str()), rectOf(parent)), nested.second, 1e-4f);
    const short sizes[][2] = {{641, 481}, {164, 61}, {97, 61}};
    for (const auto &size : sizes) {
      int gaps = 0, overlaps = 0;
      for (int count : pixelCounts(layout, size[0], size[1])) {
        gaps += count == 0;
        overlaps += count > 1;
      }
      EXPECT_EQ(overlaps, 0) << size[0] << "x" << size[1];
      EXPECT_EQ(gaps > 0, !test.tiles) << size[0] << "x" << size[1];
    }
    if (layout.getMaximized()) {
      layout.restore();
      EXPECT_EQ(fieldsOf(root), before);
    }
    root->unref();
  }
}

// Rendered after maximize: the view's background fills the window inside its
// border, and nothing of the other views is drawn anywhere.
TEST(ViewLayout, MaximizedViewAloneIsDrawn) {
  const short width = 161, height = 121;
  GLTestContext gl(width, height);
  ASSERT_TRUE(gl.isValid());
  SoSeparator *root = readScene(exampleText("four_quadrants.iv"));
  root->ref();
  PoViewLayout layout(root);
  ASSERT_TRUE(layout.maximize(view("TopRight")));
  gl.render(root);
  auto near = [](const SbColor &a, const SbColor &b) { return (a - b).length() < 0.03f; };
  for (int x : {6, width - 7})
    for (int y : {6, height - 7}) EXPECT_TRUE(near(gl.pixel(x, y), SbColor(0.1f, 0.35f, 0.1f)));
  int strangers = 0;
  for (const SbColor &pixel : gl.pixels())
    for (const SbColor &other : {SbColor(0.1f, 0.1f, 0.4f), SbColor(0.4f, 0.1f, 0.1f),
                                 SbColor(0.3f, 0.3f, 0.3f)})
      strangers += near(pixel, other);
  EXPECT_EQ(strangers, 0);
  root->unref();
}

// A view whose rectangle holds what no application means, beside two sound
// ones: every operation runs, none spreads the bad numbers to the others or
// to the view nested in the bad one, and restore() gives them back.
TEST(ViewLayout, BadRectanglesNeitherStopNorSpread) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const float tiny = std::numeric_limits<float>::denorm_min();
  const SbVec2f bad[][2] = {{SbVec2f(nan, 0), SbVec2f(0.5f, nan)},
                            {SbVec2f(-inf, 0), SbVec2f(inf, 1)},
                            {SbVec2f(0.8f, 0.8f), SbVec2f(-0.5f, -0.5f)},
                            {SbVec2f(-FLT_MAX, 0), SbVec2f(FLT_MAX, FLT_MAX)},
                            {SbVec2f(0.5f, 0), SbVec2f(tiny, 1)}};
  auto finite = [](const char *name) {
    const SbVec2f o = view(name)->viewportOrigin.getValue();
    const SbVec2f s = view(name)->viewportSize.getValue();
    return std::isfinite(o[0] + o[1] + s[0] + s[1]);
  };
  for (const auto &rect : bad) {
    SoSeparator *root = readScene(
        "Separator { DEF Left PoView { viewportSize 0.5 1 } "
        "DEF Right PoView { viewportOrigin 0.5 0 viewportSize 0.5 1 } "
        "DEF Bad PoSceneView { scene Separator { DEF Inner PoView { viewportSize 0.1 0.1 } } } }");
    root->ref();
    view("Bad")->viewportOrigin.setValue(rect[0]);
    view("Bad")->viewportSize.setValue(rect[1]);
    const std::map<PoBaseView *, std::string> before = fieldsOf(root);
    PoViewLayout layout(root);
    EXPECT_TRUE(layout.maximize(view("Bad")));
    layout.restore();
    EXPECT_EQ(fieldsOf(root), before);
    for (PoViewLayout::Side side : {PoViewLayout::LEFT, kRight, PoViewLayout::BOTTOM, kTop})
      layout.moveEdge(view("Bad"), side, 0.3f);
    layout.moveEdge(view("Left"), kRight, 0.4f);
    layout.equalize();
    EXPECT_TRUE(finite("Left") && finite("Right"));
    EXPECT_TRUE(layout.swap(view("Left"), view("Bad")));
    EXPECT_TRUE(layout.arrange(2, 2));
    for (const char *name : {"Left", "Right", "Bad", "Inner"}) EXPECT_TRUE(finite(name)) << name;
    root->unref();
  }
}
