// Every action over views whose viewport fields hold values no sensible
// application sets, in every mode of the traversal callback, shallow and
// 1,000 deep, and over scene views missing their scene or camera. Nothing may
// crash or hang; what the application set reaches the state as it stands, and
// nothing the views compute from finite values is NaN or infinite.

#include "DebugCapture.h"
#include "ElementProbe.h"
#include "GLTestContext.h"
#include "PoCameraLink.h"
#include "PoToX3DAction.h"
#include "PoView.h"
#include "SceneViewTestAccess.h"
#include "TestViewKit.h"
#include "TileNode.h"
#include "VRMLTestScenes.h"

#include <Inventor/SoOutput.h>
#include <Inventor/SoPath.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/events/SoMouseButtonEvent.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/system/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <regex>
#include <utility>
#include <vector>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
const float kSubnormal = std::numeric_limits<float>::denorm_min();

struct BadViewport {
  const char *name;
  SbVec2f origin, size;
};

const BadViewport kViewports[] = {
    {"NaN everywhere", SbVec2f(kNaN, kNaN), SbVec2f(kNaN, kNaN)},
    {"NaN origin", SbVec2f(kNaN, 0.25f), SbVec2f(0.5f, 0.5f)},
    {"NaN width", SbVec2f(0.25f, 0.25f), SbVec2f(kNaN, 0.5f)},
    {"+infinity", SbVec2f(kInf, 0), SbVec2f(kInf, kInf)},
    {"-infinity", SbVec2f(-kInf, -kInf), SbVec2f(0.5f, -kInf)},
    {"infinite size from -infinity", SbVec2f(-kInf, 0), SbVec2f(kInf, 1)},
    {"negative", SbVec2f(-0.5f, -0.25f), SbVec2f(-1, -2)},
    {"zero size", SbVec2f(0.5f, 0.5f), SbVec2f(0, 0)},
    {"zero width", SbVec2f(0.25f, 0), SbVec2f(0, 1)},
    {"huge", SbVec2f(FLT_MAX, -FLT_MAX), SbVec2f(FLT_MAX, FLT_MAX)},
    {"huge size from far left", SbVec2f(-FLT_MAX, 0), SbVec2f(FLT_MAX, FLT_MAX)},
    {"subnormal width", SbVec2f(0.3f, 0.02f), SbVec2f(kSubnormal, 1)},
    {"subnormal height", SbVec2f(0.3f, 0.02f), SbVec2f(0.5f, kSubnormal)},
    {"tiny size far away", SbVec2f(1e30f, -1e30f), SbVec2f(1e-30f, 1e-38f)},
};
const std::size_t kRows = sizeof(kViewports) / sizeof(kViewports[0]);

// The three ways the traversal callback works.
enum class Mode { Plain, Portion, LogicalViewport };
const Mode kModes[] = {Mode::Plain, Mode::Portion, Mode::LogicalViewport};
const char *modeName(Mode mode) {
  return mode == Mode::Plain ? "plain" : mode == Mode::Portion ? "portion" : "logical viewport";
}

struct Region {
  const char *name;
  SbViewportRegion region;
};

std::vector<Region> regions() {
  SbViewportRegion emptyViewport(64, 48);
  emptyViewport.setViewportPixels(0, 0, 0, 0);
  return {{"64 x 48", SbViewportRegion(64, 48)},
          {"0 x 0 window", SbViewportRegion(0, 0)},
          {"0 x 0 viewport", emptyViewport}};
}

bool sameBits(const SbVec2f &a, const SbVec2f &b) {
  return std::memcmp(a.getValue(), b.getValue(), 2 * sizeof(float)) == 0;
}
bool isFinite(const SbVec2f &v) { return std::isfinite(v[0]) && std::isfinite(v[1]); }
bool isFinite(const SbViewportRegion &r) {
  return isFinite(r.getViewportOrigin()) && isFinite(r.getViewportSize());
}

void setViewport(PoBaseView *view, const BadViewport &v) {
  view->viewportOrigin.setValue(v.origin);
  view->viewportSize.setValue(v.size);
}

// One graph shape. Each probe sits below a view and sees the state that
// view set; a scene view without a scene has nowhere to hold one.
struct Layout {
  const char *name;
  SoSeparator *root = nullptr;
  std::vector<PoBaseView *> views;
  std::vector<std::pair<PoBaseView *, ElementProbe *>> probes;
  // What the export is expected to record and convert: the scene views met,
  // nested ones included, and of those the ones with a scene and a camera.
  int recordedSceneViews = 0;
  int convertedSceneViews = 0;
  // Views nested 1,000 deep, each level given a different row of the table.
  bool isDeep = false;
};

