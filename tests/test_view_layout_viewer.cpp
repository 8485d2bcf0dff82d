// PoViewLayout::install in a real examiner viewer on screen, installed before
// and after the view routing, with Qt mouse events sent to its GL widget.

#include "PoSceneView.h"
#include "PoViewLayout.h"
#include "PoViewList.h"
#include "SceneFiles.h"

#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

// Odd on both axes: the edge between the halves lies inside a pixel.
const short kWidth = 241, kHeight = 181;

// Counts the mouse events the application's own callback sees.
SbBool countMouse(void *count, QEvent *event) {
  const QEvent::Type type = event->type();
  if (type >= QEvent::MouseButtonPress && type <= QEvent::MouseMove) ++*static_cast<int *>(count);
  return FALSE;
}

class LayoutInViewer : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    std::ifstream file(std::string(BRENNICQT_EXAMPLES_DIR) + "/four_quadrants.iv");
    std::stringstream text;
    text << file.rdbuf();
    root = readScene(text.str());
    root->ref();
    viewer = new SoQtExaminerViewer;
    viewer->setDecoration(FALSE);
    viewer->setAnimationEnabled(FALSE);
    viewer->setSceneGraph(root);
    if (GetParam()) layout = PoViewLayout::install(viewer);
    PoBaseView::installViewingEventCB(viewer, &countMouse, &heard);
    if (!GetParam()) layout = PoViewLayout::install(viewer);
    viewer->setSize(SbVec2s(kWidth, kHeight));
    viewer->show();
    QElapsedTimer timer;
    timer.start();
    while (area()->width() != kWidth && timer.elapsed() < 5000) QApplication::processEvents();
    const PoViewList views(root);
    for (int i = 0; i < views.getLength(); ++i) {
      views[i].view->sensitiveOnEvents(1);
      views[i].view->setCamera(viewer); // made now, to be watched
      quadrants.push_back(views[i].view); // TopLeft, TopRight, BottomLeft, BottomRight
    }
    heard = 0;
  }

  void TearDown() override {
    delete viewer;
    root->unref();
  }

  QWidget *area() const { return viewer->getGLWidget(); }

  void send(QEvent::Type type, QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent event(type, QPointF(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, Qt::NoModifier);
    QApplication::sendEvent(area(), &event);
  }

  void drag(QPoint from, QPoint to) {
    send(QEvent::MouseButtonPress, from);
    for (int step = 1; step <= 6; ++step) send(QEvent::MouseMove, from + (to - from) * step / 6);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
  }

  SbRotation turn(int quadrant) const {
    return quadrants[std::size_t(quadrant)]->getCamera()->orientation.getValue();
  }
  SbVec2f origin(int quadrant) const {
    return quadrants[std::size_t(quadrant)]->viewportOrigin.getValue();
  }

  SoSeparator *root = nullptr;
  SoQtExaminerViewer *viewer = nullptr;
  PoViewLayout *layout = nullptr;
  std::vector<PoBaseView *> quadrants;
  int heard = 0;
};

} // namespace

TEST_P(LayoutInViewer, DoubleClickMaximizesTheViewAndRestoresTheLayout) {
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(PoViewLayout::install(viewer), layout);
  for (QPoint at : {QPoint(kWidth * 3 / 4, kHeight * 3 / 4), QPoint(10, 10)}) {
    send(QEvent::MouseButtonPress, at);
    send(QEvent::MouseButtonRelease, at, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, at);
    send(QEvent::MouseButtonRelease, at, Qt::NoButton);
    if (layout->getMaximized()) {
      EXPECT_EQ(layout->getMaximized(), quadrants[3]);
      EXPECT_EQ(origin(3), SbVec2f(0, 0));
      EXPECT_EQ(quadrants[3]->viewportSize.getValue(), SbVec2f(1, 1));
      for (int i = 0; i < 3; ++i) EXPECT_FALSE(quadrants[std::size_t(i)]->isVisible.getValue());
    }
  }
  // The second double click, in the maximized view, restored the layout.
  EXPECT_EQ(layout->getMaximized(), nullptr);
  EXPECT_EQ(origin(3), SbVec2f(0.5f, 0));
  for (PoBaseView *view : quadrants) EXPECT_TRUE(view->isVisible.getValue());
  // The application saw each first press and release, not the double clicks.
  EXPECT_EQ(heard, 4);
}

TEST_P(LayoutInViewer, DragOnTheSharedEdgeMovesItByTheDragDistance) {
  const std::vector<SbRotation> before = {turn(0), turn(1), turn(2), turn(3)};
  SoCamera *camera = viewer->getCamera();
  // The vertical edge lies at x = 120.5 pixels; 3 pixels off, the pointer
  // shows the split cursor and a press takes the edge, wherever the drag
  // goes (here into the lower views).
  const QPoint press(123, kHeight / 4);
  send(QEvent::MouseMove, press, Qt::NoButton);
  EXPECT_EQ(area()->cursor().shape(), Qt::SplitHCursor);
  heard = 0;
  drag(press, press + QPoint(36, 100));
  const float edge = 0.5f + 36.0f / kWidth;
  for (int i : {0, 2})
    EXPECT_NEAR(quadrants[std::size_t(i)]->viewportSize.getValue()[0], edge, 1e-5f);
  for (int i : {1, 3}) EXPECT_EQ(origin(i)[0], quadrants[0]->viewportSize.getValue()[0]);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(quadrants[std::size_t(i)]->viewportSize.getValue()[1], 0.5f);
    EXPECT_TRUE(turn(i).equals(before[std::size_t(i)], 0.0f));
  }
  EXPECT_EQ(viewer->getCamera(), camera);
  EXPECT_EQ(heard, 0);
  send(QEvent::MouseMove, QPoint(30, 30), Qt::NoButton);
  EXPECT_NE(area()->cursor().shape(), Qt::SplitHCursor);
}

TEST_P(LayoutInViewer, PressBesideTheEdgeStillRotatesItsView) {
  const SbRotation start = turn(1);
  // Eight pixels right of the edge, out of its reach: the press is the view's.
  drag(QPoint(129, kHeight / 4), QPoint(170, kHeight / 4 + 30));
  EXPECT_EQ(viewer->getCamera(), quadrants[1]->getCamera());
  EXPECT_FALSE(turn(1).equals(start, 1e-4f));
  EXPECT_EQ(origin(1), SbVec2f(0.5f, 0.5f));
  EXPECT_GT(heard, 0);
}

INSTANTIATE_TEST_SUITE_P(InstallOrder, LayoutInViewer, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                           return info.param ? "LayoutFirst" : "RoutingFirst";
                         });
