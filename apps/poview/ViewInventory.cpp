#include "ViewInventory.h"

#include "PoSceneView.h"

#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/fields/SoSFBool.h>
#include <Inventor/nodes/SoCamera.h>

namespace {

int boolFieldValue(PoBaseView *view, const char *fieldName) {
  SoField *field = view->getField(SbName(fieldName));
  if (!field || !field->isOfType(SoSFBool::getClassTypeId())) return -1;
  return static_cast<SoSFBool *>(field)->getValue() ? 1 : 0;
}

std::string cameraTypeName(PoBaseView *view) {
  // Asking without creation: listing a scene must not change it.
  SoNode *camera = view->getPart("cameraKit.camera", FALSE);
  if (!camera) return std::string();
  return camera->getTypeId().getName().getString();
}

ViewRecord recordOf(PoBaseView *view, int depth) {
  ViewRecord record;
  record.view = view;
  record.type = view->getTypeId().getName().getString();
  record.name = view->getName().getString();
  record.depth = depth;
  record.origin = view->viewportOrigin.getValue();
  record.size = view->viewportSize.getValue();
  record.camera = cameraTypeName(view);
  record.backgroundVisible = boolFieldValue(view, "isBackgroundVisible");
  record.borderVisible = boolFieldValue(view, "isBorderVisible");
  // The getters read the appearance kits without making any part.
  record.hasDecorations = view->isOfType(PoSceneView::getClassTypeId());
  if (record.hasDecorations) {
    const PoSceneView *sceneView = static_cast<const PoSceneView *>(view);
    record.backgroundColor = sceneView->getBackgroundColor();
    record.borderColor = sceneView->getBorderColor();
    record.borderWidth = sceneView->getBorderWidth();
  }
  return record;
}

// Collects the views as the traversal enters them; the number of views
// entered but not yet left is the depth of the next one.
struct Collector {
  std::vector<ViewRecord> records;
  int openViews = 0;

  static SoCallbackAction::Response enter(void *data, SoCallbackAction *, const SoNode *node) {
    Collector *collector = static_cast<Collector *>(data);
    PoBaseView *view = static_cast<PoBaseView *>(const_cast<SoNode *>(node));
    collector->records.push_back(recordOf(view, collector->openViews++));
    return SoCallbackAction::CONTINUE;
  }
  static SoCallbackAction::Response leave(void *data, SoCallbackAction *, const SoNode *) {
    --static_cast<Collector *>(data)->openViews;
    return SoCallbackAction::CONTINUE;
  }
};

} // namespace

// A search for all views would keep one path per view, each as long as the
// view is deep, and Coin's paths register with every group they pass: nested
// views then cost the cube of their number. The callback action visits the
// same nodes in the same order (kit parts included) without keeping paths.
std::vector<ViewRecord> findViews(SoNode *root) {
  Collector collector;
  if (!root) return collector.records;
  SoCallbackAction traversal;
  traversal.addPreCallback(PoBaseView::getClassTypeId(), &Collector::enter, &collector);
  traversal.addPostCallback(PoBaseView::getClassTypeId(), &Collector::leave, &collector);
  traversal.apply(root);
  return collector.records;
}