class Layouts {
public:
  Layouts(Tile &tile, int depth);
  ~Layouts() {
    for (Layout &layout : m_all) layout.root->unref();
  }
  Layouts(const Layouts &) = delete;
  Layouts &operator=(const Layouts &) = delete;
  std::vector<Layout> &all() { return m_all; }

private:
  Layout &begin(const char *name) {
    m_all.push_back(Layout());
    Layout &layout = m_all.back();
    layout.name = name;
    layout.root = new SoSeparator;
    layout.root->ref();
    layout.root->addChild(m_tile.makeNode());
    return layout;
  }
  ElementProbe *probe(Layout &layout, PoBaseView *view) {
    m_probes.emplace_back(new ElementProbe);
    layout.probes.emplace_back(view, m_probes.back().get());
    return m_probes.back().get();
  }
  PoSceneView *sceneView(Layout &layout, bool withScene, bool withCamera) {
    PoSceneView *view = new PoSceneView;
    if (withCamera) view->getPart("cameraKit.camera", TRUE);
    if (withScene) view->getPart("scene", TRUE);
    layout.views.push_back(view);
    ++layout.recordedSceneViews;
    if (withScene && withCamera) ++layout.convertedSceneViews;
    return view;
  }
  static void innermostLast(Layout &layout) {
    std::reverse(layout.views.begin(), layout.views.end());
    std::reverse(layout.probes.begin(), layout.probes.end());
  }
  static SoGroup *sceneOf(PoSceneView *view) {
    return static_cast<SoGroup *>(view->getPart("scene", FALSE));
  }

  Tile &m_tile;
  std::vector<std::unique_ptr<ElementProbe>> m_probes; // outlive the graphs
  std::vector<Layout> m_all;
};

Layouts::Layouts(Tile &tile, int depth) : m_tile(tile) {
  {
    // A plain view leaves its state to the nodes after it.
    Layout &l = begin("view");
    auto *view = new PoView;
    // Its label and triad are placed from the view's corners.
    view->label = "View";
    view->isAxesVisible = TRUE;
    l.views.push_back(view);
    l.root->addChild(view);
    l.root->addChild(probe(l, view)->node());
    l.root->addChild(new SoCube);
  }
  const struct {
    const char *name;
    bool scene, camera, decorations;
  } sceneViews[] = {{"scene view with decorations", true, true, true},
                    {"scene view without camera", true, false, false},
                    {"scene view without scene", false, true, true},
                    {"scene view without scene or camera", false, false, true}};
  for (const auto &kind : sceneViews) {
    Layout &l = begin(kind.name);
    PoSceneView *view = sceneView(l, kind.scene, kind.camera);
    view->isBackgroundVisible = kind.decorations;
    view->isBorderVisible = kind.decorations;
    if (kind.decorations) {
      view->label = "Scene view";
      view->isAxesVisible = TRUE;
    }
    if (kind.scene) {
      sceneOf(view)->addChild(probe(l, view)->node());
      sceneOf(view)->addChild(new SoCube);
    }
    l.root->addChild(view);
  }

  // Built from the innermost level out, each level given its values before
  // it gets a parent, so that no change travels up a long chain.
  {
    // Each view under a separator of its own that also holds the next one.
    Layout &l = begin("views nested deep");
    l.isDeep = true;
    SoNode *inner = new SoCube;
    for (int i = depth - 1; i >= 0; --i) {
      auto *view = new PoView;
      setViewport(view, kViewports[std::size_t(i) % kRows]);
      l.views.push_back(view);
      auto *level = new SoSeparator;
      level->addChild(view);
      level->addChild(probe(l, view)->node());
      level->addChild(inner);
      inner = level;
    }
    l.root->addChild(inner);
    innermostLast(l);
  }
  {
    // Each scene view in the scene of the one before.
    Layout &l = begin("scene views nested deep");
    l.isDeep = true;
    SoNode *inner = new SoCube;
    for (int i = depth - 1; i >= 0; --i) {
      PoSceneView *view = sceneView(l, true, true);
      setViewport(view, kViewports[std::size_t(i) % kRows]);
      sceneOf(view)->addChild(probe(l, view)->node());
      sceneOf(view)->addChild(inner);
      inner = view;
    }
    l.root->addChild(inner);
    innermostLast(l);
  }
}

