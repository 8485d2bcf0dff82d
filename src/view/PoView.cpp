#include "PoView.h"

#include "SoBaseInitializer.h"
#include "ViewKitClass.h"

#include <Inventor/nodes/SoCallback.h>

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

// Entries name no right sibling, so the parts follow each other under the kit
// in the order they are registered.
void PoView::registerPart(const ViewKitClass &kit, const char *name, SoSFNode &field,
                          const char *typeName) {
  ViewKit::registerField(kit, this, name, field, [](SoSFNode &f) { f.setValue(nullptr); });
  if (kit.firstInstance && !ViewKit::addCatalogEntry(kit, name, typeName, "this"))
    catalogError();
}

PoView::PoView() {
  SoBaseInitializer initializer(this);
  const ViewKitClass &kit = kitClass();
  ViewKit::beginConstruction(kit, this);
  // The callback must come first: it sets the viewport the camera works in.
  registerPart(kit, "catchActionCallback", catchActionCallback, "SoCallback");
  registerPart(kit, "cameraKit", cameraKit, "SoCameraKit");
  ViewKit::endConstruction(kit);
  createNodekitPartsList();
  createDefaultParts();
  installTraversalCallback();
}

PoView::PoView(const PoView &other) : PoView() { PoBaseView::operator=(other); }

PoView &PoView::operator=(const PoView &other) {
  PoBaseView::operator=(other);
  return *this;
}

PoView::~PoView() {}

void PoView::installTraversalCallback() {
  SoNode *part = getPart("catchActionCallback", TRUE);
  if (!part || !part->isOfType(SoCallback::getClassTypeId())) return;
  auto *callback = static_cast<SoCallback *>(part);
  callback->setCallback(&PoBaseView::catchActionCB, this);
  setPart("catchActionCallback", callback);
}

SbBool PoView::readInstance(SoInput *in, unsigned short flags) {
  const SbBool result = PoBaseView::readInstance(in, flags);
  // The callback part is never written, so a file written by this library
  // leaves the one construction installed. A file that does carry one (written
  // by hand or by another program) would leave the view with a callback that
  // does not apply its viewport; binding after every read rules that out.
  // Coin's getPart hands out no reference, so there is none to give back.
  if (result) installTraversalCallback();
  return result;
}

SoType PoView::getClassTypeId() { return classTypeId; }
SoType PoView::getTypeId() const { return classTypeId; }
const SoFieldData *PoView::getFieldData() const { return ViewKit::getFieldData(kitClass()); }
const SoFieldData **PoView::getFieldDataPtr() { return ViewKit::getFieldDataPtr(kitClass()); }
int PoView::getIsBuiltIn() const { return isBuiltIn; }
const SoNodekitCatalog *PoView::getClassNodekitCatalog() { return nodekitCatalog; }
const SoNodekitCatalog *PoView::getNodekitCatalog() const { return nodekitCatalog; }

const SoNodekitCatalog **PoView::getClassNodekitCatalogPtr() {
  return const_cast<const SoNodekitCatalog **>(&nodekitCatalog);
}
