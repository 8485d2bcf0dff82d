// Event routing end to end: a real examiner viewer on screen, real Qt mouse
// events sent to its GL widget, the viewing callback installed the way an
// application does it.

#include "DebugCapture.h"
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
class ViewingEvents : public ::testing::Test {
protected:
  void SetUp() override {
    TestViewKit::initClass();
    TestCameraViewKit::initClass();
    m_root = new SoSeparator;
    m_root->ref();
    m_left = addView(SbVec2f(0, 0), SbVec2f(0.4f, 1));
    m_right = addView(SbVec2f(0.6f, 0), SbVec2f(0.4f, 1));

    m_viewer = new SoQtExaminerViewer;
    m_viewer->setDecoration(FALSE);
    m_viewer->setAnimationEnabled(FALSE);
    m_viewer->setSceneGraph(m_root);
    PoBaseView::installViewingEventCB(m_viewer);
    m_viewer->setSize(SbVec2s(240, 120));
    m_viewer->show();
    QElapsedTimer timer;
    timer.start();
    while (windowSize()[0] == 0 && timer.elapsed() < 5000) QApplication::processEvents();
    QApplication::processEvents();
    m_initial = m_viewer->getCamera();
    if (m_initial) m_initial->ref();
  }

  void TearDown() override {
    if (m_initial) m_initial->unref();
    delete m_viewer;
    m_root->unref();
    TestCameraViewKit::exitClass();
    TestViewKit::exitClass();
  }

  TestCameraViewKit *addView(SbVec2f origin, SbVec2f size) {
    auto *view = new TestCameraViewKit;
    view->viewportOrigin.setValue(origin);
    view->viewportSize.setValue(size);
    view->sensitiveOnEvents(1);
    m_root->addChild(view);
    return view;
  }

  SbVec2s windowSize() const { return m_viewer->getSceneManager()->getWindowSize(); }

  // The widget pixel at window-normalised (nx, ny).
  QPoint pixelAt(float nx, float ny) const {
    const SbVec2s size = windowSize();
    return QPoint(int(nx * size[0]), int(size[1] - ny * size[1]));
  }