// What one action applied over a layout is checked against.
struct Applied {
  Mode mode;
  bool isGLRender;
  // Whether the action carries a window, in whose pixels views place
  // themselves.
  bool hasWindow;
  // The region the view works from: the action's own, or a default region
  // for an action that carries none.
  SbViewportRegion viewRegion;
  // The region the action was applied with.
  SbViewportRegion actionRegion;
};

// The state below one view, read by its probe, against the view's fields.
void expectState(const ElementSnapshot &s, const PoBaseView &view, const Applied &a,
                 const Tile &tile) {
  const SbVec2f origin = view.viewportOrigin.getValue(), size = view.viewportSize.getValue();
  const bool finite[2] = {std::isfinite(origin[0]) && std::isfinite(size[0]),
                          std::isfinite(origin[1]) && std::isfinite(size[1])};
  const SbVec4f defaultPortion = SoModifyViewVolumeElement::getDefault();

  if (a.mode == Mode::LogicalViewport && !a.isGLRender) {
    // Views leave other actions alone in this mode.
    EXPECT_EQ(s.viewport, a.actionRegion);
    EXPECT_EQ(s.portion, defaultPortion);
    EXPECT_FALSE(s.logicalIsSet);
    return;
  }
  if (a.mode == Mode::LogicalViewport) {
    for (int axis = 0; axis < 2; ++axis)
      if (finite[axis]) {
        EXPECT_TRUE(std::isfinite(s.box.getMin()[axis])) << axis;
        EXPECT_TRUE(std::isfinite(s.box.getMax()[axis])) << axis;
        EXPECT_TRUE(std::isfinite(s.portion[axis]) && std::isfinite(s.portion[axis + 2])) << axis;
      }
    EXPECT_TRUE(isFinite(s.viewport));
    EXPECT_TRUE(isFinite(s.logical));
    if (finite[0] && finite[1]) {
      EXPECT_TRUE(std::isfinite(s.logicalScale)) << s.logicalScale;
    }
    EXPECT_EQ(s.recordedPortion, tile.logicalPortion);
    return;
  }
  if (a.mode == Mode::Portion && a.isGLRender) {
    // The viewport stays the action's; the scissor lies within it (the view
    // sets it to the action's viewport, the view's camera narrows it to the
    // part of the view the tile shows).
    EXPECT_EQ(s.viewport, a.actionRegion);
    EXPECT_TRUE(s.scissorEnabled);
    const SbVec2s &scissorOrigin = a.actionRegion.getViewportOriginPixels();
    const SbVec2s &scissorSize = a.actionRegion.getViewportSizePixels();
    for (int axis = 0; axis < 2; ++axis) {
      EXPECT_GE(s.scissorBox[axis], scissorOrigin[axis]);
      EXPECT_LE(s.scissorBox[axis] + s.scissorBox[axis + 2], scissorOrigin[axis] + scissorSize[axis]);
    }
    EXPECT_EQ(s.recordedPortion, tile.viewVolumePortion);
    for (int axis = 0; axis < 2; ++axis)
      if (finite[axis]) {
        EXPECT_TRUE(std::isfinite(s.portion[axis])) << s.portion[axis];
        EXPECT_TRUE(std::isfinite(s.portion[axis + 2])) << s.portion[axis + 2];
      }
    EXPECT_TRUE(s.logicalIsSet);
    EXPECT_TRUE(isFinite(s.logical));
    return;
  }
  // Plain path: the view's rectangle in the region, its edges on the nearest
  // pixel edges of a window; as set where pixels cannot hold it.
  EXPECT_EQ(s.viewport.getWindowSize(), a.viewRegion.getWindowSize());
  const SbVec2s &window = a.viewRegion.getWindowSize();
  double edges[4];
  bool placed = a.hasWindow;
  for (int axis = 0; axis < 2; ++axis) {
    edges[axis] = std::floor(double(origin[axis]) * window[axis] + 0.5);
    edges[axis + 2] = std::floor((double(origin[axis]) + size[axis]) * window[axis] + 0.5);
  }
  for (double edge : edges) placed = placed && std::isfinite(edge) && std::fabs(edge) < 16384.0;
  placed = placed && edges[2] >= edges[0] && edges[3] >= edges[1];
  if (placed) {
    const SbVec2s &pixelOrigin = s.viewport.getViewportOriginPixels();
    const SbVec2s &pixelSize = s.viewport.getViewportSizePixels();
    for (int axis = 0; axis < 2; ++axis) {
      EXPECT_EQ(pixelOrigin[axis], edges[axis]) << axis;
      EXPECT_EQ(pixelOrigin[axis] + pixelSize[axis], edges[axis + 2]) << axis;
    }
  } else {
    EXPECT_TRUE(sameBits(s.viewport.getViewportOrigin(), origin));
    EXPECT_TRUE(sameBits(s.viewport.getViewportSize(), size));
  }
  EXPECT_EQ(s.portion, defaultPortion);
  EXPECT_FALSE(s.logicalIsSet);
  EXPECT_EQ(s.recordedPortion, defaultPortion);
  if (a.isGLRender) {
    // Drawing is limited to the view's own pixels, also over a window of no
    // size: never a NaN or infinite update area.
    for (int axis = 0; axis < 2; ++axis) {
      EXPECT_TRUE(std::isfinite(s.updateOrigin[axis])) << s.updateOrigin[axis];
      EXPECT_TRUE(std::isfinite(s.updateSize[axis])) << s.updateSize[axis];
    }
  }
}

