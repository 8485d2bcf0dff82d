// What a view sets in the traversal state, read back by a probe node placed
// after it, through real Coin actions (GL rendering in a real GL context).
#include "ElementProbe.h"
#include "GLTestContext.h"
#include "PoView.h"
#include "SoDBImpl.h"
#include "SoLogicalViewportElement.h"
#include "SoModifyLogicalViewportElement.h"
#include "SoModifyViewVolumeElement.h"
#include "TestViewKit.h"
#include "TileNode.h"

#include <Inventor/SoOutput.h>
#include <Inventor/SoPath.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/events/SoLocation2Event.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <cstdlib>

namespace {

const SbVec4f kDefaultPortion = SoModifyViewVolumeElement::getDefault();
const SbVec4f kSentinelPortion(0.1f, 0.2f, 0.3f, 0.4f);
const SbVec2s kSentinelLogicalSize(7, 9);

PoView *makeView(float ox, float oy, float sx, float sy) {
  auto *view = new PoView;
  view->viewportOrigin.setValue(ox, oy);
  view->viewportSize.setValue(sx, sy);
  return view;
}

// Restores the class-wide traversal values and the mode after each test.
class ViewTraversal : public ::testing::Test {
protected:
  void SetUp() override {
    m_savedPortion = PoBaseViewTestAccess::vvPortion();
    m_savedSize = PoBaseViewTestAccess::logicalViewportSize();
    m_root = new SoSeparator;
    m_root->ref();
  }
  void TearDown() override {
    m_root->unref();
    SoDBImpl::m_isZemba = 0;
    PoBaseViewTestAccess::setRecorded(m_savedPortion, m_savedSize);
  }

  // root: [tile] before view probe
  void build(PoView *view, Tile *tile = nullptr) {
    if (tile) m_root->addChild(tile->makeNode());
    m_root->addChild(m_before.node());
    m_root->addChild(view);
    m_root->addChild(m_after.node());
  }

  void expectViewport(const SbViewportRegion &region, SbVec2s window, SbVec2f origin,
                      SbVec2f size) {
    EXPECT_EQ(region.getWindowSize(), window);
    EXPECT_EQ(region.getViewportOrigin(), origin);
    EXPECT_EQ(region.getViewportSize(), size);
  }

  SoSeparator *m_root = nullptr;
  ElementProbe m_before, m_after;
  SbVec4f m_savedPortion;
  SbVec2s m_savedSize;
};

bool isFinite(const SbVec4f &v) {
  for (int i = 0; i < 4; ++i)
    if (!std::isfinite(v[i])) return false;
  return true;
}

} // namespace

