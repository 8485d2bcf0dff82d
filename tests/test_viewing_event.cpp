// Event routing end to end: a real examiner viewer on screen, real Qt mouse
// events sent to its GL widget, the viewing callback installed the way an
// application does it.

#include "DebugCapture.h"
#include "PoSceneView.h"
#include "PoView.h"
#include "TestCameraViewKit.h"
#include "TestViewKit.h"

#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodekits/SoCameraKit.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>

namespace {

// Two sensitive views with a gap between them:
//   left  x in [0, 0.4], right x in [0.6, 1], both over the full height.
// Each sits under a separator of its own with something to look at, as an
// application lays views out.
class ViewerWithViews {
public:
  template <class Kit> void setUp() {
    TestViewKit::initClass();
    TestCameraViewKit::initClass();
    root = new SoSeparator;
    root->ref();
    left = addView<Kit>(SbVec2f(0, 0), SbVec2f(0.4f, 1));
    right = addView<Kit>(SbVec2f(0.6f, 0), SbVec2f(0.4f, 1));

    viewer = new SoQtExaminerViewer;
    viewer->setDecoration(FALSE);
    viewer->setAnimationEnabled(FALSE);
    viewer->setSceneGraph(root);
    PoBaseView::installViewingEventCB(viewer);
    viewer->setSize(SbVec2s(240, 120));
    viewer->show();
    QElapsedTimer timer;
    timer.start();
    while (windowSize()[0] == 0 && timer.elapsed() < 5000) QApplication::processEvents();
    QApplication::processEvents();
    initial = viewer->getCamera();
    if (initial) initial->ref();
  }

  void tearDown() {
    if (initial) initial->unref();
    delete viewer;
    root->unref();
    TestCameraViewKit::exitClass();
    TestViewKit::exitClass();
  }

  template <class Kit> Kit *addView(SbVec2f origin, SbVec2f size) {
    auto *view = new Kit;
    view->viewportOrigin.setValue(origin);
    view->viewportSize.setValue(size);
    view->sensitiveOnEvents(1);
    auto *own = new SoSeparator;
    own->addChild(view);
    own->addChild(new SoCube);
    root->addChild(own);
    return view;
  }

  SbVec2s windowSize() const { return viewer->getSceneManager()->getWindowSize(); }

  // The widget pixel at window-normalised (nx, ny).
  QPoint pixelAt(float nx, float ny) const {
    const SbVec2s size = windowSize();
    return QPoint(int(nx * size[0]), int(size[1] - ny * size[1]));
  }

