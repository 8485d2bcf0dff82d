// Views whose navigation is PAN, in a real examiner viewer with the viewing
// callback installed: drags move the camera with the pointer, the wheel
// zooms about it, nothing turns; linked views move before the next frame.
#include "PoCameraLink.h"
#include "PoSceneView.h"

#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/SbLine.h>
#include <Inventor/SbPlane.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <vector>

namespace {

SbVec3f directionOf(const SoCamera *camera) {
  SbVec3f direction;
  camera->orientation.getValue().multVec(SbVec3f(0, 0, -1), direction);
  return direction;
}

// A viewer of 300 x 200 pixels with three sensitive views side by side,
// each 100 pixels wide and 200 high: a PAN view with an orthographic camera,
// a PAN view with a perspective camera, and an EXAMINE view; all look at a
// slant. The first two are linked by their position when asked to.
class PanViewer : public ::testing::Test {
protected:
  void SetUp() override {
    root = new SoSeparator;
    root->ref();
    for (int i = 0; i < 3; ++i) {
      auto *view = new PoSceneView;
      view->viewportOrigin.setValue(i / 3.0f, 0);
      view->viewportSize.setValue(1 / 3.0f, 1);
      view->sensitiveOnEvents(1);
      view->navigation = i < 2 ? PoBaseView::PAN : PoBaseView::EXAMINE;
      auto *scene = new SoSeparator;
      scene->addChild(new SoCube);
      view->setPart("scene", scene);
      SoCamera *camera = view->getCamera(i == 0 ? SoOrthographicCamera::getClassTypeId()
                                                : SoPerspectiveCamera::getClassTypeId());
      camera->orientation.setValue(SbVec3f(1, 2, 0.5f), 0.7f);
      camera->focalDistance = 8;
      camera->position = SbVec3f(0.5f, 0, 0) - 8 * directionOf(camera);
      if (i == 0) static_cast<SoOrthographicCamera *>(camera)->height = 4;
      root->addChild(view);
      views.push_back(view);
    }
    viewer = new SoQtExaminerViewer;
    viewer->setDecoration(FALSE);
    viewer->setAnimationEnabled(FALSE);
    viewer->setSceneGraph(root);
    PoBaseView::installViewingEventCB(viewer);
    viewer->setSize(SbVec2s(300, 200));
    viewer->show();
    QElapsedTimer timer;
    timer.start();
    while (windowSize() != SbVec2s(300, 200) && timer.elapsed() < 5000)
      QApplication::processEvents();
    QApplication::processEvents();
  }
  void TearDown() override {
    delete viewer;
    root->unref();
  }

  SbVec2s windowSize() const { return viewer->getSceneManager()->getWindowSize(); }
  SoCamera *cameraOf(int view) const { return views[view]->getCamera(); }

  void send(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, Qt::NoModifier);
    QApplication::sendEvent(viewer->getGLWidget(), &event);
  }
  void drag(QPoint from, QPoint to, int steps = 4) {
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int step = 1; step <= steps; ++step)
      send(QEvent::MouseMove, from + (to - from) * step / steps, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
  }
  void wheel(QPoint at, int angle) {
    QWidget *widget = viewer->getGLWidget();
    QWheelEvent event(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
  }

  // The point of the camera's focal plane under widget pixel `at` of view
  // `view` (100 x 200 pixels from x = 100 * view).
  SbVec3f pointUnder(int view, QPoint at) const {
    const SoCamera *camera = cameraOf(view);
    const SbViewVolume volume = camera->getViewVolume(0.5f);
    // Coin fits a camera's height to the width of a view taller than wide.
    SbViewVolume fitted = volume;
    fitted.scale(2.0f);
    SbLine ray;
    fitted.projectPointToLine(SbVec2f((at.x() - 100 * view) / 100.0f, (200 - at.y()) / 200.0f),
                              ray);
    const SbVec3f focal = camera->position.getValue() +
                          camera->focalDistance.getValue() * directionOf(camera);
    SbVec3f point;
    SbPlane(directionOf(camera), focal).intersect(ray, point);
    return point;
  }

  SoSeparator *root = nullptr;
  std::vector<PoSceneView *> views;
  SoQtExaminerViewer *viewer = nullptr;
};

} // namespace