// Every action except searching and writing gets its own viewport region with
// the view's rectangle in it; only GL rendering keeps a recorded portion.
TEST_F(ViewTraversal, EachActionGetsItsRegionWithTheViewRectangle) {
  build(makeView(0.25f, 0.5f, 0.5f, 0.25f));
  const SbViewportRegion region(300, 200);
  const SbVec2s window(300, 200);
  const SbVec2f origin(0.25f, 0.5f), size(0.5f, 0.25f);

  struct Case {
    const char *name;
    SoAction *action;
    SbVec2s window;
  };
  SoGetBoundingBoxAction bbox(region);
  SoGetMatrixAction matrix(region);
  SoHandleEventAction handle(region);
  SoLocation2Event event;
  handle.setEvent(&event);
  SoRayPickAction pick(region);
  pick.setPoint(SbVec2s(10, 10));
  SoCallbackAction callback(region);
  SoPath *pathToProbe = new SoPath(m_root);
  pathToProbe->ref();
  pathToProbe->append(m_after.node());
  const Case cases[] = {
      {"bounding box", &bbox, window},
      {"matrix", &matrix, window},
      {"handle event", &handle, window},
      {"ray pick", &pick, window},
      // SoCallbackAction is none of the listed kinds: a default region.
      {"callback", &callback, SbViewportRegion().getWindowSize()},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    PoBaseViewTestAccess::setRecorded(kSentinelPortion, kSentinelLogicalSize);
    m_after.reset();
    // A matrix action looks only along a path, here the one to the probe.
    if (c.action == &matrix)
      c.action->apply(pathToProbe);
    else
      c.action->apply(m_root);
    ASSERT_EQ(m_after.calls(), 1);
    expectViewport(m_after.last().viewport, c.window, origin, size);
    EXPECT_EQ(m_after.last().portion, kDefaultPortion);
    EXPECT_FALSE(m_after.last().logicalIsSet);
    EXPECT_EQ(m_after.last().info, 0);
    EXPECT_EQ(PoBaseViewTestAccess::vvPortion(), kDefaultPortion);
    EXPECT_EQ(PoBaseViewTestAccess::logicalViewportSize(), kSentinelLogicalSize);
  }
  pathToProbe->unref();

  GLTestContext gl(300, 200);
  ASSERT_TRUE(gl.isValid());
  PoBaseViewTestAccess::setRecorded(kSentinelPortion, kSentinelLogicalSize);
  m_after.reset();
  gl.render(m_root);
  ASSERT_EQ(m_after.calls(), 1);
  expectViewport(m_after.last().viewport, window, origin, size);
  EXPECT_EQ(m_after.last().info, 1);
  EXPECT_EQ(m_after.last().recordedPortion, kDefaultPortion);
  EXPECT_EQ(m_after.last().recordedLogicalSize, window);
}

TEST_F(ViewTraversal, SearchAndWriteSeeNoViewport) {
  PoView *view = makeView(0.25f, 0.5f, 0.5f, 0.25f);
  build(view);
  PoBaseViewTestAccess::setRecorded(kSentinelPortion, kSentinelLogicalSize);

  SoSearchAction search;
  search.setType(SoSeparator::getClassTypeId()); // never found below the root
  search.setInterest(SoSearchAction::ALL);
  search.apply(m_root);
  if (m_after.calls() > 0) {
    ASSERT_EQ(m_before.calls(), m_after.calls());
    EXPECT_EQ(m_after.last().viewport, m_before.last().viewport);
    EXPECT_EQ(m_after.last().portion, m_before.last().portion);
  }

  SoOutput out;
  out.setBuffer(nullptr, 0, std::realloc);
  SoWriteAction write(&out);
  write.apply(m_root);

  EXPECT_EQ(PoBaseViewTestAccess::vvPortion(), kSentinelPortion);
  EXPECT_EQ(PoBaseViewTestAccess::logicalViewportSize(), kSentinelLogicalSize);
  void *buffer = nullptr;
  size_t bytes = 0;
  out.getBuffer(buffer, bytes);
  EXPECT_GT(bytes, 0u);
  std::free(buffer);
}

