// Event routing: which view lies under a pixel of a render area, and handing
// that view's camera to a viewer when the user presses a mouse button.

#include "PoBaseView.h"

#include "DrivingViewers.h"
#include "PanNavigation.h"
#include "ViewWalk.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/Qt/viewers/SoQtViewer.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/nodes/SoCamera.h>

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWheelEvent>
#include <QWidget>

#include <limits>
#include <vector>

namespace {

// A window without pixels on an axis has no point on it; NaN on that axis
// lies in no viewport, so nothing can be picked there.
float normalize(int pixel, int extent) {
  if (extent == 0) return std::numeric_limits<float>::quiet_NaN();
  return float(pixel) / extent;
}

// What installViewingEventCB gives SoQt as the callback's datum: the viewer,
// the mouse of its PAN views, and the application's own callback to run after
// the routing. It lives as a child of the viewer's widget, so it goes when
// the viewer does.
class ViewingEventChain : public QObject {
public:
  ViewingEventChain(SoQtViewer *viewer, SoQtRenderAreaEventCB *callback, void *data)
      : QObject(viewer->getWidget()), viewer(viewer), callback(callback), data(data) {
    setObjectName(kName);
    DrivingViewers::add(viewer, this);
  }
  ~ViewingEventChain() override { DrivingViewers::remove(this); }
  static constexpr const char *kName = "PoBaseView::viewingEventCB chain";
  SoQtViewer *const viewer;
  SoQtRenderAreaEventCB *const callback;
  void *const data;
  PanNavigation pan;
};

// The application's callback sees every event, also those a PAN view takes.
SbBool viewingEventTrampoline(void *datum, QEvent *event) {
  ViewingEventChain *chain = static_cast<ViewingEventChain *>(datum);
  PoBaseView::viewingEventCB(chain->viewer, event);
  const bool panned = chain->pan.handle(chain->viewer, event);
  const SbBool answer = chain->callback ? chain->callback(chain->data, event) : FALSE;
  return panned || answer ? TRUE : FALSE;
}

// Where a press or a wheel turn points, for the events that choose a view.
// A wheel turned while a button is held belongs to the drag under way: the
// view it started in keeps the viewer. SoQt turns each wheel step into a
// press of its own without a release, so a wheel step stands for itself and
// leaves nothing behind for the next event.
bool choosesView(const QEvent *event, QPoint &at) {
  if (event->type() == QEvent::MouseButtonPress) {
    at = static_cast<const QMouseEvent *>(event)->pos();
    return true;
  }
  if (event->type() == QEvent::Wheel) {
    const QWheelEvent *wheel = static_cast<const QWheelEvent *>(event);
    if (wheel->buttons() != Qt::NoButton) return false;
    at = wheel->position().toPoint();
    return true;
  }
  return false;
}

} // namespace

void PoBaseView::normalizeMousePoint(SoQtRenderArea *renderArea, int x, int y, float &nx,
                                     float &ny) {
  SoSceneManager *manager = renderArea ? renderArea->getSceneManager() : nullptr;
  const SbVec2s size = manager ? manager->getWindowSize() : SbVec2s(0, 0);
  const int w = size[0];
  const int h = size[1];
  nx = normalize(x, w);
  // h - y, not h - 1 - y: the top row maps to 1 and y == h to 0.
  ny = normalize(h - y, h);
}

int PoBaseView::isPointWithinViewport(float x, float y) const {
  const SbVec2f origin = viewportOrigin.getValue();
  const SbVec2f end = origin + viewportSize.getValue();
  return origin[0] <= x && origin[1] <= y && x <= end[0] && y <= end[1] ? 1 : 0;
}

PoBaseView *PoBaseView::getView(SoQtRenderArea *renderArea, int x, int y) {
  SoNode *root = renderArea ? renderArea->getSceneGraph() : nullptr;
  if (!root) return nullptr;

  // The views as Coin's search would meet them: into the parts of kits only
  // when it looks inside kits. No paths are kept, so nested views cost no
  // more than their number.
  ViewWalkRules rules;
  rules.intoKits = SoBaseKit::isSearchingChildren();
  // Only the views are wanted, not their cameras and scenes.
  struct Views : ViewWalkVisitor {
    std::vector<PoBaseView *> met;
    bool enterView(PoBaseView *view, const WalkPlace &) override {
      met.push_back(view);
      return true;
    }
  } views;
  ViewWalk(rules).run(root, views);
  if (views.met.empty()) return nullptr;

  float nx, ny;
  normalizeMousePoint(renderArea, x, y, nx, ny);

  // The view met last in traversal order is drawn last, on top: it wins.
  for (auto view = views.met.rbegin(); view != views.met.rend(); ++view)
    if ((*view)->isSensitiveOnEvents() && (*view)->isPointWithinViewport(nx, ny)) return *view;
  return nullptr;
}

void PoBaseView::setCamera(SoQtViewer *viewer) {
  if (!viewer) return;
  // A kit without a camera part would hand the viewer something it cannot
  // drive (or nothing at all, detaching its current camera): keep the
  // viewer's camera then.
  SoCamera *camera = getCamera();
  if (!camera) return;
  const bool switched = viewer->getCamera() != camera;
  viewer->setCamera(camera);
  // The views draw whether they are active from the viewer's camera: the
  // frame after the switch shows both borders changed.
  if (switched) viewer->scheduleRedraw();
}

int PoBaseView::viewingEventCB(SoQtViewer *viewer, QEvent *event) {
  if (!viewer || !event) return 0;
  if (!viewer->isViewing()) return 0;
  QPoint at;
  if (!choosesView(event, at)) return 0;
  PoBaseView *view = getView(viewer, at.x(), at.y());
  if (view) view->setCamera(viewer);
  // Never consumed: the viewer handles the same event with the new camera.
  return 0;
}

void PoBaseView::installViewingEventCB(SoQtViewer *viewer, SoQtRenderAreaEventCB *applicationCB,
                                       void *applicationData) {
  if (!viewer) return;
  // The chain installed before may be running this very call; it goes once
  // control is back in the event loop.
  QWidget *widget = viewer->getWidget();
  if (QObject *previous = widget ? widget->findChild<QObject *>(ViewingEventChain::kName,
                                                                Qt::FindDirectChildrenOnly)
                                 : nullptr) {
    previous->setObjectName(QString());
    previous->deleteLater();
  }
  auto *chain = new ViewingEventChain(viewer, applicationCB, applicationData);
  viewer->setEventCallback(&viewingEventTrampoline, chain);
}