// A drag moves the view's camera so that the point under the pointer when the
// button went down is under it when the button comes up, also when the
// pointer leaves the view; the orientation stays as it was, and the other
// views keep their cameras.
TEST_F(PanViewer, DragMovesTheCameraWithThePointerAndTurnsNothing) {
  ASSERT_EQ(windowSize(), SbVec2s(300, 200));
  const struct {
    int view;
    QPoint from, to;
  } drags[] = {{0, QPoint(30, 150), QPoint(70, 90)},
               {0, QPoint(60, 40), QPoint(160, 60)}, // into the next view
               {1, QPoint(150, 100), QPoint(120, 160)}};
  for (const auto &d : drags) {
    SCOPED_TRACE(d.view);
    const SbVec3f grabbed = pointUnder(d.view, d.from);
    const SbRotation orientation = cameraOf(d.view)->orientation.getValue();
    std::vector<SbVec3f> others;
    for (int i = 0; i < 3; ++i) others.push_back(cameraOf(i)->position.getValue());
    drag(d.from, d.to);
    EXPECT_EQ(viewer->getCamera(), cameraOf(d.view));
    EXPECT_EQ(cameraOf(d.view)->orientation.getValue(), orientation);
    EXPECT_LT((pointUnder(d.view, d.to) - grabbed).length(), 1e-4f);
    for (int i = 0; i < 3; ++i) {
      if (i == d.view) continue;
      EXPECT_EQ(cameraOf(i)->position.getValue(), others[i]);
    }
  }
  // An EXAMINE view still turns under a drag.
  const SbRotation examined = cameraOf(2)->orientation.getValue();
  drag(QPoint(250, 100), QPoint(280, 60));
  EXPECT_FALSE(cameraOf(2)->orientation.getValue().equals(examined, 1e-4f));
}

// The wheel zooms a PAN view about the point under the pointer, in and out,
// for both camera types, the way the viewer zooms an EXAMINE view.
TEST_F(PanViewer, WheelZoomsAboutThePointUnderThePointer) {
  const struct {
    int view;
    QPoint at;
    int angle;
  } turns[] = {{0, QPoint(20, 30), 120}, {0, QPoint(80, 170), -240}, {1, QPoint(130, 40), 120}};
  for (const auto &t : turns) {
    SCOPED_TRACE(t.view);
    SoCamera *camera = cameraOf(t.view);
    const SbVec3f fixed = pointUnder(t.view, t.at);
    const SbRotation orientation = camera->orientation.getValue();
    const float distance = camera->focalDistance.getValue();
    const float height =
        t.view == 0 ? static_cast<SoOrthographicCamera *>(camera)->height.getValue() : 0.0f;
    wheel(t.at, t.angle);
    EXPECT_LT((pointUnder(t.view, t.at) - fixed).length(), 1e-4f);
    EXPECT_EQ(camera->orientation.getValue(), orientation);
    // Turned away from the user (a positive angle) the wheel zooms out.
    const float shown = t.view == 0
                            ? static_cast<SoOrthographicCamera *>(camera)->height.getValue() / height
                            : camera->focalDistance.getValue() / distance;
    if (t.angle > 0)
      EXPECT_GT(shown, 1.0f);
    else
      EXPECT_LT(shown, 1.0f);
  }
  // The viewer zooms an EXAMINE view, the same way round.
  const float examined = cameraOf(2)->focalDistance.getValue();
  wheel(QPoint(250, 100), 120);
  EXPECT_GT(cameraOf(2)->focalDistance.getValue(), examined);
}

// Views linked to a dragged PAN view have moved as soon as the viewer has had
// the pointer's move, before it draws the frame that shows it.
TEST_F(PanViewer, LinkedViewsMoveWithTheMoveThatMadeThem) {
  auto *link = new PoCameraLink;
  link->views.set1Value(0, views[0]);
  link->views.set1Value(1, views[2]);
  link->link = PoCameraLink::POSITION;
  root->addChild(link);
  const SbVec3f start = cameraOf(2)->position.getValue();
  const SbVec3f dragged = cameraOf(0)->position.getValue();
  send(QEvent::MouseButtonPress, QPoint(50, 100), Qt::LeftButton);
  send(QEvent::MouseMove, QPoint(70, 80), Qt::LeftButton);
  const SbVec3f shift = cameraOf(0)->position.getValue() - dragged;
  EXPECT_GT(shift.length(), 0.1f);
  EXPECT_LT((cameraOf(2)->position.getValue() - (start + shift)).length(), 1e-4f);
  send(QEvent::MouseButtonRelease, QPoint(70, 80), Qt::NoButton);
}