// GL draws only the view's own pixels: its edges go to the nearest pixel
// edges, and the scissor box is exactly the viewport.
TEST_F(ViewTraversal, RenderDrawsOnlyTheViewsPixels) {
  struct Case {
    SbVec2s window;
    SbVec2f origin, size;
    int box[4]; // the view's pixels: x, y, width, height
  };
  const Case cases[] = {
      {SbVec2s(640, 480), SbVec2f(0, 0), SbVec2f(1, 1), {0, 0, 640, 480}},
      {SbVec2s(1001, 777), SbVec2f(0.5f, 0.5f), SbVec2f(0.5f, 0.5f), {501, 389, 500, 388}},
      {SbVec2s(1001, 777), SbVec2f(0.65f, 0.65f), SbVec2f(0.3f, 0.3f), {651, 505, 300, 233}},
      {SbVec2s(300, 200), SbVec2f(-0.5f, 0.25f), SbVec2f(1, 0.5f), {-150, 50, 300, 100}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.origin[0] << "," << c.origin[1] << " in " << c.window[0]
                                    << "x" << c.window[1]);
    auto *view = new PoView;
    view->viewportOrigin.setValue(c.origin);
    view->viewportSize.setValue(c.size);
    m_root->removeAllChildren();
    m_after.reset();
    build(view);
    GLTestContext gl(c.window[0], c.window[1]);
    ASSERT_TRUE(gl.isValid());
    gl.render(m_root);
    ASSERT_EQ(m_after.calls(), 1);
    const ElementSnapshot &s = m_after.last();
    const SbVec2s &origin = s.viewport.getViewportOriginPixels();
    const SbVec2s &size = s.viewport.getViewportSizePixels();
    EXPECT_EQ(origin, SbVec2s(short(c.box[0]), short(c.box[1])));
    EXPECT_EQ(size, SbVec2s(short(c.box[2]), short(c.box[3])));
    EXPECT_TRUE(s.scissorEnabled);
    // Cut at the window's corner, where GL ends anyway.
    const int x0 = std::max(c.box[0], 0), y0 = std::max(c.box[1], 0);
    EXPECT_EQ(s.scissorBox[0], x0);
    EXPECT_EQ(s.scissorBox[1], y0);
    EXPECT_EQ(s.scissorBox[2], c.box[0] + c.box[2] - x0);
    EXPECT_EQ(s.scissorBox[3], c.box[1] + c.box[3] - y0);
    EXPECT_EQ(s.portion, kDefaultPortion);
  }
}

// A view reached inside another view's state places itself in the window, not
// in the enclosing view; when the inner state is popped the outer view's
// viewport is back.
TEST_F(ViewTraversal, NestedViewIsRelativeToTheWindow) {
  auto *inner = new SoSeparator;
  ElementProbe innerProbe;
  inner->addChild(makeView(0.5f, 0.5f, 0.5f, 0.5f));
  inner->addChild(innerProbe.node());
  m_root->addChild(makeView(0, 0, 0.5f, 0.5f));
  m_root->addChild(inner);
  m_root->addChild(m_after.node());

  GLTestContext gl(640, 480);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);
  ASSERT_EQ(innerProbe.calls(), 1);
  EXPECT_EQ(innerProbe.last().viewport.getViewportOriginPixels(), SbVec2s(320, 240));
  EXPECT_EQ(innerProbe.last().viewport.getViewportSizePixels(), SbVec2s(320, 240));
  EXPECT_EQ(m_after.last().viewport.getViewportOriginPixels(), SbVec2s(0, 0));
  EXPECT_EQ(m_after.last().viewport.getViewportSizePixels(), SbVec2s(320, 240));

  SoRayPickAction pick(SbViewportRegion(640, 480));
  pick.setPoint(SbVec2s(1, 1));
  innerProbe.reset();
  pick.apply(m_root);
  ASSERT_EQ(innerProbe.calls(), 1);
  EXPECT_EQ(innerProbe.last().viewport.getViewportOriginPixels(), SbVec2s(320, 240));
}

// Rendering one tile of a bigger picture: the view keeps the action's
// viewport, scissors it, and moves the recorded portion into its own frame.
TEST_F(ViewTraversal, PortionPathReexpressesTheRecordedPortion) {
  Tile tile;
  tile.viewVolumePortion = SbVec4f(0.5f, 0, 1, 1);
  tile.logical = SbViewportRegion(800, 600);
  build(makeView(0.25f, 0, 0.5f, 1), &tile);

  GLTestContext gl(400, 300);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);
  ASSERT_EQ(m_after.calls(), 1);
  const ElementSnapshot &s = m_after.last();
  EXPECT_EQ(s.recordedPortion, SbVec4f(0.5f, 0, 1, 1));
  EXPECT_EQ(s.recordedLogicalSize, SbVec2s(800, 600));
  EXPECT_EQ(s.portion, SbVec4f(0.5f, 0, 1.5f, 1));
  EXPECT_EQ(s.logical.getViewportOriginPixels(), SbVec2s(200, 0));
  EXPECT_EQ(s.logical.getViewportSizePixels(), SbVec2s(400, 600));
  EXPECT_TRUE(s.scissorEnabled);
  EXPECT_EQ(s.scissorBox[0], 0);
  EXPECT_EQ(s.scissorBox[1], 0);
  EXPECT_EQ(s.scissorBox[2], 400);
  EXPECT_EQ(s.scissorBox[3], 300);
  // The viewport stays the action's.
  EXPECT_EQ(s.viewport, gl.viewport());
}

