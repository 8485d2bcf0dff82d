// Finding the view under a pixel: normalisation, the point-in-viewport test
// and the lookup over a render area's scene, without showing a window.

#include "PoSceneView.h"
#include "PoView.h"
#include "TestCameraViewKit.h"
#include "TestViewKit.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoOutput.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/nodekits/SoWrapperKit.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Lets Coin's searches look inside node kits for one test.
struct SearchingKitChildren {
  SearchingKitChildren() { SoBaseKit::setSearchingChildren(TRUE); }
  ~SearchingKitChildren() { SoBaseKit::setSearchingChildren(FALSE); }
};

float ny(SoQtRenderArea *area, int x, int y) {
  float nx = -1, nyValue = -1;
  PoBaseViewTestAccess::normalizeMousePoint(area, x, y, nx, nyValue);
  return nyValue;
}

// A render area that is never shown: its scene manager's window size is
// whatever the test sets, and its scene graph whatever the test builds.
class ViewLookup : public ::testing::Test {
protected:
  void SetUp() override {
    TestViewKit::initClass();
    TestCameraViewKit::initClass();
    m_area = new SoQtRenderArea;
    setWindow(200, 100);
    m_root = new SoSeparator;
    m_root->ref();
    m_area->setSceneGraph(m_root);
  }

  void TearDown() override {
    m_area->setSceneGraph(nullptr);
    delete m_area;
    m_root->unref();
    TestCameraViewKit::exitClass();
    TestViewKit::exitClass();
  }

  void setWindow(short w, short h) { m_area->getSceneManager()->setWindowSize(SbVec2s(w, h)); }

  template <class Kit = TestViewKit>
  Kit *addView(SoGroup *parent, SbVec2f origin, SbVec2f size, int sensitive = 1) {
    Kit *view = new Kit;
    view->viewportOrigin.setValue(origin);
    view->viewportSize.setValue(size);
    view->sensitiveOnEvents(sensitive);
    parent->addChild(view);
    return view;
  }

  // The view at window-normalised (nx, ny) of the 200 x 100 window.
  PoBaseView *viewAt(float nx, float ny) {
    return PoBaseView::getView(m_area, int(std::lround(nx * 200)), int(std::lround(100 - ny * 100)));
  }

  SoQtRenderArea *m_area = nullptr;
  SoSeparator *m_root = nullptr;
};

} // namespace

TEST_F(ViewLookup, NormalisesPixelsAgainstTheWindowSize) {
  float nx = -1, nyValue = -1;
  PoBaseViewTestAccess::normalizeMousePoint(m_area, 50, 25, nx, nyValue);
  EXPECT_FLOAT_EQ(nx, 0.25f);
  EXPECT_FLOAT_EQ(nyValue, 0.75f);
  PoBaseViewTestAccess::normalizeMousePoint(m_area, 0, 0, nx, nyValue);
  EXPECT_EQ(nx, 0.0f);
  EXPECT_EQ(nyValue, 1.0f);
  PoBaseViewTestAccess::normalizeMousePoint(m_area, 200, 100, nx, nyValue);
  EXPECT_EQ(nx, 1.0f);
  EXPECT_EQ(nyValue, 0.0f);

  // h - y, not h - 1 - y: the bottom pixel row is one row above 0.
  EXPECT_FLOAT_EQ(ny(m_area, 0, 99), 0.01f);
  // Outside the widget nothing is clamped.
  PoBaseViewTestAccess::normalizeMousePoint(m_area, -20, 150, nx, nyValue);
  EXPECT_FLOAT_EQ(nx, -0.1f);
  EXPECT_FLOAT_EQ(nyValue, -0.5f);
}

