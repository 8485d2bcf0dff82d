#include "ViewerLayoutEvents.h"

#include "SharedEdge.h"
#include "TopLevelViews.h"

#include <Inventor/Qt/viewers/SoQtViewer.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

const char *const kName = "PoViewLayout viewer events";

// How far from an edge, in pixels of the widget, a press takes the edge: a
// few pixels, so that presses inside the views reach the views.
constexpr float kGrabPixels = 4.0f;

// Window-normalised coordinates of a widget pixel, y up, as the view lookup
// takes them. Widget pixels, not GL ones: on a screen with more device pixels
// than widget pixels both the event and the widget count the same units.
void normalized(const QWidget *area, const QPoint &at, float &x, float &y) {
  x = float(at.x()) / float(area->width());
  y = float(area->height() - at.y()) / float(area->height());
}

} // namespace

ViewerLayoutEvents::ViewerLayoutEvents(SoQtViewer *viewer)
    : QObject(viewer->getWidget()), m_viewer(viewer) {
  setObjectName(kName);
  m_layout.m_viewer = viewer;
  QCoreApplication::instance()->installEventFilter(this);
}

ViewerLayoutEvents::~ViewerLayoutEvents() {
  if (QCoreApplication *application = QCoreApplication::instance())
    application->removeEventFilter(this);
  // The viewer is being taken down: the layout must not ask it for its scene.
  m_layout.m_viewer = nullptr;
}

ViewerLayoutEvents *ViewerLayoutEvents::of(SoQtViewer *viewer) {
  QWidget *widget = viewer->getWidget();
  return widget ? widget->findChild<ViewerLayoutEvents *>(kName, Qt::FindDirectChildrenOnly)
                : nullptr;
}

bool ViewerLayoutEvents::isDrawingArea(QObject *watched) const {
  if (!watched->isWidgetType()) return false;
  const QWidget *own = static_cast<const QWidget *>(parent());
  const QWidget *widget = static_cast<const QWidget *>(watched);
  return own && own->isAncestorOf(widget) && widget == m_viewer->getGLWidget();
}

bool ViewerLayoutEvents::eventFilter(QObject *watched, QEvent *event) {
  switch (event->type()) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
  case QEvent::Wheel:
  case QEvent::Leave:
    break;
  default:
    return false;
  }
  if (!isDrawingArea(watched)) return false;
  QWidget *area = static_cast<QWidget *>(watched);
  if (event->type() == QEvent::Leave) {
    if (!m_dragging) releaseCursor(area);
    return false;
  }
  // A drag holds the mouse until its button comes up: a wheel turned or
  // another button pressed meanwhile goes nowhere else.
  if (event->type() == QEvent::Wheel) return m_dragging;
  return mouseEvent(area, static_cast<QMouseEvent *>(event));
}

bool ViewerLayoutEvents::mouseEvent(QWidget *area, QMouseEvent *event) {
  const bool viewing = m_viewer->isViewing() != FALSE;
  switch (event->type()) {
  case QEvent::MouseMove:
    if (m_dragging) {
      drag(area, event->pos());
      return true;
    }
    if (viewing && event->buttons() == Qt::NoButton)
      showEdgeCursor(area, event->pos());
    else if (!viewing)
      releaseCursor(area);
    return false;
  case QEvent::MouseButtonPress:
    if (m_dragging) return true;
    return viewing && event->button() == Qt::LeftButton && startDrag(area, event->pos());
  case QEvent::MouseButtonDblClick:
    if (m_dragging) return true;
    return viewing && event->button() == Qt::LeftButton && doubleClick(area, event);
  case QEvent::MouseButtonRelease:
    if (m_dragging) {
      if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        m_atPress.clear();
        showEdgeCursor(area, event->pos());
      }
      return true;
    }
    if (m_swallowRelease) {
      m_swallowRelease = false;
      return true;
    }
    return false;
  default:
    return false;
  }
}

