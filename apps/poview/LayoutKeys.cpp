#include "LayoutKeys.h"

#include "PoBaseView.h"
#include "PoViewLayout.h"

#include <Inventor/Qt/viewers/SoQtViewer.h>

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

const char *const kLayoutKeysHelp =
    "Keys:\n"
    "  m                       maximize the view under the pointer; again: back to\n"
    "                          the layout as it was\n"
    "  1, 2, 3, 4              one view, two or three side by side, four in a 2x2\n"
    "                          grid (the views in drawing order; the rest hidden)\n"
    "  mouse                   double click a view: maximize it, or back; drag the\n"
    "                          line between two views to move it\n";

const char *const kLayoutKeys = "m1234";

namespace {

struct Grid {
  int columns, rows;
};

// The arrangement keys: one view, two and three side by side, a 2x2 grid.
bool arrangementOf(int key, Grid &grid) {
  switch (key) {
  case Qt::Key_1: grid = {1, 1}; return true;
  case Qt::Key_2: grid = {2, 1}; return true;
  case Qt::Key_3: grid = {3, 1}; return true;
  case Qt::Key_4: grid = {2, 2}; return true;
  default: return false;
  }
}

} // namespace

LayoutKeys::LayoutKeys(SoQtViewer *viewer)
    : m_viewer(viewer), m_layout(PoViewLayout::install(viewer)) {
  PoBaseView::installViewingEventCB(viewer, &LayoutKeys::eventCB, this);
}

SbBool LayoutKeys::eventCB(void *keys, QEvent *event) {
  return static_cast<LayoutKeys *>(keys)->handle(event) ? TRUE : FALSE;
}

bool LayoutKeys::handle(QEvent *event) {
  switch (event->type()) {
  case QEvent::MouseMove:
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
    m_pointer = static_cast<QMouseEvent *>(event)->pos();
    m_pointerSeen = true;
    return false;
  case QEvent::KeyPress:
    if (!m_layout) return false;
    break;
  default:
    return false;
  }
  const QKeyEvent *key = static_cast<QKeyEvent *>(event);
  if (key->modifiers() & ~Qt::KeypadModifier) return false;
  Grid grid;
  if (arrangementOf(key->key(), grid)) {
    m_layout->arrange(grid.columns, grid.rows);
    return true;
  }
  if (key->key() != Qt::Key_M) return false;
  toggleMaximize();
  return true;
}

void LayoutKeys::toggleMaximize() {
  if (m_layout->getMaximized()) {
    m_layout->restore();
    return;
  }
  const QWidget *area = m_viewer->getGLWidget();
  if (!area || area->width() <= 0 || area->height() <= 0) return;
  const QPoint at = m_pointerSeen ? m_pointer : area->mapFromGlobal(QCursor::pos());
  const float x = float(at.x()) / float(area->width());
  const float y = float(area->height() - at.y()) / float(area->height());
  if (PoBaseView *view = m_layout->getViewAt(x, y)) m_layout->maximize(view);
}
