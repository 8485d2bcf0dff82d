#ifndef BRENNICQT_PANNAVIGATION_H
#define BRENNICQT_PANNAVIGATION_H

#include <QPoint>

class PoBaseView;
class QEvent;
class SoCamera;
class SoQtViewer;

// The mouse in views whose navigation is PAN, for one viewer: a left-button
// drag that starts over such a view moves its camera in the view plane with
// the pointer until the button is let go, wherever the pointer goes; the
// wheel over it zooms about the point under the pointer. The viewer sees none
// of these events, so it never rotates such a view. The points that stay
// under the pointer are those on the camera's focal plane (every point of
// an orthographic view).
class PanNavigation {
public:
  PanNavigation() = default;
  ~PanNavigation();
  PanNavigation(const PanNavigation &) = delete;
  PanNavigation &operator=(const PanNavigation &) = delete;

  // Whether the event was handled here (and must not reach the viewer).
  // Outside the viewer's viewing mode nothing is.
  bool handle(SoQtViewer *viewer, QEvent *event);

private:
  bool press(SoQtViewer *viewer, QPoint at);
  bool move(SoQtViewer *viewer, QPoint at, bool held);
  bool wheel(SoQtViewer *viewer, QPoint at, int angle, bool held);
  void endDrag();

  // The drag under way: its view and camera, referenced, and where the
  // pointer was last.
  PoBaseView *m_view = nullptr;
  SoCamera *m_camera = nullptr;
  QPoint m_last;
};

#endif
