#include "ViewerScreenshot.h"

#include "LayoutKeys.h"
#include "ToolError.h"
#include "ViewerSetup.h"

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGLWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

#include <algorithm>
#include <memory>

namespace {

// An examiner viewer whose next redraw goes into a framebuffer object of the
// drawing area's size, through the viewer's own redraw: the same camera,
// headlight and clipping pass as every other frame.
class GrabbingViewer : public SoQtExaminerViewer {
public:
  explicit GrabbingViewer(QWidget *parent) : SoQtExaminerViewer(parent) {}

  void grabNextFrame() { m_grabNext = true; }
  int framesDrawn() const { return m_framesDrawn; }
  SbVec2s drawingAreaSize() const { return getGLSize(); }
  const QImage &grabbed() const { return m_grabbed; }

protected:
  void actualRedraw() override {
    ++m_framesDrawn;
    if (!m_grabNext) {
      SoQtExaminerViewer::actualRedraw();
      return;
    }
    m_grabNext = false;
    const SbVec2s size = getGLSize();
    QOpenGLFramebufferObject framebuffer(size[0], size[1],
                                         QOpenGLFramebufferObject::CombinedDepthStencil);
    if (!framebuffer.isValid() || !framebuffer.bind()) return;
    SoQtExaminerViewer::actualRedraw();
    glFinish();
    // The viewer clears to its background with alpha 0, which a window
    // ignores; read as premultiplied, the background would come out black.
    QImage frame = framebuffer.toImage();
    frame.reinterpretAsFormat(QImage::Format_RGB32);
    m_grabbed = frame.convertToFormat(QImage::Format_RGB888);
    framebuffer.release();
  }

private:
  bool m_grabNext = false;
  int m_framesDrawn = 0;
  QImage m_grabbed;
};

bool drawingAreaReady(GrabbingViewer &viewer, ImageSize size) {
  const QGLWidget *area = dynamic_cast<const QGLWidget *>(viewer.getGLWidget());
  const SbVec2s glSize = viewer.drawingAreaSize();
  return area && area->isVisible() && area->isValid() && glSize[0] == size.width &&
         glSize[1] == size.height;
}

// Lets Qt map and expose the window; bounded, so that a display that never
// shows it ends the command instead of hanging it.
void waitUntilReady(GrabbingViewer &viewer, ImageSize size) {
  QElapsedTimer clock;
  clock.start();
  while (!drawingAreaReady(viewer, size)) {
    if (clock.elapsed() > 10000)
      throw userError("the viewer's window did not appear on the display");
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
}

void sendMouse(QWidget *area, QEvent::Type type, int x, int y, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(x, y), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                    held, Qt::NoModifier);
  QCoreApplication::sendEvent(area, &event);
}

// A left-button drag in small steps, as a hand would make it.
void drag(SoQtExaminerViewer &viewer, const ScreenshotScript &script) {
  QWidget *area = viewer.getGLWidget();
  const int steps = 8;
  sendMouse(area, QEvent::MouseButtonPress, script.dragFrom[0], script.dragFrom[1], Qt::LeftButton);
  for (int step = 1; step <= steps; ++step)
    sendMouse(area, QEvent::MouseMove,
              script.dragFrom[0] + (script.dragTo[0] - script.dragFrom[0]) * step / steps,
              script.dragFrom[1] + (script.dragTo[1] - script.dragFrom[1]) * step / steps,
              Qt::LeftButton);
  sendMouse(area, QEvent::MouseButtonRelease, script.dragTo[0], script.dragTo[1], Qt::NoButton);
  QCoreApplication::processEvents();
}

// The layout keys, typed with the pointer where the drag left it, or in the
// middle of the drawing area.
void pressKeys(SoQtExaminerViewer &viewer, const ScreenshotScript &script) {
  QWidget *area = viewer.getGLWidget();
  const QPoint at = script.drag ? QPoint(script.dragTo[0], script.dragTo[1])
                                : QPoint(area->width() / 2, area->height() / 2);
  sendMouse(area, QEvent::MouseMove, at.x(), at.y(), Qt::NoButton);
  for (char key : script.keys) {
    const int code = key == 'm' ? Qt::Key_M : Qt::Key_0 + (key - '0');
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent event(type, code, Qt::NoModifier, QString(QChar(key)));
      QCoreApplication::sendEvent(area, &event);
    }
  }
  QCoreApplication::processEvents();
}

// Redraws until the viewer has drawn `count` frames in all (the window
// system's own exposures count too: they are frames of the same loop). The
// window system may hold redraws back until it has exposed the window.
void drawFrames(GrabbingViewer &viewer, int count) {
  QElapsedTimer clock;
  clock.start();
  while (viewer.framesDrawn() < count) {
    viewer.render();
    if (viewer.framesDrawn() >= count) break;
    if (clock.elapsed() > 10000) throw userError("the viewer stopped drawing frames");
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
}

} // namespace

QImage grabViewerFrame(QWidget *window, SoNode *root, const RenderingOptions &options,
                       const ScreenshotScript &script) {
  auto viewer = std::make_unique<GrabbingViewer>(window);
  // The picture is exactly the drawing area; without the side bars the
  // window is that size.
  viewer->setDecoration(FALSE);
  // A drag released in motion would keep the scene spinning, and no two
  // frames would be alike.
  viewer->setAnimationEnabled(FALSE);
  viewer->setSceneGraph(root);
  LayoutKeys keys(viewer.get());
  applyRenderingOptions(*viewer, options);
  viewer->setSize(SbVec2s(short(options.size.width), short(options.size.height)));
  viewer->show();
  SoQt::show(window);
  waitUntilReady(*viewer, options.size);

  if (script.drag) drag(*viewer, script);
  if (!script.keys.empty()) pressKeys(*viewer, script);
  drawFrames(*viewer, script.frames - 1);
  viewer->grabNextFrame();
  // The grabbed frame comes after every frame drawn so far: a layout key
  // may have had the viewer draw more than asked already.
  drawFrames(*viewer, std::max(script.frames, viewer->framesDrawn() + 1));
  if (viewer->grabbed().isNull()) throw userError("cannot read the viewer's frame back");
  return viewer->grabbed();
}
