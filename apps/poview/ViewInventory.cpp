#include "ViewInventory.h"

#include "PoBaseView.h"

#include <Inventor/misc/SoTempPath.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/fields/SoSFBool.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoCamera.h>

namespace {

// Switches Coin's process-wide "search inside node kits" flag for one scope.
class KitSearchScope {
public:
  KitSearchScope() : m_previous(SoBaseKit::isSearchingChildren()) {
    SoBaseKit::setSearchingChildren(TRUE);
  }
  ~KitSearchScope() { SoBaseKit::setSearchingChildren(m_previous); }

private:
  SbBool m_previous;
};

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

int enclosingViews(const SoFullPath *path) {
  int depth = 0;
  for (int i = 0; i + 1 < path->getLength(); ++i)
    if (path->getNode(i)->isOfType(PoBaseView::getClassTypeId())) ++depth;
  return depth;
}

} // namespace

std::vector<ViewRecord> findViews(SoNode *root) {
  std::vector<ViewRecord> records;
  if (!root) return records;
  KitSearchScope kitSearch;
  SoSearchAction search;
  search.setType(PoBaseView::getClassTypeId(), TRUE);
  search.setInterest(SoSearchAction::ALL);
  search.apply(root);
  const SoPathList &paths = search.getPaths();
  for (int i = 0; i < paths.getLength(); ++i) {
    // SoPath hides the nodes below a kit and would name the outermost kit
    // as the tail; a full copy of the path ends at the view that was found.
    SoTempPath full(paths[i]->getLength());
    static_cast<SoPath &>(full) = *paths[i];
    const SoFullPath *path = &full;
    PoBaseView *view = static_cast<PoBaseView *>(path->getTail());
    ViewRecord record;
    record.view = view;
    record.type = view->getTypeId().getName().getString();
    record.name = view->getName().getString();
    record.depth = enclosingViews(path);
    record.origin = view->viewportOrigin.getValue();
    record.size = view->viewportSize.getValue();
    record.camera = cameraTypeName(view);
    record.backgroundVisible = boolFieldValue(view, "isBackgroundVisible");
    record.borderVisible = boolFieldValue(view, "isBorderVisible");
    records.push_back(record);
  }
  return records;
}