TEST_F(ViewLookup, ZeroSizedWindowAxisHasNoPoint) {
  float nx = -1, nyValue = -1;
  setWindow(0, 100);
  PoBaseViewTestAccess::normalizeMousePoint(m_area, 0, 50, nx, nyValue);
  EXPECT_TRUE(std::isnan(nx));
  EXPECT_FLOAT_EQ(nyValue, 0.5f);
  setWindow(200, 0);
  PoBaseViewTestAccess::normalizeMousePoint(m_area, 100, 0, nx, nyValue);
  EXPECT_FLOAT_EQ(nx, 0.5f);
  EXPECT_TRUE(std::isnan(nyValue));

  // Even a view that covers far more than the window is not found then.
  addView(m_root, SbVec2f(-10, -10), SbVec2f(20, 20));
  setWindow(0, 100);
  EXPECT_EQ(PoBaseView::getView(m_area, 0, 50), nullptr);
  setWindow(200, 0);
  EXPECT_EQ(PoBaseView::getView(m_area, 100, 0), nullptr);
  setWindow(0, 0);
  EXPECT_EQ(PoBaseView::getView(m_area, 0, 0), nullptr);
  setWindow(200, 100);
  EXPECT_NE(PoBaseView::getView(m_area, 0, 0), nullptr);
}

TEST_F(ViewLookup, PointInViewportEdgesInclusive) {
  TestViewKit *view = addView(m_root, SbVec2f(0, 0), SbVec2f(1, 1));
  // The default viewport holds every corner of the window.
  EXPECT_EQ(view->isPointWithinViewport(0, 0), 1);
  EXPECT_EQ(view->isPointWithinViewport(1, 1), 1);
  EXPECT_EQ(view->isPointWithinViewport(0, 1), 1);
  EXPECT_EQ(view->isPointWithinViewport(1, 0), 1);
  EXPECT_EQ(view->isPointWithinViewport(1.001f, 0.5f), 0);
  EXPECT_EQ(view->isPointWithinViewport(0.5f, -0.001f), 0);

  view->viewportOrigin.setValue(0.25f, 0.5f);
  view->viewportSize.setValue(0.5f, 0.25f);
  EXPECT_EQ(view->isPointWithinViewport(0.25f, 0.5f), 1);
  EXPECT_EQ(view->isPointWithinViewport(0.75f, 0.75f), 1);
  EXPECT_EQ(view->isPointWithinViewport(0.5f, 0.6f), 1);
  EXPECT_EQ(view->isPointWithinViewport(0.24f, 0.6f), 0);
  EXPECT_EQ(view->isPointWithinViewport(0.76f, 0.6f), 0);
  EXPECT_EQ(view->isPointWithinViewport(0.5f, 0.49f), 0);
  EXPECT_EQ(view->isPointWithinViewport(0.5f, 0.76f), 0);
  EXPECT_EQ(view->isPointWithinViewport(NAN, 0.6f), 0);
}

TEST_F(ViewLookup, NegativeSizeHoldsNothingAndZeroSizeOnlyItsOrigin) {
  TestViewKit *view = addView(m_root, SbVec2f(0.5f, 0.5f), SbVec2f(-0.25f, 0.25f));
  EXPECT_EQ(view->isPointWithinViewport(0.5f, 0.5f), 0);
  EXPECT_EQ(view->isPointWithinViewport(0.25f, 0.6f), 0);
  EXPECT_EQ(view->isPointWithinViewport(0.4f, 0.6f), 0);
  view->viewportSize.setValue(0.25f, -0.25f);
  EXPECT_EQ(view->isPointWithinViewport(0.5f, 0.5f), 0);
  EXPECT_EQ(view->isPointWithinViewport(0.6f, 0.4f), 0);
  EXPECT_EQ(viewAt(0.5f, 0.5f), nullptr);

  view->viewportSize.setValue(0, 0);
  EXPECT_EQ(view->isPointWithinViewport(0.5f, 0.5f), 1);
  EXPECT_EQ(view->isPointWithinViewport(0.505f, 0.5f), 0);
  EXPECT_EQ(view->isPointWithinViewport(0.5f, 0.495f), 0);
  EXPECT_EQ(viewAt(0.5f, 0.5f), view);
  EXPECT_EQ(viewAt(0.505f, 0.5f), nullptr);
}

TEST_F(ViewLookup, NoViewNoSceneOrNoRenderAreaGivesNull) {
  EXPECT_EQ(viewAt(0.5f, 0.5f), nullptr);
  m_root->addChild(new SoSeparator);
  EXPECT_EQ(viewAt(0.5f, 0.5f), nullptr);

  addView(m_root, SbVec2f(0, 0), SbVec2f(1, 1));
  m_area->setSceneGraph(nullptr);
  ASSERT_EQ(m_area->getSceneGraph(), nullptr);
  EXPECT_EQ(viewAt(0.5f, 0.5f), nullptr);

  SoQtRenderArea fresh;
  EXPECT_EQ(PoBaseView::getView(&fresh, 10, 10), nullptr);
  EXPECT_EQ(PoBaseView::getView(nullptr, 10, 10), nullptr);
}

