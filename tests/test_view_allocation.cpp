// The traversal callback runs for every view in every traversal; it must not
// allocate. Counted with the test binary's own operator new.
#include "AllocationCounter.h"
#include "GLTestContext.h"
#include "PoView.h"
#include "SoDBImpl.h"
#include "TestViewKit.h"
#include "TileNode.h"

#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/events/SoLocation2Event.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Calls a view's traversal callback from inside a real traversal and counts
// what is allocated during that call alone.
struct CountedCallback {
  PoBaseView *view = nullptr;
  long allocations = 0;
  int calls = 0;

  static void run(void *data, SoAction *action) {
    auto *counted = static_cast<CountedCallback *>(data);
    AllocationCounter counter;
    PoBaseViewTestAccess::catchAction(counted->view, action);
    counted->allocations += counter.count();
    ++counted->calls;
  }
};

class ViewAllocation : public ::testing::Test {
protected:
  void SetUp() override {
    m_savedPortion = PoBaseViewTestAccess::vvPortion();
    m_savedSize = PoBaseViewTestAccess::logicalViewportSize();
    m_view = new PoView;
    m_view->ref();
    m_view->viewportOrigin.setValue(-0.25f, 0.25f);
    m_view->viewportSize.setValue(0.5f, 0.5f);
    m_counted.view = m_view;
    m_root = new SoSeparator;
    m_root->ref();
    // Every traversal must reach the callback, not a cached box.
    m_root->boundingBoxCaching = SoSeparator::OFF;
    m_root->addChild(m_tile.makeNode());
    auto *node = new SoCallback;
    node->setCallback(&CountedCallback::run, &m_counted);
    m_root->addChild(node);
  }
  void TearDown() override {
    m_root->unref();
    m_view->unref();
    SoDBImpl::m_isZemba = 0;
    PoBaseViewTestAccess::setRecorded(m_savedPortion, m_savedSize);
  }

  // Applies twice so that Coin has built the state it keeps, then counts over
  // several more traversals.
  void expectNoAllocation(const char *what, const std::function<void()> &apply) {
    SCOPED_TRACE(what);
    apply();
    apply();
    m_counted.allocations = 0;
    m_counted.calls = 0;
    for (int i = 0; i < 5; ++i) apply();
    EXPECT_EQ(m_counted.calls, 5);
    EXPECT_EQ(m_counted.allocations, 0);
  }

  PoView *m_view = nullptr;
  SoSeparator *m_root = nullptr;
  Tile m_tile;
  CountedCallback m_counted;
  SbVec4f m_savedPortion;
  SbVec2s m_savedSize;
};

} // namespace

TEST_F(ViewAllocation, CallbackAllocatesNothingInAnyWayOfWorking) {
  {
    // The counter sees allocations made inside Coin too.
    AllocationCounter counter;
    SoCallbackAction action;
    EXPECT_GT(counter.count(), 0);
  }
  const SbViewportRegion region(320, 240);
  SoGetBoundingBoxAction bbox(region);
  SoRayPickAction pick(region);
  pick.setPoint(SbVec2s(100, 100));
  SoCallbackAction callback(region);
  SoHandleEventAction handle(region);
  SoLocation2Event event;
  handle.setEvent(&event);
  expectNoAllocation("bounding box", [&] { bbox.apply(m_root); });
  expectNoAllocation("ray pick", [&] { pick.apply(m_root); });
  expectNoAllocation("callback", [&] { callback.apply(m_root); });
  expectNoAllocation("handle event", [&] { handle.apply(m_root); });

  GLTestContext gl(320, 240);
  ASSERT_TRUE(gl.isValid());
  m_tile.active = false;
  expectNoAllocation("render, plain", [&] { gl.render(m_root); });
  m_tile.active = true;
  m_tile.viewVolumePortion = SbVec4f(0.5f, 0, 1, 1);
  expectNoAllocation("render, portion", [&] { gl.render(m_root); });
  SoDBImpl::m_isZemba = 1;
  expectNoAllocation("render, logical viewport", [&] { gl.render(m_root); });
  m_view->viewportSize.setValue(0, 0);
  expectNoAllocation("render, logical viewport, empty view", [&] { gl.render(m_root); });
}

// Around whole traversals: a view costs no more allocations than an empty
// callback node in its place.
TEST_F(ViewAllocation, TraversingAViewAllocatesNoMoreThanAnEmptyCallback) {
  auto countTraversals = [](SoNode *placed, const std::function<void(SoNode *)> &apply) {
    SoSeparator *root = new SoSeparator;
    root->ref();
    root->renderCaching = SoSeparator::OFF;
    root->addChild(placed);
    root->addChild(new SoCube);
    apply(root);
    apply(root);
    long allocations;
    {
      AllocationCounter counter;
      for (int i = 0; i < 5; ++i) apply(root);
      allocations = counter.count();
    }
    root->unref();
    return allocations;
  };

  GLTestContext gl(320, 240);
  ASSERT_TRUE(gl.isValid());
  SoRayPickAction pick(SbViewportRegion(320, 240));
  pick.setPoint(SbVec2s(160, 120));
  const std::function<void(SoNode *)> render = [&](SoNode *root) { gl.render(root); };
  const std::function<void(SoNode *)> picking = [&](SoNode *root) { pick.apply(root); };
  for (const auto &apply : {render, picking}) {
    auto *empty = new SoCallback;
    const long baseline = countTraversals(empty, apply);
    const long withView = countTraversals(new PoView, apply);
    EXPECT_LE(withView, baseline);
  }
}