// A view reached after another in the same state works from the portion the
// first one recorded, not from the portion the first one set.
TEST_F(ViewTraversal, LaterViewsReuseTheRecordedPortion) {
  Tile tile;
  tile.viewVolumePortion = SbVec4f(0.5f, 0, 1, 1);
  build(makeView(0.25f, 0, 0.5f, 1), &tile);
  ElementProbe second;
  m_root->addChild(makeView(0.25f, 0, 0.25f, 1));
  m_root->addChild(second.node());

  GLTestContext gl(400, 300);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);
  ASSERT_EQ(second.calls(), 1);
  EXPECT_EQ(second.last().info, 1);
  EXPECT_EQ(second.last().portion, SbVec4f(1, 0, 3, 1));
  EXPECT_EQ(second.last().logical.getViewportSizePixels(), SbVec2s(200, 600));
}

// A view of size 0 on an axis has no portion on that axis: the axis keeps the
// portion in force and nothing that is not finite reaches the state.
TEST_F(ViewTraversal, ZeroSizedViewLeavesThePortionAxisUnchanged) {
  Tile tile;
  tile.viewVolumePortion = SbVec4f(0.5f, 0, 1, 1);
  build(makeView(0.25f, 0, 0, 0.5f), &tile);

  GLTestContext gl(400, 300);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);
  ASSERT_EQ(m_after.calls(), 1);
  const ElementSnapshot &s = m_after.last();
  EXPECT_TRUE(isFinite(s.portion));
  EXPECT_EQ(s.portion, SbVec4f(0.5f, 0, 1, 2));
  EXPECT_EQ(s.logical.getViewportSizePixels(), SbVec2s(0, 300));
}

// Coin keeps an action's state between applies; the mark that the portion was
// recorded must not survive into the next render, even for views at the top of
// the graph with no separator around them.
TEST_F(ViewTraversal, EachRenderRecordsAfresh) {
  Tile tile;
  tile.viewVolumePortion = SbVec4f(0.5f, 0, 1, 1);
  auto *group = new SoGroup;
  group->ref();
  group->addChild(tile.makeNode());
  group->addChild(m_before.node());
  group->addChild(makeView(0.25f, 0, 0.5f, 1));
  group->addChild(m_after.node());

  GLTestContext gl(400, 300);
  ASSERT_TRUE(gl.isValid());
  gl.render(group);
  EXPECT_EQ(m_after.last().portion, SbVec4f(0.5f, 0, 1.5f, 1));

  tile.active = false;
  m_before.reset();
  gl.render(group);
  ASSERT_EQ(m_before.calls(), 1);
  // Coin's GL render action pushes the state around each traversal, which is
  // what clears the mark: the group adds no level of its own.
  EXPECT_GE(m_before.last().depth, 1);
  EXPECT_EQ(m_before.last().info, 0);
  EXPECT_EQ(m_before.last().portion, kDefaultPortion);
  EXPECT_EQ(m_after.last().info, 1);
  EXPECT_EQ(m_after.last().portion, kDefaultPortion);
  EXPECT_EQ(m_after.last().viewport.getViewportOriginPixels(), SbVec2s(100, 0));
  EXPECT_EQ(m_after.last().viewport.getViewportSizePixels(), SbVec2s(200, 300));
  EXPECT_EQ(PoBaseViewTestAccess::vvPortion(), kDefaultPortion);
  EXPECT_EQ(PoBaseViewTestAccess::logicalViewportSize(), SbVec2s(400, 300));
  group->unref();
}