// The path to a node, through the kits, for the matrix action.
SoPath *pathTo(SoNode *root, SoNode *node) {
  const SbBool wasSearchingChildren = SoBaseKit::isSearchingChildren();
  SoBaseKit::setSearchingChildren(TRUE);
  SoSearchAction search;
  search.setNode(node);
  search.apply(root);
  SoBaseKit::setSearchingChildren(wasSearchingChildren);
  SoPath *path = search.getPath();
  if (path) path->ref();
  return path;
}

// Applies every traversing action but searching and writing, checking the
// state below each view after each.
void traverse(Layout &layout, Mode mode, const SbViewportRegion &region, GLTestContext &gl,
              const Tile &tile) {
  const SbVec2s window = region.getWindowSize();
  const SbVec2s centre(short(window[0] / 2), short(window[1] / 2));
  // A matrix action looks only along a path: the one to the innermost probe.
  SoPath *path = layout.probes.empty() ? nullptr : pathTo(layout.root, layout.probes.back().second->node());
  if (!layout.probes.empty()) {
    ASSERT_NE(path, nullptr);
  }

  SoGetBoundingBoxAction bbox(region);
  SoGetMatrixAction matrix(region);
  SoMouseButtonEvent press;
  press.setButton(SoMouseButtonEvent::BUTTON1);
  press.setState(SoButtonEvent::DOWN);
  press.setPosition(centre);
  SoHandleEventAction handle(region);
  handle.setEvent(&press);
  // In Coin a ray pick is the pick action: Coin's kits pass no other pick
  // action down to their parts.
  SoRayPickAction pick(region);
  pick.setPoint(centre);
  SoCallbackAction callback(region);
  struct Run {
    const char *name;
    SoAction *action;
  };
  const Run runs[] = {{"GL render", &gl.action()}, {"bounding box", &bbox}, {"matrix", &matrix},
                      {"handle event", &handle},   {"ray pick", &pick},     {"callback", &callback}};
  for (const Run &run : runs) {
    SCOPED_TRACE(run.name);
    for (auto &probe : layout.probes) probe.second->reset();
    const bool isGLRender = run.action == &gl.action();
    if (isGLRender) {
      gl.action().setViewportRegion(region);
      gl.render(layout.root);
    } else if (run.action == &matrix && path) {
      matrix.apply(path);
    } else {
      run.action->apply(layout.root);
    }
    const bool hasWindow = run.action != &callback;
    const Applied applied{mode, isGLRender, hasWindow, hasWindow ? region : SbViewportRegion(),
                          region};
    for (std::size_t level = 0; level < layout.probes.size(); ++level) {
      const ElementProbe &probe = *layout.probes[level].second;
      // Off the path a matrix action may pass a probe by.
      if (run.action == &matrix && probe.calls() == 0) continue;
      SCOPED_TRACE(testing::Message() << "level " << level);
      ASSERT_GE(probe.calls(), 1);
      expectState(probe.last(), *layout.probes[level].first, applied, tile);
      if (testing::Test::HasFailure()) break; // one level tells enough
    }
  }
  if (path) path->unref();
}

