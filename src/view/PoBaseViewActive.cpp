// Which view a viewer drives: the one whose camera the viewer has.

#include "PoBaseView.h"

#include "ViewWalk.h"

#include <Inventor/Qt/viewers/SoQtViewer.h>

#include <vector>

PoBaseView *PoBaseView::getActiveView(SoQtViewer *viewer) {
  SoNode *root = viewer ? viewer->getSceneGraph() : nullptr;
  SoCamera *driven = viewer ? viewer->getCamera() : nullptr;
  if (!root || !driven) return nullptr;
  const std::vector<ViewEntry> views = listViews(root);
  for (auto entry = views.rbegin(); entry != views.rend(); ++entry)
    if (entry->camera == driven) return entry->view;
  return nullptr;
}