TEST_F(ViewTraversal, LogicalViewportModeClipsTheView) {
  SoDBImpl::m_isZemba = 1;
  Tile tile;
  tile.logicalPortion = SbVec4f(0, 0, 1, 1);
  tile.logical = SbViewportRegion(800, 600);
  build(makeView(-0.25f, 0, 0.5f, 1), &tile);

  GLTestContext gl(800, 600);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);
  ASSERT_EQ(m_after.calls(), 1);
  const ElementSnapshot &s = m_after.last();
  EXPECT_EQ(s.recordedPortion, SbVec4f(0, 0, 1, 1));
  EXPECT_EQ(s.box.getMin(), SbVec3f(0.5f, 0, 0));
  EXPECT_EQ(s.box.getMax(), SbVec3f(1, 1, 1));
  EXPECT_EQ(s.viewport.getViewportOriginPixels(), SbVec2s(0, 0));
  EXPECT_EQ(s.viewport.getViewportSizePixels(), SbVec2s(200, 600));
  EXPECT_EQ(s.logical.getWindowSize(), SbVec2s(400, 600));
  EXPECT_FLOAT_EQ(s.logicalScale, 3.0f);
}

TEST_F(ViewTraversal, LogicalViewportModeHidesAViewOutsideTheCoveredPart) {
  SoDBImpl::m_isZemba = 1;
  Tile tile;
  tile.logicalPortion = SbVec4f(0, 0, 0.5f, 1); // this render covers the left half
  tile.logical = SbViewportRegion(800, 600);
  build(makeView(0.6f, 0, 0.4f, 1), &tile);

  GLTestContext gl(400, 600);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);
  ASSERT_EQ(m_after.calls(), 1);
  const ElementSnapshot &s = m_after.last();
  EXPECT_EQ(s.viewport.getViewportOriginPixels(), SbVec2s(0, 0));
  EXPECT_EQ(s.viewport.getViewportSizePixels(), SbVec2s(0, 0));
  EXPECT_EQ(s.logical.getWindowSize(), SbVec2s(0, 0));
  EXPECT_FLOAT_EQ(s.logicalScale, 1.0f);
}

// The right half of the logical viewport, rendered by a second tile: the view
// origin is measured from the covered part's corner.
TEST_F(ViewTraversal, LogicalViewportModeMeasuresFromTheCoveredCorner) {
  SoDBImpl::m_isZemba = 1;
  Tile tile;
  tile.logicalPortion = SbVec4f(0.5f, 0, 1, 1);
  tile.logical = SbViewportRegion(800, 600);
  build(makeView(0.25f, 0.25f, 0.5f, 0.5f), &tile);

  GLTestContext gl(400, 600);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);
  ASSERT_EQ(m_after.calls(), 1);
  const ElementSnapshot &s = m_after.last();
  // F = (400, 300), R = (-200, 150): the right half of the view shows.
  EXPECT_EQ(s.viewport.getViewportOriginPixels(), SbVec2s(0, 150));
  EXPECT_EQ(s.viewport.getViewportSizePixels(), SbVec2s(200, 300));
  EXPECT_EQ(s.box.getMin(), SbVec3f(0.5f, 0, 0));
  EXPECT_EQ(s.box.getMax(), SbVec3f(1, 1, 1));
  EXPECT_EQ(s.logical.getWindowSize(), SbVec2s(400, 300));
  EXPECT_FLOAT_EQ(s.logicalScale, 1.5f);
}

TEST_F(ViewTraversal, LogicalViewportModeWithZeroSizeSetsNothingNonFinite) {
  SoDBImpl::m_isZemba = 1;
  Tile tile;
  build(makeView(0.25f, 0, 0, 1), &tile);

  GLTestContext gl(800, 600);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);
  ASSERT_EQ(m_after.calls(), 1);
  const ElementSnapshot &s = m_after.last();
  EXPECT_TRUE(isFinite(s.portion));
  // x keeps the whole view volume; y is the whole height of the view.
  EXPECT_EQ(s.box.getMin(), SbVec3f(0, 0, 0));
  EXPECT_EQ(s.box.getMax(), SbVec3f(1, 1, 1));
  EXPECT_EQ(s.viewport.getViewportSizePixels(), SbVec2s(0, 0));
  EXPECT_FLOAT_EQ(s.logicalScale, 1.0f);
}

