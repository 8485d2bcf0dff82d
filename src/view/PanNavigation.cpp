#include "PanNavigation.h"

#include "PoBaseView.h"
#include "ViewVolumeGeometry.h"

#include <Inventor/Qt/viewers/SoQtViewer.h>
#include <Inventor/SbLine.h>
#include <Inventor/SbPlane.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoOrthographicCamera.h>

#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

namespace {

// One step of the wheel (120 eighths of a degree) turned away from the user
// shows this many times the height shown before: about what SoQt's examiner
// viewer does, and the same way round, so that both kinds of view in one
// window zoom alike.
constexpr float kZoomPerStep = 1.1f;

// A view's camera as the window shows it: the view's rectangle in the
// window's pixels (placed as the traversal places it) and the volume the
// camera gives it there.
struct ViewGeometry {
  SbVec2s window;
  PixelRect rect;       // lower-left origin
  SbViewVolume volume;
  SbVec2f cropOrigin;   // the part of the rectangle a cropping mapping keeps,
  SbVec2f cropSize;     // as fractions of it

  bool usable() const { return rect.width > 0 && rect.height > 0; }

  // The point on the plane through `through`, facing the camera, that is
  // under widget pixel `at` (y down from the top).
  bool pointUnder(QPoint at, const SbVec3f &through, SbVec3f &point) const {
    const double x = (at.x() - rect.x) / rect.width;
    const double y = ((window[1] - at.y()) - rect.y) / rect.height;
    const SbVec2f normalized(float((x - cropOrigin[0]) / cropSize[0]),
                             float((y - cropOrigin[1]) / cropSize[1]));
    SbLine ray;
    volume.projectPointToLine(normalized, ray);
    const SbPlane plane(volume.getProjectionDirection(), through);
    return plane.intersect(ray, point) != FALSE;
  }
};

bool geometryOf(SoQtViewer *viewer, const PoBaseView &view, const SoCamera &camera,
                ViewGeometry &geometry) {
  geometry.window = viewer->getSceneManager()->getWindowSize();
  const SbVec2f origin = view.viewportOrigin.getValue();
  const SbVec2f size = view.viewportSize.getValue();
  const SbVec2s &window = geometry.window;
  geometry.rect = wholePixelsOf({double(origin[0]) * window[0], double(origin[1]) * window[1],
                                 double(size[0]) * window[0], double(size[1]) * window[1]},
                                false);
  if (!geometry.usable() || geometry.rect.width > 32767 || geometry.rect.height > 32767)
    return false;
  geometry.cropOrigin.setValue(0, 0);
  geometry.cropSize.setValue(1, 1);
  if (camera.viewportMapping.getValue() == SoCamera::ADJUST_CAMERA) {
    // As Coin renders it: a view taller than wide shows the camera's height
    // across its width. (Coin's getViewVolume for a viewport region leaves
    // the height unscaled there.)
    const float aspect = float(geometry.rect.width / geometry.rect.height);
    geometry.volume = camera.getViewVolume(aspect);
    if (aspect < 1.0f) geometry.volume.scale(1.0f / aspect);
    return true;
  }
  const SbViewportRegion region(short(geometry.rect.width), short(geometry.rect.height));
  SbViewportRegion shown;
  geometry.volume = camera.getViewVolume(region, shown);
  geometry.cropOrigin = shown.getViewportOrigin();
  geometry.cropSize = shown.getViewportSize();
  return geometry.cropSize[0] > 0 && geometry.cropSize[1] > 0;
}

SbVec3f focalPointOf(const SoCamera &camera) {
  SbVec3f direction;
  camera.orientation.getValue().multVec(SbVec3f(0, 0, -1), direction);
  return camera.position.getValue() + camera.focalDistance.getValue() * direction;
}

// Moves the camera so that the point of its focal plane under `from` comes
// under `to`.
void pan(SoQtViewer *viewer, const PoBaseView &view, SoCamera &camera, QPoint from, QPoint to) {
  ViewGeometry geometry;
  if (from == to || !geometryOf(viewer, view, camera, geometry)) return;
  const SbVec3f focal = focalPointOf(camera);
  SbVec3f grabbed, reached;
  if (!geometry.pointUnder(from, focal, grabbed) || !geometry.pointUnder(to, focal, reached))
    return;
  camera.position = camera.position.getValue() + (grabbed - reached);
}

// Shows `factor` times the height the camera showed, the point of its focal
// plane under `at` staying there: an orthographic camera changes its height,
// a perspective one moves towards the point.
void zoom(SoQtViewer *viewer, const PoBaseView &view, SoCamera &camera, QPoint at, float factor) {
  ViewGeometry geometry;
  if (!geometryOf(viewer, view, camera, geometry)) return;
  const SbVec3f focal = focalPointOf(camera);
  SbVec3f fixed;
  if (!geometry.pointUnder(at, focal, fixed)) return;
  const SbVec3f newFocal = fixed + factor * (focal - fixed);
  SbVec3f direction;
  camera.orientation.getValue().multVec(SbVec3f(0, 0, -1), direction);
  float focalDistance = camera.focalDistance.getValue();
  if (camera.isOfType(SoOrthographicCamera::getClassTypeId())) {
    SoOrthographicCamera &orthographic = static_cast<SoOrthographicCamera &>(camera);
    orthographic.height = orthographic.height.getValue() * factor;
  } else {
    focalDistance *= factor;
    camera.focalDistance = focalDistance;
  }
  camera.position = newFocal - focalDistance * direction;
}

} // namespace

