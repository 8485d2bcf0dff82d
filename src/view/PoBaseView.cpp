#include "PoBaseView.h"

#include "DebugReport.h"
#include "PartPathCheck.h"
#include "ViewKitClass.h"

#include <Inventor/SbString.h>

#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>

// The view's parts are Coin's kits (camera and appearance kits): registering
// the base kit's parent means registering them all.
PO_VIEW_KIT_SOURCE(PoBaseView, SoBaseKit, "BaseKit", &SoNodeKit::init, nullptr)

PoBaseView::PoBaseView() : m_sensitiveOnEvents(0), m_readFieldData(nullptr) {
  const ViewKitClass &kit = kitClass();
  ViewKit::beginConstruction(kit);
  // Coin writes the field list of extension nodes only when this is off.
  SoFieldContainer::isBuiltIn = FALSE;
  ViewKit::registerField(kit, this, "viewportOrigin", viewportOrigin,
                         [](SoSFVec2f &f) { f.setValue(0.0f, 0.0f); });
  ViewKit::registerField(kit, this, "viewportSize", viewportSize,
                         [](SoSFVec2f &f) { f.setValue(1.0f, 1.0f); });
  ViewKit::registerField(kit, this, "isVisible", isVisible, [](SoSFBool &f) { f.setValue(TRUE); });
  ViewKit::registerField(kit, this, "navigation", navigation, [](SoSFEnum &f) {
    static const int values[] = {EXAMINE, PAN};
    static const SbName names[] = {"EXAMINE", "PAN"};
    f.setEnums(2, values, names);
    f.setValue(EXAMINE);
  });
  ViewKit::endConstruction(kit);
  createNodekitPartsList();
  createDefaultParts();
}

PoBaseView::PoBaseView(const PoBaseView &other) : PoBaseView() { *this = other; }

PoBaseView::~PoBaseView() {}

PoBaseView &PoBaseView::operator=(const PoBaseView &other) {
  if (this == &other) return *this;
  const SoNodekitCatalog *catalog = getNodekitCatalog();
  // Coin makes a part's parent even to set the part to null; a camera kit
  // that is already the source's is left alone.
  if (catalog && catalog->getPartNumber("cameraKit") != SO_CATALOG_NAME_NOT_FOUND &&
      cameraKit.getValue() != other.cameraKit.getValue())
    setAnyPart("cameraKit", other.cameraKit.getValue());
  viewportOrigin = other.viewportOrigin;
  viewportSize = other.viewportSize;
  isVisible = other.isVisible;
  navigation = other.navigation;
  m_sensitiveOnEvents = other.m_sensitiveOnEvents;
  return *this;
}

void PoBaseView::setDefaultOnNonWritingFields() {
  callbackList.setDefault(TRUE);
  catchActionCallback.setDefault(TRUE);
  // Files name only the views switched off.
  if (isVisible.getValue() && !isVisible.isConnected()) isVisible.setDefault(TRUE);
  if (navigation.getValue() == EXAMINE && !navigation.isConnected()) navigation.setDefault(TRUE);
}

int PoBaseView::getViewportIsEnabled() const { return 1; }
const SbVec2f PoBaseView::getViewportOrigin() const { return viewportOrigin.getValue(); }
const SbVec2f PoBaseView::getViewportSize() const { return viewportSize.getValue(); }

bool PoBaseView::partNameIsSound(const char *method, const SbName &partname, bool toSet) const {
  const char *name = partname.getString();
  if (toSet ? PartPath::isSoundToSet(this, name) : PartPath::isSound(this, name)) return true;
  SbString message("Part name \"");
  message += partname.getString();
  message += "\" refused: an index needs a list part, a dot a node-kit part, and the kit "
             "itself cannot be set";
  postReport(method, message.getString());
  return false;
}

SoNode *PoBaseView::getAnyPart(const SbName &partname, SbBool makeifneeded, SbBool leafcheck,
                               SbBool publiccheck) {
  if (!partNameIsSound("PoBaseView::getAnyPart", partname, false)) return nullptr;
  return SoBaseKit::getAnyPart(partname, makeifneeded, leafcheck, publiccheck);
}

SoNodeKitPath *PoBaseView::createPathToAnyPart(const SbName &partname, SbBool makeifneeded,
                                               SbBool leafcheck, SbBool publiccheck,
                                               const SoPath *pathtoextend) {
  if (!partNameIsSound("PoBaseView::createPathToAnyPart", partname, false)) return nullptr;
  return SoBaseKit::createPathToAnyPart(partname, makeifneeded, leafcheck, publiccheck,
                                        pathtoextend);
}

SbBool PoBaseView::setAnyPart(const SbName &partname, SoNode *from, SbBool anypart) {
  if (!partNameIsSound("PoBaseView::setAnyPart", partname, true)) return FALSE;
  return SoBaseKit::setAnyPart(partname, from, anypart);
}
