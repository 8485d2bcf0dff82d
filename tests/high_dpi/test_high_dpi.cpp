// An SoQt viewer where Qt scales everything by 2 (QT_SCALE_FACTOR=2, as on a
// high-DPI screen). SoQt 1.6 gives Coin the drawing area in Qt's scaled
// pixels, so Coin draws the whole scene into its lower-left quarter; the
// first test shows that with a plain viewer that holds no view. In the
// pixels SoQt does draw, the views keep their layout, and labels, triads and
// borders their size; the pointer's position comes in the same pixels, so a
// press picks the view under it.
#include "PoBaseView.h"
#include "PoSceneView.h"

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <GL/gl.h>

#include <algorithm>
#include <memory>

namespace {

// An examiner viewer that reads back the whole of its GL drawable, in the
// screen's pixels, after each frame.
class ReadingViewer : public SoQtExaminerViewer {
public:
  explicit ReadingViewer(QWidget *parent) : SoQtExaminerViewer(parent) {
    setDecoration(FALSE);
    setAnimationEnabled(FALSE);
  }
  QImage frame;

protected:
  void actualRedraw() override {
    SoQtExaminerViewer::actualRedraw();
    const QWidget *area = getGLWidget();
    const qreal ratio = area->devicePixelRatioF();
    const int width = int(area->width() * ratio), height = int(area->height() * ratio);
    QImage pixels(width, height, QImage::Format_RGBA8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.bits());
    frame = pixels.mirrored();
  }
};

// A viewer on screen, shown until SoQt has drawn a frame at its size.
std::unique_ptr<ReadingViewer> showViewer(QWidget *window, SoNode *root) {
  auto viewer = std::make_unique<ReadingViewer>(window);
  viewer->setSceneGraph(root);
  viewer->setSize(SbVec2s(200, 150));
  viewer->show();
  window->show();
  QElapsedTimer clock;
  clock.start();
  // Without a window manager the first paint keeps the window's first size
  // until it is resized.
  viewer->setSize(SbVec2s(201, 151));
  while (clock.elapsed() < 3000) QApplication::processEvents(QEventLoop::AllEvents, 50);
  viewer->render();
  return viewer;
}

bool isColour(const QColor &pixel, int red, int green, int blue) {
  return std::abs(pixel.red() - red) < 40 && std::abs(pixel.green() - green) < 40 &&
         std::abs(pixel.blue() - blue) < 40;
}

// The box around the pixels of one colour, x from the left, y from the bottom.
struct Found {
  int count = 0, x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
};

Found find(const QImage &image, int red, int green, int blue) {
  Found found;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (!isColour(image.pixelColor(x, image.height() - 1 - y), red, green, blue)) continue;
      ++found.count;
      found.x0 = std::min(found.x0, x);
      found.y0 = std::min(found.y0, y);
      found.x1 = std::max(found.x1, x + 1);
      found.y1 = std::max(found.y1, y + 1);
    }
  return found;
}

} // namespace

TEST(HighDpi, QtScalesByTwo) {
  QWidget window;
  EXPECT_EQ(window.devicePixelRatioF(), 2.0);
}

// A plain SoQt viewer with a red square larger than its view: at this ratio
// Coin is given a window of Qt's scaled pixels and fills only the
// lower-left quarter of the drawable. Should SoQt learn to draw at the
// screen's ratio, this test fails, and the README's note on high-DPI
// screens goes.
TEST(HighDpi, PlainSoQtViewerDrawsIntoTheLowerLeftQuarter) {
  SoSeparator *root = new SoSeparator;
  root->ref();
  SoOrthographicCamera *camera = new SoOrthographicCamera;
  camera->position.setValue(0, 0, 5);
  root->addChild(camera);
  SoLightModel *unlit = new SoLightModel;
  unlit->model = SoLightModel::BASE_COLOR;
  root->addChild(unlit);
  SoBaseColor *red = new SoBaseColor;
  red->rgb.setValue(1, 0, 0);
  root->addChild(red);
  SoCube *square = new SoCube;
  square->width = 100;
  square->height = 100;
  root->addChild(square);
  QWidget window;
  {
    std::unique_ptr<ReadingViewer> viewer = showViewer(&window, root);
    const QImage &frame = viewer->frame;
    ASSERT_FALSE(frame.isNull());
    const SbVec2s coinWindow = viewer->getSceneManager()->getWindowSize();
    EXPECT_EQ(frame.width(), 2 * coinWindow[0]);
    EXPECT_EQ(frame.height(), 2 * coinWindow[1]);
    const Found filled = find(frame, 255, 0, 0);
    EXPECT_EQ(filled.count, coinWindow[0] * coinWindow[1]);
    EXPECT_EQ(filled.x0, 0);
    EXPECT_EQ(filled.y0, 0);
    EXPECT_EQ(filled.x1, coinWindow[0]);
    EXPECT_EQ(filled.y1, coinWindow[1]);
  }
  root->unref();
}