PanNavigation::~PanNavigation() { endDrag(); }

void PanNavigation::endDrag() {
  if (m_camera) m_camera->unref();
  if (m_view) m_view->unref();
  m_camera = nullptr;
  m_view = nullptr;
}

bool PanNavigation::handle(SoQtViewer *viewer, QEvent *event) {
  if (!viewer || !event || !viewer->isViewing()) {
    endDrag();
    return false;
  }
  switch (event->type()) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick: {
    const QMouseEvent *mouse = static_cast<const QMouseEvent *>(event);
    return mouse->button() == Qt::LeftButton && press(viewer, mouse->pos());
  }
  case QEvent::MouseMove: {
    const QMouseEvent *mouse = static_cast<const QMouseEvent *>(event);
    return move(viewer, mouse->pos(), (mouse->buttons() & Qt::LeftButton) != 0);
  }
  case QEvent::MouseButtonRelease: {
    const QMouseEvent *mouse = static_cast<const QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    const bool dragging = move(viewer, mouse->pos(), true);
    endDrag();
    return dragging;
  }
  case QEvent::Wheel: {
    const QWheelEvent *turn = static_cast<const QWheelEvent *>(event);
    return wheel(viewer, turn->position().toPoint(), turn->angleDelta().y(),
                 turn->buttons() != Qt::NoButton);
  }
  default:
    return false;
  }
}

bool PanNavigation::press(SoQtViewer *viewer, QPoint at) {
  endDrag();
  PoBaseView *view = PoBaseView::getView(viewer, at.x(), at.y());
  if (!view || view->navigation.getValue() != PoBaseView::PAN) return false;
  SoCamera *camera = view->getCamera();
  if (!camera) return false;
  m_view = view;
  m_camera = camera;
  m_view->ref();
  m_camera->ref();
  m_last = at;
  return true;
}

bool PanNavigation::move(SoQtViewer *viewer, QPoint at, bool held) {
  if (!m_camera) return false;
  // A release that went elsewhere (outside the window) ends the drag.
  if (!held) {
    endDrag();
    return false;
  }
  pan(viewer, *m_view, *m_camera, m_last, at);
  m_last = at;
  return true;
}

bool PanNavigation::wheel(SoQtViewer *viewer, QPoint at, int angle, bool held) {
  PoBaseView *view = m_view;
  SoCamera *camera = m_camera;
  // A wheel turned during a drag belongs to the drag under way.
  if (held && !camera) return false;
  if (!held) {
    view = PoBaseView::getView(viewer, at.x(), at.y());
    if (!view || view->navigation.getValue() != PoBaseView::PAN) return false;
    camera = view->getCamera();
    if (!camera) return false;
  }
  if (angle != 0) zoom(viewer, *view, *camera, at, std::pow(kZoomPerStep, angle / 120.0f));
  return true;
}