TEST_F(ViewLookup, OnlySensitiveViewsAreFound) {
  TestViewKit *view = addView(m_root, SbVec2f(0, 0), SbVec2f(1, 1), 0);
  EXPECT_EQ(view->isSensitiveOnEvents(), 0);
  EXPECT_EQ(viewAt(0.5f, 0.5f), nullptr);
  view->sensitiveOnEvents(5);
  EXPECT_EQ(view->isSensitiveOnEvents(), 5);
  EXPECT_EQ(viewAt(0.5f, 0.5f), view);
  view->sensitiveOnEvents(-1);
  EXPECT_EQ(viewAt(0.5f, 0.5f), view);
  view->sensitiveOnEvents(0);
  EXPECT_EQ(viewAt(0.5f, 0.5f), nullptr);
}

TEST_F(ViewLookup, SharedBoundaryBelongsToTheViewMetLater) {
  TestViewKit *left = addView(m_root, SbVec2f(0, 0), SbVec2f(0.5f, 1));
  TestViewKit *right = addView(m_root, SbVec2f(0.5f, 0), SbVec2f(0.5f, 1));
  EXPECT_EQ(viewAt(0.25f, 0.5f), left);
  EXPECT_EQ(viewAt(0.5f, 0.5f), right);
  EXPECT_EQ(viewAt(0.75f, 0.5f), right);
  EXPECT_EQ(viewAt(1.0f, 1.0f), right);
  EXPECT_EQ(viewAt(1.01f, 0.5f), nullptr);

  // The traversal order decides, not the geometry.
  left->ref();
  m_root->removeChild(left);
  m_root->addChild(left);
  left->unref();
  EXPECT_EQ(viewAt(0.5f, 0.5f), left);
  EXPECT_EQ(viewAt(0.75f, 0.5f), right);
}

TEST_F(ViewLookup, OverlapGoesToTheViewMetLaterOfAnyKind) {
  TestViewKit *first = addView(m_root, SbVec2f(0, 0), SbVec2f(0.6f, 1));
  SoSeparator *group = new SoSeparator;
  m_root->addChild(group);
  TestCameraViewKit *second =
      addView<TestCameraViewKit>(group, SbVec2f(0.4f, 0.2f), SbVec2f(0.6f, 0.6f));
  EXPECT_EQ(viewAt(0.1f, 0.5f), first);
  EXPECT_EQ(viewAt(0.5f, 0.5f), second);
  EXPECT_EQ(viewAt(0.5f, 0.1f), first);
  EXPECT_EQ(viewAt(0.9f, 0.5f), second);
  EXPECT_EQ(viewAt(0.9f, 0.9f), nullptr);

  // A view nested deeper is still measured against the whole window.
  SoSeparator *deeper = new SoSeparator;
  group->addChild(deeper);
  TestViewKit *nested = addView(deeper, SbVec2f(0.8f, 0.8f), SbVec2f(0.2f, 0.2f));
  EXPECT_EQ(viewAt(0.9f, 0.9f), nested);
  EXPECT_EQ(viewAt(0.5f, 0.5f), second);
}

TEST_F(ViewLookup, SensitiveViewBehindNonSensitiveOneIsFound) {
  TestViewKit *behind = addView(m_root, SbVec2f(0.25f, 0.25f), SbVec2f(0.5f, 0.5f));
  addView(m_root, SbVec2f(0, 0), SbVec2f(1, 1), 0);
  EXPECT_EQ(viewAt(0.5f, 0.5f), behind);
  EXPECT_EQ(viewAt(0.1f, 0.1f), nullptr);
}

TEST_F(ViewLookup, ViewReachedAlongTwoPathsCountsAtItsLastPath) {
  TestViewKit *shared = addView(m_root, SbVec2f(0, 0), SbVec2f(1, 1));
  TestViewKit *middle = addView(m_root, SbVec2f(0, 0), SbVec2f(1, 1));
  m_root->addChild(shared);
  EXPECT_EQ(viewAt(0.5f, 0.5f), shared);
  m_root->removeChild(2);
  EXPECT_EQ(viewAt(0.5f, 0.5f), middle);
}