// Searching and writing go past the views and leave the recorded values.
void searchAndWrite(Layout &layout) {
  const SbVec4f sentinelPortion(0.1f, 0.2f, 0.3f, 0.4f);
  const SbVec2s sentinelSize(7, 9);
  PoBaseViewTestAccess::setRecorded(sentinelPortion, sentinelSize);
  SoSearchAction search;
  search.setType(SoCube::getClassTypeId());
  search.setInterest(SoSearchAction::ALL);
  search.setSearchingAll(TRUE);
  search.apply(layout.root);
  SoOutput out;
  out.setBuffer(nullptr, 0, std::realloc);
  SoWriteAction write(&out);
  write.apply(layout.root);
  void *buffer = nullptr;
  std::size_t bytes = 0;
  out.getBuffer(buffer, bytes);
  EXPECT_GT(bytes, 0u);
  std::free(buffer);
  EXPECT_EQ(PoBaseViewTestAccess::vvPortion(), sentinelPortion);
  EXPECT_EQ(PoBaseViewTestAccess::logicalViewportSize(), sentinelSize);
}

// The export converts the scene views that have what it needs and empties
// the others; the result is a graph that can be written.
void exportLayout(Layout &layout, bool firstSceneViewSensitive) {
  PoToVRML2Action action;
  action.setFirstSceneViewSensitive(firstSceneViewSensitive);
  action.apply(layout.root);
  SoNode *result = action.getVRML2SceneGraph();
  ASSERT_NE(result, nullptr);
  const int recorded = VRMLTestScenes::numSceneViews(action);
  EXPECT_EQ(recorded, layout.recordedSceneViews);
  int converted = 0;
  for (int i = 0; i < recorded; ++i)
    if (SoVRMLParent *group = VRMLTestScenes::viewGroup(action, i))
      if (group->getNumChildren() > 0) ++converted;
  // A view whose overlay placement overflows (a viewport of infinities or
  // NaN, or one near the float limits) lies in no window and is left out.
  EXPECT_LE(converted, layout.convertedSceneViews);
  static const std::regex notFinite(R"([\s\['"-](nan|inf)\b)");
  // Coin writes a graph 1,000 deep slowly; the shallow ones say enough.
  if (!layout.isDeep) {
    const std::string written = VRMLTestScenes::writeVRML(result);
    EXPECT_FALSE(written.empty());
    EXPECT_FALSE(std::regex_search(written, notFinite)) << "a number in the VRML97 file";
  }
  // The X3D export writes every layer with numbers a file can carry.
  for (PoToX3DAction::Encoding encoding : {PoToX3DAction::CLASSIC_VRML, PoToX3DAction::XML}) {
    PoToX3DAction x3d;
    x3d.setEncoding(encoding);
    x3d.apply(layout.root);
    const std::string &text = x3d.getX3DText();
    EXPECT_EQ(text.rfind(encoding == PoToX3DAction::XML ? "<?xml" : "#X3D V4.0 utf8", 0), 0u);
    EXPECT_FALSE(std::regex_search(text, notFinite));
  }
}

// Every mode, every region, every action and the export over a layout whose
// views hold their values.
void runMatrix(Layout &layout, GLTestContext &gl, Tile &tile, const std::vector<Region> &regions,
               bool firstSceneViewSensitive) {
  for (Mode mode : kModes) {
    SCOPED_TRACE(modeName(mode));
    std::unique_ptr<ZembaMode> zemba(mode == Mode::LogicalViewport ? new ZembaMode : nullptr);
    tile.active = mode != Mode::Plain;
    tile.viewVolumePortion = mode == Mode::Portion ? SbVec4f(0.25f, 0, 0.75f, 1)
                                                   : SoModifyViewVolumeElement::getDefault();
    for (const Region &r : regions) {
      SCOPED_TRACE(r.name);
      traverse(layout, mode, r.region, gl, tile);
      if (testing::Test::HasFailure()) return;
    }
  }
  searchAndWrite(layout);
  exportLayout(layout, firstSceneViewSensitive);
}

// Nothing clamps the fields: they hold what was set.
void expectFieldsHold(PoBaseView *view, const BadViewport &v) {
  EXPECT_TRUE(sameBits(view->viewportOrigin.getValue(), v.origin));
  EXPECT_TRUE(sameBits(view->viewportSize.getValue(), v.size));
}

