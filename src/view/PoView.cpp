#include "PoView.h"

#include "SoBaseInitializer.h"
#include "ViewKitClass.h"

#include <new>

const ViewKitClass &PoView::kitClass() {
  static const ViewKitClass kit{
      "PoView", "PoBaseView", "PoBaseView", "src/view/PoView", &PoView::createInstance,
      &PoView::initClass,
      &PoBaseView::getClassTypeId, &PoBaseView::initClass,
      &PoBaseView::getFieldDataPtr, &PoBaseView::getClassNodekitCatalogPtr,
      classTypeId, fieldData, parentFieldData, firstInstance,
      nodekitCatalog, parentNodekitCatalogPtr, classMutex};
  return kit;
}

void PoView::initClass() { ViewKit::initClass(kitClass()); }

void PoView::exitClass() { ViewKit::exitClass(kitClass()); }

void *PoView::createInstance() { return new (std::nothrow) PoView; }

PoView::PoView() {
  SoBaseInitializer initializer(this);
  const ViewKitClass &kit = kitClass();
  ViewKit::beginConstruction(kit, this);
  // The callback must come first: it sets the viewport the camera works in.
  // Entries name no right sibling, so the parts follow each other under the
  // kit in the order they are registered.
  registerPart(kit, "catchActionCallback", catchActionCallback, "SoCallback", "this");
  registerPart(kit, "cameraKit", cameraKit, "SoCameraKit", "this");
  ViewKit::endConstruction(kit);
  createNodekitPartsList();
  createDefaultParts();
  installCatchActionCallback();
}

PoView::PoView(const PoView &other) : PoView() { PoBaseView::operator=(other); }

PoView &PoView::operator=(const PoView &other) {
  PoBaseView::operator=(other);
  return *this;
}

PoView::~PoView() {}

SbBool PoView::readInstance(SoInput *in, unsigned short flags) {
  return readViewInstance(in, flags);
}

SoType PoView::getClassTypeId() { return classTypeId; }
SoType PoView::getTypeId() const { return classTypeId; }
const SoFieldData *PoView::getFieldData() const {
  if (const SoFieldData *reading = fieldDataWhileReading()) return reading;
  return ViewKit::getFieldData(kitClass());
}
const SoFieldData **PoView::getFieldDataPtr() { return ViewKit::getFieldDataPtr(kitClass()); }
int PoView::getIsBuiltIn() const { return isBuiltIn; }
const SoNodekitCatalog *PoView::getClassNodekitCatalog() { return nodekitCatalog; }
const SoNodekitCatalog *PoView::getNodekitCatalog() const { return nodekitCatalog; }

const SoNodekitCatalog **PoView::getClassNodekitCatalogPtr() {
  return const_cast<const SoNodekitCatalog **>(&nodekitCatalog);
}
