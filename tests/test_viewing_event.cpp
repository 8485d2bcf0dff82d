// Event routing end to end: a real examiner viewer on screen, real Qt mouse
// events sent to its GL widget, the viewing callback installed the way an
// application does it.

#include "DebugCapture.h"
#include "GLTestContext.h"
#include "PoSceneView.h"
#include "PoView.h"
#include "TestCameraViewKit.h"
#include "TestViewKit.h"

#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodekits/SoCameraKit.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoTranslation.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <string>
#include <vector>

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

  // One step of the wheel, turned while `held` buttons are down.
  void wheel(QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    QWidget *widget = viewer->getGLWidget();
    QWheelEvent event(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(), QPoint(0, 120),
                      held, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
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
  EXPECT_EQ(view->getCamera(), camera);

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
  EXPECT_EQ(plain->getCamera(), nullptr);
  EXPECT_TRUE(reports.ours().empty());
  this->left->setCamera(nullptr);
  EXPECT_EQ(this->cameraKitOf(this->left), nullptr);
}

TYPED_TEST(ViewingEvents, WheelZoomsTheViewUnderThePointerOnly) {
  this->left->setCamera(this->viewer);
  this->right->setCamera(this->viewer);
  this->viewer->setCamera(this->initial);
  SoCamera *left = this->cameraOf(this->left);
  SoCamera *right = this->cameraOf(this->right);
  const SbVec3f leftStart = left->position.getValue();
  const SbVec3f rightStart = right->position.getValue();

  // One step over the right view: its camera is taken and zoomed; the wheel
  // holds nothing, so the next step over the left view goes to the left one.
  this->wheel(this->pixelAt(0.8f, 0.5f));
  EXPECT_EQ(this->viewer->getCamera(), right);
  const SbVec3f rightZoomed = right->position.getValue();
  EXPECT_NE(rightZoomed, rightStart);
  EXPECT_EQ(left->position.getValue(), leftStart);
  this->wheel(this->pixelAt(0.2f, 0.5f));
  EXPECT_EQ(this->viewer->getCamera(), left);
  EXPECT_NE(left->position.getValue(), leftStart);
  EXPECT_EQ(right->position.getValue(), rightZoomed);

  // A wheel turned during a drag that started over the right view, with the
  // pointer now over the left one, leaves the drag its camera.
  this->press(this->pixelAt(0.8f, 0.5f));
  this->wheel(this->pixelAt(0.2f, 0.5f), Qt::LeftButton);
  EXPECT_EQ(this->viewer->getCamera(), right);
  this->release(this->pixelAt(0.2f, 0.5f));

  // Over no view the camera stays.
  this->wheel(this->pixelAt(0.5f, 0.5f));
  EXPECT_EQ(this->viewer->getCamera(), right);
}

namespace {

// An application's own event callback: what it saw, and what it answers.
struct ApplicationCallback {
  static SbBool run(void *data, QEvent *event) {
    auto *self = static_cast<ApplicationCallback *>(data);
    self->types.push_back(event->type());
    self->camerasSeen.push_back(self->viewer->getCamera());
    return self->consume;
  }
  SoQtViewer *viewer = nullptr;
  SbBool consume = FALSE;
  std::vector<QEvent::Type> types;
  std::vector<SoCamera *> camerasSeen;
};

} // namespace

TYPED_TEST(ViewingEvents, ApplicationCallbackIsChainedAfterTheRoutingAndDecides) {
  this->left->setCamera(this->viewer);
  this->viewer->setCamera(this->initial);
  SoCamera *left = this->cameraOf(this->left);
  const SbRotation leftStart = left->orientation.getValue();
  ApplicationCallback application;
  application.viewer = this->viewer;
  PoBaseView::installViewingEventCB(this->viewer, &ApplicationCallback::run, &application);

  // The application sees every event once, with the camera of the view under
  // the pointer already chosen; answering 1 keeps the drag from the viewer.
  auto drag = [this](QPoint from, QPoint to) {
    this->press(from);
    for (int step = 1; step <= 5; ++step)
      this->send(QEvent::MouseMove, from + (to - from) * step / 5, Qt::NoButton, Qt::LeftButton);
    this->release(to);
  };
  application.consume = TRUE;
  drag(this->pixelAt(0.2f, 0.5f), this->pixelAt(0.3f, 0.8f));
  ASSERT_GE(application.types.size(), 3u);
  EXPECT_EQ(application.types[0], QEvent::MouseButtonPress);
  EXPECT_EQ(application.camerasSeen[0], left);
  EXPECT_EQ(this->viewer->getCamera(), left);
  EXPECT_TRUE(left->orientation.getValue().equals(leftStart, 0.0f));

  application.consume = FALSE;
  drag(this->pixelAt(0.2f, 0.5f), this->pixelAt(0.3f, 0.8f));
  EXPECT_FALSE(left->orientation.getValue().equals(leftStart, 1e-4f));

  // Installing again replaces the chain: the old callback hears no more.
  PoBaseView::installViewingEventCB(this->viewer);
  const std::size_t heard = application.types.size();
  this->press(this->pixelAt(0.8f, 0.5f));
  EXPECT_EQ(application.types.size(), heard);
  EXPECT_EQ(this->viewer->getCamera(), this->cameraOf(this->right));
}

namespace {

// The pixels of a rectangle of the picture that are not black.
struct Extent {
  int left = 1 << 30, bottom = 1 << 30, right = -1, top = -1;
  bool empty() const { return right < 0; }
};

Extent litExtent(GLTestContext &gl, int x0, int y0, int width, int height) {
  const std::vector<SbColor> pixels = gl.pixels();
  const int windowWidth = gl.viewport().getWindowSize()[0];
  Extent extent;
  for (int y = y0; y < y0 + height; ++y)
    for (int x = x0; x < x0 + width; ++x) {
      if (pixels[std::size_t(y) * windowWidth + x] == SbColor(0, 0, 0)) continue;
      extent.left = std::min(extent.left, x);
      extent.right = std::max(extent.right, x);
      extent.bottom = std::min(extent.bottom, y);
      extent.top = std::max(extent.top, y);
    }
  return extent;
}

} // namespace

// A box far off the camera's start, fitted by viewAll into wide, tall and
// square views, seen straight on and at a slant: for perspective and
// orthographic cameras alike, the box as drawn spans 90% of the view along
// the axis that limits it, with 5% of the view free at either end, and lies
// inside the view along the other.
TEST(ViewAll, FitsTheSceneWithTheSameMarginForEveryCameraAndShape) {
  struct Shape {
    const char *name;
    SbVec2f origin, size;
  };
  const Shape shapes[] = {{"wide", SbVec2f(0, 0.4f), SbVec2f(1, 0.25f)},
                          {"tall", SbVec2f(0.4f, 0), SbVec2f(0.25f, 1)},
                          {"square", SbVec2f(0.25f, 0.25f), SbVec2f(0.5f, 0.5f)}};
  const SoType cameras[] = {SoPerspectiveCamera::getClassTypeId(),
                            SoOrthographicCamera::getClassTypeId()};
  const SbRotation directions[] = {SbRotation::identity(),
                                   SbRotation(SbVec3f(1, 1, 0), 0.6f)};
  const short side = 400;
  GLTestContext gl(side, side);
  ASSERT_TRUE(gl.isValid());
  for (const Shape &shape : shapes)
    for (SoType cameraType : cameras)
      for (const SbRotation &direction : directions) {
        SCOPED_TRACE(std::string(shape.name) + ", " + cameraType.getName().getString() +
                     (direction == SbRotation::identity() ? ", straight" : ", slanted"));
        PoSceneView *view = new PoSceneView;
        view->ref();
        view->viewportOrigin.setValue(shape.origin);
        view->viewportSize.setValue(shape.size);
        SoCamera *camera = view->getCamera(cameraType);
        ASSERT_NE(camera, nullptr);
        camera->orientation = direction;
        auto *scene = static_cast<SoGroup *>(view->getPart("scene", TRUE));
        auto *unlit = new SoLightModel;
        unlit->model = SoLightModel::BASE_COLOR;
        scene->addChild(unlit);
        scene->addChild(new SoBaseColor);
        auto *away = new SoTranslation;
        away->translation.setValue(40, -25, -60);
        scene->addChild(away);
        SoCube *box = new SoCube;
        box->width = 3;
        box->depth = 2;
        scene->addChild(box);

        const int x0 = int(shape.origin[0] * side), y0 = int(shape.origin[1] * side);
        const int width = int(shape.size[0] * side), height = int(shape.size[1] * side);
        gl.render(view);
        EXPECT_TRUE(litExtent(gl, 0, 0, side, side).empty()) << "the box shows before viewAll";

        view->viewAll(gl.viewport().getWindowSize());
        gl.render(view);
        const Extent drawn = litExtent(gl, 0, 0, side, side);
        ASSERT_FALSE(drawn.empty());
        const float across = float(drawn.right - drawn.left + 1) / float(width);
        const float up = float(drawn.top - drawn.bottom + 1) / float(height);
        // Two pixels of rasterisation on the limiting axis.
        const float pixel = 2.0f / float(std::min(width, height));
        EXPECT_NEAR(std::max(across, up), 0.9f, pixel) << across << " by " << up;
        EXPECT_LE(std::min(across, up), 0.9f + pixel);
        EXPECT_GE(drawn.left, x0 + int(0.05f * width) - 2);
        EXPECT_LE(drawn.right, x0 + width - int(0.05f * width) + 1);
        EXPECT_GE(drawn.bottom, y0 + int(0.05f * height) - 2);
        EXPECT_LE(drawn.top, y0 + height - int(0.05f * height) + 1);
        view->unref();
      }
}
