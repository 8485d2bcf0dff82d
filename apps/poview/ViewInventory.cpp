#include "ViewInventory.h"

#include "PoSceneView.h"
#include "PoView.h"
#include "PoViewList.h"

#include <Inventor/fields/SoSFBool.h>
#include <Inventor/nodes/SoCamera.h>

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

} // namespace

std::vector<ViewRecord> findViews(SoNode *root) {
  std::vector<ViewRecord> records;
  const PoViewList views(root);
  for (int i = 0; i < views.getLength(); ++i) records.push_back(recordOf(views[i]));
  return records;
}