// Four labelled scene views with borders and triads: in the quarter SoQt
// draws, each lies in its quadrant with its label, triad and border at their
// size in pixels; a press at the middle of a quadrant, in Qt's pixels,
// makes that quadrant's view the active one.
TEST(HighDpi, ViewsKeepTheirLayoutAndSizesAndPressesPickThem) {
  SoSeparator *root = new SoSeparator;
  root->ref();
  PoSceneView *views[4];
  for (int q = 0; q < 4; ++q) {
    PoSceneView *view = views[q] = new PoSceneView;
    view->viewportOrigin.setValue(0.5f * (q % 2), 0.5f * (q / 2));
    view->viewportSize.setValue(0.5f, 0.5f);
    view->isBorderVisible = TRUE;
    view->setBorderColor(SbColor(0, 1, 1));
    view->setBorderWidth(3);
    view->label = "View";
    view->setLabelColor(SbColor(1, 0, 1));
    view->isAxesVisible = TRUE;
    view->getCamera()->position.setValue(0, 0, 8);
    view->sensitiveOnEvents(1);
    root->addChild(view);
  }
  QWidget window;
  {
    std::unique_ptr<ReadingViewer> viewer = showViewer(&window, root);
    PoBaseView::installViewingEventCB(viewer.get());
    const SbVec2s coinWindow = viewer->getSceneManager()->getWindowSize();
    const int w = coinWindow[0], h = coinWindow[1];
    for (int q = 0; q < 4; ++q) {
      SCOPED_TRACE(q);
      const QPoint middle(int((0.25 + 0.5 * (q % 2)) * w), int(h - (0.25 + 0.5 * (q / 2)) * h));
      QMouseEvent press(QEvent::MouseButtonPress, QPointF(middle), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(viewer->getGLWidget(), &press);
      QMouseEvent release(QEvent::MouseButtonRelease, QPointF(middle), Qt::LeftButton,
                          Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(viewer->getGLWidget(), &release);
      EXPECT_EQ(PoBaseView::getActiveView(viewer.get()), views[q]);

      viewer->render();
      // Coin's window is the lower-left w x h of the frame.
      const QImage drawn = viewer->frame.copy(0, viewer->frame.height() - h, w, h);
      const int left = int(std::lround(0.5 * (q % 2) * w)), bottom = int(std::lround(0.5 * (q / 2) * h));
      const int right = int(std::lround((0.5 + 0.5 * (q % 2)) * w));
      const int top = int(std::lround((0.5 + 0.5 * (q / 2)) * h));
      QImage quadrant = drawn.copy(left, h - top, right - left, top - bottom);
      // The label: 13 pixels high at most, 9 below the view's top edge.
      const Found label = find(quadrant, 255, 0, 255);
      EXPECT_GT(label.count, 10);
      EXPECT_LE(label.y1, quadrant.height() - 9);
      EXPECT_GE(label.y0, quadrant.height() - 9 - 13);
      // The triad's red x axis: 22 pixels and its letter, near the lower left.
      const Found axis = find(quadrant, 255, 0, 0);
      EXPECT_GE(axis.x1 - axis.x0, 22);
      EXPECT_LE(axis.x1 - axis.x0, 45);
      EXPECT_LE(axis.x0, 50);
      // The active view's border, 3 pixels wide, in its clear yellow.
      const Found active = find(quadrant, 255, 217, 0);
      EXPECT_GE(active.count, 3 * 2 * (quadrant.width() + quadrant.height()) - 36 - 60);
    }
  }
  root->unref();
}

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_SCALE_FACTOR", "2");
  SoQt::init(argc, argv, "brennicqt_high_dpi_tests");
  PoBaseView::initClasses();
  return RUN_ALL_TESTS();
}
