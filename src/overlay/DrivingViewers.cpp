#include "DrivingViewers.h"

#include <Inventor/Qt/viewers/SoQtViewer.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// Few viewers, looked through once per active-border draw; a render thread
// of PoOffscreenRenderer looks too, and finds none of its own.
std::mutex g_mutex;
std::vector<SoQtViewer *> g_viewers;
std::vector<SoQtViewer *> &viewers() { return g_viewers; }

} // namespace

namespace DrivingViewers {

void add(SoQtViewer *viewer) {
  std::lock_guard<std::mutex> lock(g_mutex);
  viewers().push_back(viewer);
}

void remove(SoQtViewer *viewer) {
  std::lock_guard<std::mutex> lock(g_mutex);
  auto found = std::find(viewers().begin(), viewers().end(), viewer);
  if (found != viewers().end()) viewers().erase(found);
}

SoCamera *drivenCamera(const SoAction *action) {
  std::lock_guard<std::mutex> lock(g_mutex);
  for (SoQtViewer *viewer : viewers())
    if (viewer->getGLRenderAction() == action) return viewer->getCamera();
  return nullptr;
}

} // namespace DrivingViewers
