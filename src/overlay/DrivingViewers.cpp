#include "DrivingViewers.h"

#include <Inventor/Qt/viewers/SoQtViewer.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/sensors/SoNodeSensor.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// One installation. A viewer's own root (above the application's scene,
// holding its headlight) lives exactly as long as the viewer: its deletion
// tells that the viewer is gone.
struct Entry {
  const void *token;
  SoQtViewer *viewer;
  SoNodeSensor viewerGone;
};

// Few viewers, looked through once per active-border draw; a render thread
// of PoOffscreenRenderer looks too, and finds none of its own.
std::mutex g_mutex;
std::vector<std::unique_ptr<Entry>> g_entries;

void viewerGoneCB(void *data, SoSensor *) {
  std::lock_guard<std::mutex> lock(g_mutex);
  static_cast<Entry *>(data)->viewer = nullptr;
}

} // namespace

namespace DrivingViewers {

void add(SoQtViewer *viewer, const void *token) {
  SoSceneManager *manager = viewer ? viewer->getSceneManager() : nullptr;
  SoNode *viewerRoot = manager ? manager->getSceneGraph() : nullptr;
  if (!viewerRoot) return;
  auto entry = std::make_unique<Entry>();
  entry->token = token;
  entry->viewer = viewer;
  entry->viewerGone.setDeleteCallback(&viewerGoneCB, entry.get());
  entry->viewerGone.attach(viewerRoot);
  std::lock_guard<std::mutex> lock(g_mutex);
  g_entries.push_back(std::move(entry));
}

void remove(const void *token) {
  std::unique_ptr<Entry> removed;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto found = std::find_if(g_entries.begin(), g_entries.end(),
                              [token](const std::unique_ptr<Entry> &e) { return e->token == token; });
    if (found == g_entries.end()) return;
    removed = std::move(*found);
    g_entries.erase(found);
  }
}

SoCamera *drivenCamera(const SoAction *action) {
  std::lock_guard<std::mutex> lock(g_mutex);
  for (const std::unique_ptr<Entry> &entry : g_entries)
    if (entry->viewer && entry->viewer->getGLRenderAction() == action)
      return entry->viewer->getCamera();
  return nullptr;
}

} // namespace DrivingViewers