  void send(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
            Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent event(type, QPointF(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(m_viewer->getGLWidget(), &event);
  }

  void press(QPoint at) { send(QEvent::MouseButtonPress, at); }
  void release(QPoint at) { send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

  static SoCamera *cameraOf(PoBaseView *view) {
    return static_cast<SoCamera *>(view->getPart("cameraKit.camera", FALSE));
  }

  SoSeparator *m_root = nullptr;
  TestCameraViewKit *m_left = nullptr;
  TestCameraViewKit *m_right = nullptr;
  SoQtExaminerViewer *m_viewer = nullptr;
  SoCamera *m_initial = nullptr;
};

} // namespace

TEST_F(ViewingEvents, ViewerIsOnScreenWithItsOwnCamera) {
  ASSERT_GT(windowSize()[0], 0);
  ASSERT_GT(windowSize()[1], 0);
  ASSERT_NE(m_initial, nullptr);
  EXPECT_TRUE(m_viewer->isViewing());
  // No camera kit exists before the first press over a view.
  EXPECT_EQ(m_left->cameraKitField().getValue(), nullptr);
}

TEST_F(ViewingEvents, PressOverEachViewSwitchesToItsCamera) {
  press(pixelAt(0.2f, 0.5f));
  release(pixelAt(0.2f, 0.5f));
  SoCamera *left = cameraOf(m_left);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(m_viewer->getCamera(), left);

  press(pixelAt(0.8f, 0.5f));
  release(pixelAt(0.8f, 0.5f));
  SoCamera *right = cameraOf(m_right);
  ASSERT_NE(right, nullptr);
  EXPECT_NE(right, left);
  EXPECT_EQ(m_viewer->getCamera(), right);

  // Edges of the window belong to the views that reach them.
  press(pixelAt(0.0f, 1.0f));
  EXPECT_EQ(m_viewer->getCamera(), left);
  const SbVec2s size = windowSize();
  press(QPoint(size[0], size[1]));
  EXPECT_EQ(m_viewer->getCamera(), right);
}

TEST_F(ViewingEvents, PressOutsideEveryViewKeepsTheCamera) {
  press(pixelAt(0.5f, 0.5f));
  EXPECT_EQ(m_viewer->getCamera(), m_initial);
  press(pixelAt(0.8f, 0.5f));
  ASSERT_EQ(m_viewer->getCamera(), cameraOf(m_right));
  press(pixelAt(0.5f, 0.5f));
  EXPECT_EQ(m_viewer->getCamera(), cameraOf(m_right));
  // Beyond the widget's edge.
  press(QPoint(-30, 10));
  EXPECT_EQ(m_viewer->getCamera(), cameraOf(m_right));
  EXPECT_EQ(cameraOf(m_left), nullptr);
}

TEST_F(ViewingEvents, OnlyPressesSwitch) {
  const QPoint overLeft = pixelAt(0.2f, 0.5f);
  release(overLeft);
  send(QEvent::MouseMove, overLeft, Qt::NoButton, Qt::NoButton);
  send(QEvent::MouseMove, overLeft, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonDblClick, overLeft);
  release(overLeft);
  EXPECT_EQ(m_viewer->getCamera(), m_initial);
  EXPECT_EQ(cameraOf(m_left), nullptr);

  // Any button's press switches.
  send(QEvent::MouseButtonPress, overLeft, Qt::MiddleButton, Qt::MiddleButton);
  send(QEvent::MouseButtonRelease, overLeft, Qt::MiddleButton, Qt::NoButton);
  EXPECT_EQ(m_viewer->getCamera(), cameraOf(m_left));
}

TEST_F(ViewingEvents, PressOutsideViewingModeKeepsTheCamera) {
  m_viewer->setViewing(FALSE);
  press(pixelAt(0.2f, 0.5f));
  release(pixelAt(0.2f, 0.5f));
  EXPECT_EQ(m_viewer->getCamera(), m_initial);
  m_viewer->setViewing(TRUE);
  press(pixelAt(0.2f, 0.5f));
  release(pixelAt(0.2f, 0.5f));
  EXPECT_EQ(m_viewer->getCamera(), cameraOf(m_left));
}

TEST_F(ViewingEvents, PressStillReachesTheViewerWhichMovesTheNewCamera) {
  // Give the cameras something to look at so the examiner's rotation is
  // well defined, and fix where they start.
  m_root->addChild(new SoCube);
  m_left->sensitiveOnEvents(1);
  m_left->setCamera(m_viewer);
  m_right->setCamera(m_viewer);
  m_viewer->setCamera(m_initial);
  const SbRotation leftStart = cameraOf(m_left)->orientation.getValue();
  const SbRotation rightStart = cameraOf(m_right)->orientation.getValue();

  // A left-button drag that starts over the right view: the press switches
  // the camera and, not being consumed, starts the examiner's rotation of
  // that same camera.
  const QPoint from = pixelAt(0.8f, 0.5f);
  const QPoint to = pixelAt(0.9f, 0.8f);
  press(from);
  for (int step = 1; step <= 5; ++step)
    send(QEvent::MouseMove, from + (to - from) * step / 5, Qt::NoButton, Qt::LeftButton);
  release(to);

  EXPECT_EQ(m_viewer->getCamera(), cameraOf(m_right));
  EXPECT_FALSE(cameraOf(m_right)->orientation.getValue().equals(rightStart, 1e-4f));
  EXPECT_TRUE(cameraOf(m_left)->orientation.getValue().equals(leftStart, 0.0f));
}

TEST_F(ViewingEvents, CallbackAnswersZeroInEveryCase) {
  const QPoint overLeft = pixelAt(0.2f, 0.5f);
  const QPoint gap = pixelAt(0.5f, 0.5f);
  QMouseEvent hit(QEvent::MouseButtonPress, QPointF(overLeft), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
  QMouseEvent miss(QEvent::MouseButtonPress, QPointF(gap), Qt::LeftButton, Qt::LeftButton,
                   Qt::NoModifier);
  QMouseEvent move(QEvent::MouseMove, QPointF(overLeft), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QEvent paint(QEvent::Paint);
  EXPECT_EQ(PoBaseView::viewingEventCB(m_viewer, &miss), 0);
  EXPECT_EQ(m_viewer->getCamera(), m_initial);
  EXPECT_EQ(PoBaseView::viewingEventCB(m_viewer, &move), 0);
  EXPECT_EQ(PoBaseView::viewingEventCB(m_viewer, &paint), 0);
  EXPECT_EQ(m_viewer->getCamera(), m_initial);
  EXPECT_EQ(PoBaseView::viewingEventCB(m_viewer, &hit), 0);
  EXPECT_EQ(m_viewer->getCamera(), cameraOf(m_left));
  m_viewer->setViewing(FALSE);
  EXPECT_EQ(PoBaseView::viewingEventCB(m_viewer, &hit), 0);
  EXPECT_EQ(PoBaseView::viewingEventCB(nullptr, &hit), 0);
  EXPECT_EQ(PoBaseView::viewingEventCB(m_viewer, nullptr), 0);
}

TEST_F(ViewingEvents, SetCameraMakesTheCameraKitOnceAndHandsTheSameCamera) {
  ASSERT_EQ(m_left->cameraKitField().getValue(), nullptr);
  m_left->setCamera(m_viewer);
  SoNode *kit = m_left->cameraKitField().getValue();
  ASSERT_NE(kit, nullptr);
  EXPECT_TRUE(kit->isOfType(SoCameraKit::getClassTypeId()));
  SoCamera *camera = cameraOf(m_left);
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(m_viewer->getCamera(), camera);

  m_viewer->setCamera(m_initial);
  m_left->setCamera(m_viewer);
  EXPECT_EQ(m_left->cameraKitField().getValue(), kit);
  EXPECT_EQ(cameraOf(m_left), camera);
  EXPECT_EQ(m_viewer->getCamera(), camera);
}

TEST_F(ViewingEvents, ViewWithoutCameraPartKeepsTheViewersCamera) {
  auto *plain = new TestViewKit;
  plain->sensitiveOnEvents(1);
  m_root->addChild(plain);
  DebugCapture reports;
  press(pixelAt(0.5f, 0.5f));
  EXPECT_EQ(PoBaseView::getView(m_viewer, pixelAt(0.5f, 0.5f).x(), pixelAt(0.5f, 0.5f).y()),
            plain);
  EXPECT_EQ(m_viewer->getCamera(), m_initial);
  plain->setCamera(m_viewer);
  EXPECT_EQ(m_viewer->getCamera(), m_initial);
  EXPECT_TRUE(reports.ours().empty());
  m_left->setCamera(nullptr);
  EXPECT_EQ(m_left->cameraKitField().getValue(), nullptr);
}