  void send(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
            Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent event(type, QPointF(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(viewer->getGLWidget(), &event);
  }

  void press(QPoint at) { send(QEvent::MouseButtonPress, at); }
  void release(QPoint at) { send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

  static SoCamera *cameraOf(PoBaseView *view) {
    return static_cast<SoCamera *>(view->getPart("cameraKit.camera", FALSE));
  }
  static SoNode *cameraKitOf(PoBaseView *view) { return view->getPart("cameraKit", FALSE); }

  SoSeparator *root = nullptr;
  PoBaseView *left = nullptr;
  PoBaseView *right = nullptr;
  SoQtExaminerViewer *viewer = nullptr;
  SoCamera *initial = nullptr;
};

// The same cases for the module's two views and for an application's own
// kit with a camera part.
template <class Kit> class ViewingEvents : public ::testing::Test, public ViewerWithViews {
protected:
  void SetUp() override { setUp<Kit>(); }
  void TearDown() override { tearDown(); }
};

using ViewKinds = ::testing::Types<PoView, PoSceneView, TestCameraViewKit>;

} // namespace

TYPED_TEST_SUITE(ViewingEvents, ViewKinds);

TYPED_TEST(ViewingEvents, ViewerIsOnScreenWithItsOwnCamera) {
  ASSERT_GT(this->windowSize()[0], 0);
  ASSERT_GT(this->windowSize()[1], 0);
  ASSERT_NE(this->initial, nullptr);
  EXPECT_TRUE(this->viewer->isViewing());
  // No camera kit exists before the first press over a view.
  EXPECT_EQ(this->cameraKitOf(this->left), nullptr);
}

TYPED_TEST(ViewingEvents, PressOverEachViewSwitchesToItsCamera) {
  this->press(this->pixelAt(0.2f, 0.5f));
  this->release(this->pixelAt(0.2f, 0.5f));
  SoCamera *left = this->cameraOf(this->left);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(this->viewer->getCamera(), left);

  this->press(this->pixelAt(0.8f, 0.5f));
  this->release(this->pixelAt(0.8f, 0.5f));
  SoCamera *right = this->cameraOf(this->right);
  ASSERT_NE(right, nullptr);
  EXPECT_NE(right, left);
  EXPECT_EQ(this->viewer->getCamera(), right);

  // Edges of the window belong to the views that reach them.
  this->press(this->pixelAt(0.0f, 1.0f));
  EXPECT_EQ(this->viewer->getCamera(), left);
  const SbVec2s size = this->windowSize();
  this->press(QPoint(size[0], size[1]));
  EXPECT_EQ(this->viewer->getCamera(), right);
}

TYPED_TEST(ViewingEvents, PressOutsideEveryViewKeepsTheCamera) {
  this->press(this->pixelAt(0.5f, 0.5f));
  EXPECT_EQ(this->viewer->getCamera(), this->initial);
  this->press(this->pixelAt(0.8f, 0.5f));
  ASSERT_EQ(this->viewer->getCamera(), this->cameraOf(this->right));
  this->press(this->pixelAt(0.5f, 0.5f));
  EXPECT_EQ(this->viewer->getCamera(), this->cameraOf(this->right));
  // Beyond the widget's edge.
  this->press(QPoint(-30, 10));
  EXPECT_EQ(this->viewer->getCamera(), this->cameraOf(this->right));
  EXPECT_EQ(this->cameraOf(this->left), nullptr);
}

TYPED_TEST(ViewingEvents, OnlyPressesSwitch) {
  const QPoint overLeft = this->pixelAt(0.2f, 0.5f);
  this->release(overLeft);
  this->send(QEvent::MouseMove, overLeft, Qt::NoButton, Qt::NoButton);
  this->send(QEvent::MouseMove, overLeft, Qt::NoButton, Qt::LeftButton);
  this->send(QEvent::MouseButtonDblClick, overLeft);
  this->release(overLeft);
  EXPECT_EQ(this->viewer->getCamera(), this->initial);
  EXPECT_EQ(this->cameraOf(this->left), nullptr);

  // Any button's press switches.
  this->send(QEvent::MouseButtonPress, overLeft, Qt::MiddleButton, Qt::MiddleButton);
  this->send(QEvent::MouseButtonRelease, overLeft, Qt::MiddleButton, Qt::NoButton);
  EXPECT_EQ(this->viewer->getCamera(), this->cameraOf(this->left));
}

TYPED_TEST(ViewingEvents, PressOutsideViewingModeKeepsTheCamera) {
  this->viewer->setViewing(FALSE);
  this->press(this->pixelAt(0.2f, 0.5f));
  this->release(this->pixelAt(0.2f, 0.5f));
  EXPECT_EQ(this->viewer->getCamera(), this->initial);
  this->viewer->setViewing(TRUE);
  this->press(this->pixelAt(0.2f, 0.5f));
  this->release(this->pixelAt(0.2f, 0.5f));
  EXPECT_EQ(this->viewer->getCamera(), this->cameraOf(this->left));
}

TYPED_TEST(ViewingEvents, PressStillReachesTheViewerWhichMovesTheNewCamera) {
  // Fix where both cameras start before the drag.
  this->left->setCamera(this->viewer);
  this->right->setCamera(this->viewer);
  this->viewer->setCamera(this->initial);
  const SbRotation leftStart = this->cameraOf(this->left)->orientation.getValue();
  const SbRotation rightStart = this->cameraOf(this->right)->orientation.getValue();

  // A left-button drag that starts over the right view: the press switches
  // the camera and, not being consumed, starts the examiner's rotation of
  // that same camera.
  const QPoint from = this->pixelAt(0.8f, 0.5f);
  const QPoint to = this->pixelAt(0.9f, 0.8f);
  this->press(from);
  for (int step = 1; step <= 5; ++step)
    this->send(QEvent::MouseMove, from + (to - from) * step / 5, Qt::NoButton, Qt::LeftButton);
  this->release(to);

  EXPECT_EQ(this->viewer->getCamera(), this->cameraOf(this->right));
  EXPECT_FALSE(this->cameraOf(this->right)->orientation.getValue().equals(rightStart, 1e-4f));
  EXPECT_TRUE(this->cameraOf(this->left)->orientation.getValue().equals(leftStart, 0.0f));
}

TYPED_TEST(ViewingEvents, CallbackAnswersZeroInEveryCase) {
  const QPoint overLeft = this->pixelAt(0.2f, 0.5f);
  const QPoint gap = this->pixelAt(0.5f, 0.5f);
  QMouseEvent hit(QEvent::MouseButtonPress, QPointF(overLeft), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
  QMouseEvent miss(QEvent::MouseButtonPress, QPointF(gap), Qt::LeftButton, Qt::LeftButton,
                   Qt::NoModifier);
  QMouseEvent move(QEvent::MouseMove, QPointF(overLeft), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QEvent paint(QEvent::Paint);
  SoQtViewer *viewer = this->viewer;
  EXPECT_EQ(PoBaseView::viewingEventCB(viewer, &miss), 0);
  EXPECT_EQ(viewer->getCamera(), this->initial);
  EXPECT_EQ(PoBaseView::viewingEventCB(viewer, &move), 0);
  EXPECT_EQ(PoBaseView::viewingEventCB(viewer, &paint), 0);
  EXPECT_EQ(viewer->getCamera(), this->initial);
  EXPECT_EQ(PoBaseView::viewingEventCB(viewer, &hit), 0);
  EXPECT_EQ(viewer->getCamera(), this->cameraOf(this->left));
  viewer->setViewing(FALSE);
  EXPECT_EQ(PoBaseView::viewingEventCB(viewer, &hit), 0);
  EXPECT_EQ(PoBaseView::viewingEventCB(nullptr, &hit), 0);
  EXPECT_EQ(PoBaseView::viewingEventCB(viewer, nullptr), 0);
}

TYPED_TEST(ViewingEvents, SetCameraMakesTheCameraKitOnceAndHandsTheSameCamera) {
  PoBaseView *view = this->left;
  ASSERT_EQ(this->cameraKitOf(view), nullptr);
  view->setCamera(this->viewer);
  SoNode *kit = this->cameraKitOf(view);
  ASSERT_NE(kit, nullptr);
  EXPECT_TRUE(kit->isOfType(SoCameraKit::getClassTypeId()));
  SoCamera *camera = this->cameraOf(view);
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(static_cast<SoCameraKit *>(kit)->getPart("camera", FALSE), camera);
  EXPECT_EQ(this->viewer->getCamera(), camera);

  this->viewer->setCamera(this->initial);
  view->setCamera(this->viewer);
  EXPECT_EQ(this->cameraKitOf(view), kit);
  EXPECT_EQ(this->cameraOf(view), camera);
  EXPECT_EQ(this->viewer->getCamera(), camera);
}

TYPED_TEST(ViewingEvents, ViewWithoutCameraPartKeepsTheViewersCamera) {
  auto *plain = new TestViewKit;
  plain->sensitiveOnEvents(1);
  this->root->addChild(plain);
  DebugCapture reports;
  const QPoint gap = this->pixelAt(0.5f, 0.5f);
  this->press(gap);
  EXPECT_EQ(PoBaseView::getView(this->viewer, gap.x(), gap.y()), plain);
  EXPECT_EQ(this->viewer->getCamera(), this->initial);
  plain->setCamera(this->viewer);
  EXPECT_EQ(this->viewer->getCamera(), this->initial);
  EXPECT_TRUE(reports.ours().empty());
  this->left->setCamera(nullptr);
  EXPECT_EQ(this->cameraKitOf(this->left), nullptr);
}
