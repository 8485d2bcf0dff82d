// PoViewLayout::install in a real examiner viewer on screen, with Qt mouse
// events sent to its GL widget: double clicks maximize and restore, a drag on
// the edge between views moves it, presses elsewhere reach the views.

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
#include <QWheelEvent>
#include <QWidget>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

// Odd on both axes: the edge between the halves lies inside a pixel.
const short kWidth = 241, kHeight = 181;

// The mouse events the application's own event callback saw.
struct Heard {
  static SbBool run(void *data, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
      static_cast<Heard *>(data)->types.push_back(event->type());
      break;
    default:
      break;
    }
    return FALSE;
  }
  std::vector<QEvent::Type> types;
};

// four_quadrants.iv in a viewer, with the view routing and the layout
// installed in the order the test asks for.
class LayoutInViewer : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    std::ifstream file(std::string(BRENNICQT_EXAMPLES_DIR) + "/four_quadrants.iv");
    std::stringstream text;
    text << file.rdbuf();
    root = readScene(text.str());
    ASSERT_NE(root, nullptr);
    root->ref();
    const PoViewList views(root);
    for (int i = 0; i < views.getLength(); ++i) views[i].view->sensitiveOnEvents(1);

    viewer = new SoQtExaminerViewer;
    viewer->setDecoration(FALSE);
    viewer->setAnimationEnabled(FALSE);
    viewer->setSceneGraph(root);
    const bool layoutFirst = GetParam();
    if (layoutFirst) layout = PoViewLayout::install(viewer);
    PoBaseView::installViewingEventCB(viewer, &Heard::run, &heard);
    if (!layoutFirst) layout = PoViewLayout::install(viewer);
    viewer->setSize(SbVec2s(kWidth, kHeight));
    viewer->show();
    QElapsedTimer timer;
    timer.start();
    while (area()->width() != kWidth && timer.elapsed() < 5000) QApplication::processEvents();
    QApplication::processEvents();
    for (const char *name : {"TopLeft", "TopRight", "BottomLeft", "BottomRight"}) {
      auto *view = static_cast<PoBaseView *>(SoNode::getByName(name));
      view->setCamera(viewer); // made now, so that the test can watch them
      quadrants.push_back(view);
    }
  }

  void TearDown() override {
    delete viewer;
    root->unref();
  }

  QWidget *area() const { return viewer->getGLWidget(); }

  void send(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
            Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent event(type, QPointF(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(area(), &event);
  }

  void doubleClick(QPoint at) {
    send(QEvent::MouseButtonPress, at);
    send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, at);
    send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }

  void drag(QPoint from, QPoint to) {
    send(QEvent::MouseButtonPress, from);
    for (int step = 1; step <= 6; ++step)
      send(QEvent::MouseMove, from + (to - from) * step / 6, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }

  static SbVec2f origin(PoBaseView *view) { return view->viewportOrigin.getValue(); }
  static SbVec2f size(PoBaseView *view) { return view->viewportSize.getValue(); }

  SoSeparator *root = nullptr;
  SoQtExaminerViewer *viewer = nullptr;
  PoViewLayout *layout = nullptr;
  std::vector<PoBaseView *> quadrants; // TopLeft, TopRight, BottomLeft, BottomRight
  Heard heard;
};

} // namespace

TEST_P(LayoutInViewer, DoubleClickMaximizesTheViewAndRestoresTheLayout) {
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(PoViewLayout::install(viewer), layout);
  PoBaseView *bottomRight = quadrants[3];
  doubleClick(QPoint(kWidth * 3 / 4, kHeight * 3 / 4));
  EXPECT_EQ(layout->getMaximized(), bottomRight);
  EXPECT_EQ(origin(bottomRight), SbVec2f(0, 0));
  EXPECT_EQ(size(bottomRight), SbVec2f(1, 1));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(quadrants[std::size_t(i)]->isVisible.getValue());
  // The view under the pointer now is the maximized one, wherever it is.
  doubleClick(QPoint(10, 10));
  EXPECT_EQ(layout->getMaximized(), nullptr);
  EXPECT_EQ(origin(bottomRight), SbVec2f(0.5f, 0));
  EXPECT_EQ(size(bottomRight), SbVec2f(0.5f, 0.5f));
  for (PoBaseView *view : quadrants) EXPECT_TRUE(view->isVisible.getValue());
  // The application saw the first click of each, not the double clicks.
  for (QEvent::Type type : heard.types) EXPECT_NE(type, QEvent::MouseButtonDblClick);
}

TEST_P(LayoutInViewer, DragOnTheSharedEdgeMovesItByTheDragDistance) {
  std::vector<SbRotation> turned;
  for (PoBaseView *view : quadrants) turned.push_back(view->getCamera()->orientation.getValue());
  SoCamera *before = viewer->getCamera();

  // The vertical edge lies at x = 120.5 pixels; a press 3 pixels off takes
  // it. Hovering there shows the split cursor and goes on to the viewer.
  const QPoint press(123, kHeight / 4);
  send(QEvent::MouseMove, press, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(area()->cursor().shape(), Qt::SplitHCursor);
  EXPECT_EQ(heard.types.back(), QEvent::MouseMove);
  heard.types.clear();
  drag(press, press + QPoint(36, 50));

  const float edge = 0.5f + 36.0f / kWidth;
  for (PoBaseView *left : {quadrants[0], quadrants[2]}) {
    EXPECT_EQ(origin(left)[0], 0.0f);
    EXPECT_NEAR(size(left)[0], edge, 1.0f / 65536);
  }
  for (PoBaseView *right : {quadrants[1], quadrants[3]}) {
    EXPECT_NEAR(origin(right)[0], edge, 1.0f / 65536);
    EXPECT_EQ(origin(right)[0] + size(right)[0], 1.0f);
    EXPECT_EQ(origin(right)[0], size(quadrants[0])[0]);
  }
  // The horizontal edge stayed; no camera moved, none was taken, and the
  // application heard nothing of the drag.
  for (PoBaseView *view : quadrants) EXPECT_EQ(size(view)[1], 0.5f);
  for (std::size_t i = 0; i < quadrants.size(); ++i)
    EXPECT_TRUE(quadrants[i]->getCamera()->orientation.getValue().equals(turned[i], 0.0f));
  EXPECT_EQ(viewer->getCamera(), before);
  EXPECT_TRUE(heard.types.empty());

  // Away from the edge the viewer's cursor is back.
  send(QEvent::MouseMove, QPoint(30, 30), Qt::NoButton, Qt::NoButton);
  EXPECT_NE(area()->cursor().shape(), Qt::SplitHCursor);
}

TEST_P(LayoutInViewer, PressBesideTheEdgeStillRotatesItsView) {
  PoBaseView *topRight = quadrants[1];
  const SbRotation start = topRight->getCamera()->orientation.getValue();
  // Eight pixels right of the edge, out of its reach: the press is the
  // view's, which the viewer then turns.
  drag(QPoint(129, kHeight / 4), QPoint(170, kHeight / 4 + 30));
  EXPECT_EQ(viewer->getCamera(), topRight->getCamera());
  EXPECT_FALSE(topRight->getCamera()->orientation.getValue().equals(start, 1e-4f));
  EXPECT_EQ(origin(topRight), SbVec2f(0.5f, 0.5f));
  EXPECT_EQ(size(topRight), SbVec2f(0.5f, 0.5f));
  EXPECT_FALSE(heard.types.empty());
}

INSTANTIATE_TEST_SUITE_P(InstallOrder, LayoutInViewer, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                           return info.param ? "LayoutFirst" : "RoutingFirst";
                         });
