#ifndef BRENNICQT_DRIVINGVIEWERS_H
#define BRENNICQT_DRIVINGVIEWERS_H

class SoAction;
class SoCamera;
class SoQtViewer;

// The viewers whose event routing the library installed
// (PoBaseView::installViewingEventCB), so that a render can tell which
// camera the viewer drawing it drives: a view shows itself active while its
// camera is that one. A viewer is listed from the installation until its
// widget goes.
namespace DrivingViewers {

// Each add is undone by one remove: an installation that replaces another
// is added before the one it replaces is removed.
void add(SoQtViewer *viewer);
void remove(SoQtViewer *viewer);

// The camera of the listed viewer that renders with `action` (its GL render
// action), or null when no listed viewer renders with it.
SoCamera *drivenCamera(const SoAction *action);

} // namespace DrivingViewers

#endif
