#ifndef BRENNICQT_VIEWERLAYOUTEVENTS_H
#define BRENNICQT_VIEWERLAYOUTEVENTS_H

#include "LayoutSnapshot.h"
#include "PoViewLayout.h"

#include <QCursor>
#include <QObject>
#include <QPoint>

#include <vector>

class QMouseEvent;
class QWidget;
class SoQtViewer;

// The mouse side of PoViewLayout::install: double clicks that maximize and
// restore, and edge drags with a split cursor. It watches the viewer's GL
// widget through an event filter of the application, which sees every event
// before the widget and SoQt do: it neither replaces nor depends on the
// viewer's one event callback, so it works beside installViewingEventCB and
// any callback of the application's, whichever comes first, and it goes on
// working when SoQt makes the GL widget anew. It lives as a child of the
// viewer's widget, and so goes with the viewer, and owns the layout.
class ViewerLayoutEvents : public QObject {
public:
  explicit ViewerLayoutEvents(SoQtViewer *viewer);
  ~ViewerLayoutEvents() override;

  static ViewerLayoutEvents *of(SoQtViewer *viewer);
  PoViewLayout &layout() { return m_layout; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  // Whether watched is the viewer's GL widget, asked without calling the
  // viewer unless the widget lies inside the viewer's own.
  bool isDrawingArea(QObject *watched) const;
  bool mouseEvent(QWidget *area, QMouseEvent *event);
  bool doubleClick(QWidget *area, QMouseEvent *event);
  bool startDrag(QWidget *area, const QPoint &at);
  void drag(QWidget *area, const QPoint &at);
  void showEdgeCursor(QWidget *area, const QPoint &at);
  void keepCursor(QWidget *area);
  void releaseCursor(QWidget *area);
  bool edgeUnder(QWidget *area, const QPoint &at, int &index, PoViewLayout::Side &side,
                 std::vector<TopLevelView> &views) const;

  SoQtViewer *m_viewer;
  PoViewLayout m_layout;

  // An edge drag under way, from the press on: the edge as it was, and the
  // layout to move it from, so that nested views do not drift over the
  // many small moves of a drag.
  bool m_dragging = false;
  PoBaseView *m_dragView = nullptr;
  PoViewLayout::Side m_dragSide = PoViewLayout::LEFT;
  float m_edgeAtPress = 0.0f;
  QPoint m_pressAt;
  LayoutSnapshot m_atPress;

  bool m_swallowRelease = false; // the release that ends a handled double click
  bool m_cursorShown = false;
  bool m_hadOwnCursor = false;
  QCursor m_ownCursor;
};

#endif
