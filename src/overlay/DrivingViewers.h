#ifndef BRENNICQT_DRIVINGVIEWERS_H
#define BRENNICQT_DRIVINGVIEWERS_H

class SoAction;
class SoCamera;
class SoQtViewer;

// The viewers whose event routing the library installed
// (PoBaseView::installViewingEventCB), so that a render can tell which
// camera the viewer drawing it drives: a view shows itself active while its
// camera is that one.
namespace DrivingViewers {

// Lists the viewer for the installation `token` until remove(token), or
// until the viewer is destroyed (SoQt keeps its widgets then, and with them
// the installation). An installation that replaces another is added before
// the one it replaces is removed.
void add(SoQtViewer *viewer, const void *token);
void remove(const void *token);

// The camera of the listed viewer that renders with `action` (its GL render
// action), or null when no listed viewer renders with it.
SoCamera *drivenCamera(const SoAction *action);

} // namespace DrivingViewers

#endif
