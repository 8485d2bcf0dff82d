#include "ViewInventory.h"

#include "PoCameraLink.h"
#include "PoSceneView.h"
#include "PoView.h"
#include "PoViewList.h"

#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/fields/SoSFBool.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoCamera.h>

#include <algorithm>

namespace {

int boolFieldValue(PoBaseView *view, const char *fieldName) {
  SoField *field = view->getField(SbName(fieldName));
  if (!field || !field->isOfType(SoSFBool::getClassTypeId())) return -1;
  return static_cast<SoSFBool *>(field)->getValue() ? 1 : 0;
}

ViewRecord recordOf(const PoViewList::Entry &entry) {
  PoBaseView *view = entry.view;
  ViewRecord record;
  record.view = view;
  record.type = view->getTypeId().getName().getString();
  record.name = view->getName().getString();
  record.depth = entry.depth;
  record.navigation = view->navigation.getValue() == PoBaseView::PAN ? "PAN" : "EXAMINE";
  record.origin = view->viewportOrigin.getValue();
  record.size = view->viewportSize.getValue();
  record.camera = entry.camera ? entry.camera->getTypeId().getName().getString() : "";
  record.backgroundVisible = boolFieldValue(view, "isBackgroundVisible");
  record.borderVisible = boolFieldValue(view, "isBorderVisible");
  // The getters read the appearance kits without making any part.
  record.hasDecorations = view->isOfType(PoSceneView::getClassTypeId());
  if (record.hasDecorations) {
    const PoSceneView *sceneView = static_cast<const PoSceneView *>(view);
    record.backgroundColor = sceneView->getBackgroundColor();
    record.borderColor = sceneView->getBorderColor();
    record.borderWidth = sceneView->getBorderWidth();
    record.activeBorderColor = sceneView->getActiveBorderColor();
    record.label = sceneView->label.getValue().getString();
    record.labelColor = sceneView->getLabelColor();
    record.axesVisible = sceneView->isAxesVisible.getValue() != FALSE;
    record.hasOverlays = true;
  } else if (view->isOfType(PoView::getClassTypeId())) {
    const PoView *plainView = static_cast<const PoView *>(view);
    record.label = plainView->label.getValue().getString();
    record.labelColor = plainView->getLabelColor();
    record.axesVisible = plainView->isAxesVisible.getValue() != FALSE;
    record.hasOverlays = true;
  }
  return record;
}

LinkRecord recordOf(const PoCameraLink &link, const std::vector<ViewRecord> &views) {
  LinkRecord record;
  record.name = link.getName().getString();
  for (int i = 0; i < link.views.getNum(); ++i) {
    int index = -1;
    for (std::size_t v = 0; v < views.size() && index < 0; ++v)
      if (views[v].view == link.views[i]) index = static_cast<int>(v);
    record.views.push_back(index);
  }
  const struct {
    int bit;
    const char *name;
  } kinds[] = {{PoCameraLink::ORIENTATION, "ORIENTATION"},
               {PoCameraLink::POSITION, "POSITION"},
               {PoCameraLink::ZOOM, "ZOOM"}};
  for (const auto &kind : kinds)
    if (link.link.getValue() & kind.bit) record.kinds.push_back(kind.name);
  return record;
}

} // namespace

std::vector<LinkRecord> findLinks(SoNode *root, const std::vector<ViewRecord> &views) {
  SoSearchAction search;
  search.setType(PoCameraLink::getClassTypeId());
  search.setInterest(SoSearchAction::ALL);
  search.setSearchingAll(TRUE);
  const SbBool intoKits = SoBaseKit::isSearchingChildren();
  SoBaseKit::setSearchingChildren(TRUE);
  search.apply(root);
  SoBaseKit::setSearchingChildren(intoKits);
  std::vector<LinkRecord> records;
  std::vector<const SoNode *> met;
  const SoPathList &paths = search.getPaths();
  for (int i = 0; i < paths.getLength(); ++i) {
    const SoNode *tail = paths[i]->getTail();
    if (std::find(met.begin(), met.end(), tail) != met.end()) continue;
    met.push_back(tail);
    records.push_back(recordOf(*static_cast<const PoCameraLink *>(tail), views));
  }
  return records;
}

std::vector<ViewRecord> findViews(SoNode *root) {
  std::vector<ViewRecord> records;
  const PoViewList views(root);
  for (int i = 0; i < views.getLength(); ++i) records.push_back(recordOf(views[i]));
  return records;
}