class BadInputMatrix : public ::testing::Test {
protected:
  void SetUp() override {
    m_savedPortion = PoBaseViewTestAccess::vvPortion();
    m_savedSize = PoBaseViewTestAccess::logicalViewportSize();
  }
  void TearDown() override { PoBaseViewTestAccess::setRecorded(m_savedPortion, m_savedSize); }

private:
  SbVec4f m_savedPortion;
  SbVec2s m_savedSize;
};

} // namespace

TEST_F(BadInputMatrix, EveryActionOverBadViewports) {
  GLTestContext gl(64, 48);
  ASSERT_TRUE(gl.isValid());
  // Coin warns of the camera kits it converts; the views report nothing.
  DebugCapture reports;
  Tile tile;
  tile.logicalPortion = SbVec4f(0.25f, 0, 0.75f, 1);
  Layouts layouts(tile, 1000);
  const std::vector<Region> allRegions = regions();

  for (Layout &layout : layouts.all()) {
    SCOPED_TRACE(layout.name);
    if (layout.isDeep) {
      // Depth is what this layout tests: the window of the first region does.
      runMatrix(layout, gl, tile, {allRegions.front()}, true);
      for (std::size_t level = 0; level < layout.views.size(); ++level)
        expectFieldsHold(layout.views[level], kViewports[level % kRows]);
      continue;
    }
    for (std::size_t row = 0; row < kRows; ++row) {
      const BadViewport &v = kViewports[row];
      SCOPED_TRACE(v.name);
      for (PoBaseView *view : layout.views) setViewport(view, v);
      runMatrix(layout, gl, tile, allRegions, row % 2 == 1);
      for (PoBaseView *view : layout.views) expectFieldsHold(view, v);
      if (HasFailure()) return;
    }
  }
  EXPECT_TRUE(reports.ours().empty());
}

namespace {

bool hasFiniteFields(const SoCamera *camera) {
  SoFieldList fields;
  camera->getFields(fields);
  for (int i = 0; i < fields.getLength(); ++i) {
    SbString value;
    fields[i]->get(value);
    if (std::regex_search(value.getString(), std::regex(R"((nan|inf))", std::regex::icase)))
      return false;
  }
  return true;
}

SbVec3f badInputFocalPoint(const SoCamera *camera) {
  SbVec3f direction;
  camera->orientation.getValue().multVec(SbVec3f(0, 0, -1), direction);
  return camera->position.getValue() + camera->focalDistance.getValue() * direction;
}

} // namespace

// A link between a view with a sound viewport and views with each bad one:
// a zoom that cannot be measured in pixels is not carried, every other kind
// of change is, and no camera takes a value that is not finite, whichever
// view moves.
TEST_F(BadInputMatrix, LinkedViewsOverBadViewports) {
  DebugCapture reports;
  for (const BadViewport &v : kViewports) {
    SCOPED_TRACE(v.name);
    auto *root = new SoSeparator;
    root->ref();
    auto *link = new PoCameraLink;
    std::vector<SoCamera *> cameras;
    for (SoType type : {SoPerspectiveCamera::getClassTypeId(),
                        SoOrthographicCamera::getClassTypeId(),
                        SoPerspectiveCamera::getClassTypeId()}) {
      auto *view = new PoView;
      if (!cameras.empty()) setViewport(view, v);
      cameras.push_back(view->getCamera(type));
      cameras.back()->position.setValue(0, 0, 5);
      link->views.set1Value(link->views.getNum(), view);
      root->addChild(view);
    }
    root->addChild(link);
    SoGetBoundingBoxAction(SbViewportRegion(640, 480)).apply(root);

    for (SoCamera *moved : {cameras[0], cameras[1]}) {
      const SbVec3f before = badInputFocalPoint(cameras[2]);
      moved->position = moved->position.getValue() + SbVec3f(1, 2, 0);
      EXPECT_LT((badInputFocalPoint(cameras[2]) - before - SbVec3f(1, 2, 0)).length(), 1e-4f);
      moved->orientation = SbRotation(SbVec3f(0, 1, 0), 0.3f);
      moved->focalDistance = moved->focalDistance.getValue() * 0.5f;
      if (moved->isOfType(SoOrthographicCamera::getClassTypeId()))
        static_cast<SoOrthographicCamera *>(moved)->height = 0.25f;
      for (const SoCamera *camera : cameras) EXPECT_TRUE(hasFiniteFields(camera));
    }
    root->unref();
  }
  EXPECT_TRUE(reports.ours().empty());
}