TEST_F(ViewLookup, ViewsReadFromAFileAreNotSensitive) {
  addView(m_root, SbVec2f(0.1f, 0.2f), SbVec2f(0.3f, 0.4f), 7);
  addView<PoView>(m_root, SbVec2f(0.6f, 0.2f), SbVec2f(0.3f, 0.4f), 1);
  SoOutput out;
  out.setBuffer(nullptr, 0, [](void *p, size_t n) { return std::realloc(p, n); });
  SoWriteAction(&out).apply(m_root);
  void *buffer = nullptr;
  size_t size = 0;
  out.getBuffer(buffer, size);
  const std::string text(static_cast<const char *>(buffer), size);
  std::free(buffer);
  ASSERT_NE(text.find("TestViewKit"), std::string::npos);
  ASSERT_NE(text.find("PoView"), std::string::npos);

  SoInput in;
  in.setBuffer(text.data(), text.size());
  SoSeparator *read = SoDB::readAll(&in);
  ASSERT_NE(read, nullptr);
  read->ref();
  m_area->setSceneGraph(read);
  ASSERT_EQ(read->getNumChildren(), 2);
  auto *kit = static_cast<PoBaseView *>(read->getChild(0));
  auto *view = static_cast<PoBaseView *>(read->getChild(1));
  ASSERT_TRUE(kit->isOfType(TestViewKit::getClassTypeId()));
  ASSERT_TRUE(view->isOfType(PoView::getClassTypeId()));
  EXPECT_EQ(view->viewportOrigin.getValue(), SbVec2f(0.6f, 0.2f));
  EXPECT_EQ(kit->isSensitiveOnEvents(), 0);
  EXPECT_EQ(view->isSensitiveOnEvents(), 0);
  EXPECT_EQ(viewAt(0.2f, 0.3f), nullptr);
  EXPECT_EQ(viewAt(0.7f, 0.3f), nullptr);
  kit->sensitiveOnEvents(1);
  view->sensitiveOnEvents(1);
  EXPECT_EQ(viewAt(0.2f, 0.3f), kit);
  EXPECT_EQ(viewAt(0.7f, 0.3f), view);
  m_area->setSceneGraph(m_root);
  read->unref();
}

TEST_F(ViewLookup, ViewsInsideKitPartsFollowCoinsSearchRule) {
  auto *wrapper = new SoWrapperKit;
  m_root->addChild(wrapper);
  auto *contents = static_cast<SoSeparator *>(wrapper->getPart("contents", TRUE));
  ASSERT_NE(contents, nullptr);
  TestViewKit *inside = addView(contents, SbVec2f(0, 0), SbVec2f(1, 1));

  ASSERT_FALSE(SoBaseKit::isSearchingChildren());
  EXPECT_EQ(viewAt(0.5f, 0.5f), nullptr);
  SearchingKitChildren searching;
  EXPECT_EQ(viewAt(0.5f, 0.5f), inside);
}

TEST_F(ViewLookup, ViewInASceneViewsSceneIsItselfTheCandidate) {
  PoSceneView *outer = addView<PoSceneView>(m_root, SbVec2f(0, 0), SbVec2f(1, 1));
  auto *scene = static_cast<SoGroup *>(outer->getPart("scene", TRUE));
  ASSERT_NE(scene, nullptr);
  PoView *inner = addView<PoView>(scene, SbVec2f(0.5f, 0.5f), SbVec2f(0.5f, 0.5f));

  // Coin's default search stops at the outer kit.
  EXPECT_EQ(viewAt(0.75f, 0.75f), outer);
  EXPECT_EQ(viewAt(0.25f, 0.25f), outer);

  // Searching inside kits, the inner view is met after the outer one and is
  // measured against the whole window; outside it the outer view answers.
  SearchingKitChildren searching;
  EXPECT_EQ(viewAt(0.75f, 0.75f), inner);
  EXPECT_EQ(viewAt(0.5f, 0.5f), inner);
  EXPECT_EQ(viewAt(0.25f, 0.25f), outer);
  inner->sensitiveOnEvents(0);
  EXPECT_EQ(viewAt(0.75f, 0.75f), outer);
  outer->sensitiveOnEvents(0);
  EXPECT_EQ(viewAt(0.75f, 0.75f), nullptr);
}