// The second press of a double click comes as the double click itself: on an
// edge it takes the edge as a press does, elsewhere it toggles maximize.
bool ViewerLayoutEvents::doubleClick(QWidget *area, QMouseEvent *event) {
  if (startDrag(area, event->pos())) return true;
  if (m_layout.getMaximized()) {
    m_layout.restore();
  } else {
    float x, y;
    normalized(area, event->pos(), x, y);
    PoBaseView *view = m_layout.getViewAt(x, y);
    if (!view || !m_layout.maximize(view)) return false;
  }
  m_swallowRelease = true;
  return true;
}

bool ViewerLayoutEvents::edgeUnder(QWidget *area, const QPoint &at, int &index,
                                   PoViewLayout::Side &side,
                                   std::vector<TopLevelView> &views) const {
  if (area->width() <= 0 || area->height() <= 0) return false;
  // Asked at every move of the pointer: the views' own scenes are not walked.
  views = visibleTopLevelViews(m_layout.currentRoot(), false);
  float x, y;
  normalized(area, at, x, y);
  return findSharedEdge(rectsOf(views), x, y, kGrabPixels / float(area->width()),
                        kGrabPixels / float(area->height()), index, side);
}

bool ViewerLayoutEvents::startDrag(QWidget *area, const QPoint &at) {
  std::vector<TopLevelView> views;
  int index = -1;
  PoViewLayout::Side side = PoViewLayout::LEFT;
  if (!edgeUnder(area, at, index, side, views)) return false;
  m_dragging = true;
  m_dragView = views[std::size_t(index)].view;
  m_dragSide = side;
  const LayoutRect rect = rectOf(*m_dragView);
  m_edgeAtPress = side == PoViewLayout::LEFT     ? rect.left
                  : side == PoViewLayout::RIGHT  ? rect.right
                  : side == PoViewLayout::BOTTOM ? rect.bottom
                                                 : rect.top;
  m_pressAt = at;
  // The views with those nested in them, which the moves put back too.
  m_atPress.take(visibleTopLevelViews(m_layout.currentRoot()));
  return true;
}

// Moves the edge by as many pixels as the pointer has moved since the press,
// from the layout at the press.
void ViewerLayoutEvents::drag(QWidget *area, const QPoint &at) {
  const bool vertical = m_dragSide == PoViewLayout::LEFT || m_dragSide == PoViewLayout::RIGHT;
  const float moved = vertical ? float(at.x() - m_pressAt.x()) / float(area->width())
                               : float(m_pressAt.y() - at.y()) / float(area->height());
  m_atPress.restore();
  m_layout.moveEdge(m_dragView, m_dragSide, m_edgeAtPress + moved);
}

void ViewerLayoutEvents::showEdgeCursor(QWidget *area, const QPoint &at) {
  std::vector<TopLevelView> views;
  int index = -1;
  PoViewLayout::Side side = PoViewLayout::LEFT;
  if (!edgeUnder(area, at, index, side, views)) {
    releaseCursor(area);
    return;
  }
  keepCursor(area);
  const bool vertical = side == PoViewLayout::LEFT || side == PoViewLayout::RIGHT;
  area->setCursor(vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
}

// The viewer's own cursor, to give back once the pointer leaves the edge.
void ViewerLayoutEvents::keepCursor(QWidget *area) {
  if (m_cursorShown) return;
  m_cursorShown = true;
  m_hadOwnCursor = area->testAttribute(Qt::WA_SetCursor);
  m_ownCursor = area->cursor();
}

void ViewerLayoutEvents::releaseCursor(QWidget *area) {
  if (!m_cursorShown) return;
  m_cursorShown = false;
  if (m_hadOwnCursor)
    area->setCursor(m_ownCursor);
  else
    area->unsetCursor();
}

PoViewLayout *PoViewLayout::install(SoQtViewer *viewer) {
  if (!viewer || !viewer->getWidget() || !QCoreApplication::instance()) return nullptr;
  if (ViewerLayoutEvents *events = ViewerLayoutEvents::of(viewer)) return &events->layout();
  return &(new ViewerLayoutEvents(viewer))->layout();
}