TEST_F(ViewTraversal, LogicalViewportModeLeavesOtherActionsAlone) {
  SoDBImpl::m_isZemba = 1;
  build(makeView(0.25f, 0.5f, 0.5f, 0.25f));
  PoBaseViewTestAccess::setRecorded(kSentinelPortion, kSentinelLogicalSize);
  SoGetBoundingBoxAction bbox(SbViewportRegion(300, 200));
  SoRayPickAction pick(SbViewportRegion(300, 200));
  pick.setPoint(SbVec2s(5, 5));
  SoCallbackAction callback(SbViewportRegion(300, 200));
  for (SoAction *action : {static_cast<SoAction *>(&bbox), static_cast<SoAction *>(&pick),
                           static_cast<SoAction *>(&callback)}) {
    m_before.reset();
    m_after.reset();
    action->apply(m_root);
    ASSERT_EQ(m_after.calls(), 1);
    EXPECT_EQ(m_after.last().viewport, m_before.last().viewport);
    EXPECT_EQ(m_after.last().portion, m_before.last().portion);
    EXPECT_EQ(m_after.last().logicalIsSet, m_before.last().logicalIsSet);
  }
  EXPECT_EQ(PoBaseViewTestAccess::vvPortion(), kSentinelPortion);
  EXPECT_EQ(PoBaseViewTestAccess::logicalViewportSize(), kSentinelLogicalSize);
}

// Viewport fields are taken as they stand, outside 0 to 1 and negative too.
TEST_F(ViewTraversal, FieldsAreUsedUnclamped) {
  build(makeView(-0.5f, 1.5f, 2.0f, -1.0f));
  SoGetBoundingBoxAction bbox(SbViewportRegion(300, 200));
  bbox.apply(m_root);
  ASSERT_EQ(m_after.calls(), 1);
  expectViewport(m_after.last().viewport, SbVec2s(300, 200), SbVec2f(-0.5f, 1.5f),
                 SbVec2f(2.0f, -1.0f));
}

// A view inside another one in logical-viewport mode sizes itself from the
// logical viewport the outer view set, and places itself from the covered
// part's corner.
TEST_F(ViewTraversal, LogicalViewportModeNestsInTheOuterLogicalViewport) {
  SoDBImpl::m_isZemba = 1;
  Tile tile;
  tile.logicalPortion = SbVec4f(0, 0, 1, 1);
  tile.logical = SbViewportRegion(800, 600);
  build(makeView(0.25f, 0, 0.5f, 1), &tile);
  auto *inner = new SoSeparator;
  ElementProbe innerProbe;
  inner->addChild(makeView(0.5f, 0, 0.5f, 0.5f));
  inner->addChild(innerProbe.node());
  m_root->addChild(inner);

  GLTestContext gl(800, 600);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);
  ASSERT_EQ(m_after.calls(), 1);
  EXPECT_EQ(m_after.last().viewport.getViewportOriginPixels(), SbVec2s(200, 0));
  EXPECT_EQ(m_after.last().viewport.getViewportSizePixels(), SbVec2s(400, 600));
  EXPECT_EQ(m_after.last().logical.getWindowSize(), SbVec2s(400, 600));
  ASSERT_EQ(innerProbe.calls(), 1);
  // Full size (200, 300) from the outer 400 x 600; origin 0.5 * 400 from the
  // corner, not from the outer view's origin at 200.
  EXPECT_EQ(innerProbe.last().viewport.getViewportOriginPixels(), SbVec2s(200, 0));
  EXPECT_EQ(innerProbe.last().viewport.getViewportSizePixels(), SbVec2s(200, 300));
  EXPECT_EQ(innerProbe.last().logical.getWindowSize(), SbVec2s(200, 300));
}
