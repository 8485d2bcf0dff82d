#include "PoBaseView.h"

#include "ViewKitClass.h"

#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoCallback.h>

void PoBaseView::registerPart(const ViewKitClass &kit, const char *name, SoSFNode &field,
                              const char *typeName, const char *parentName) {
  ViewKit::registerField(kit, this, name, field, [](SoSFNode &f) { f.setValue(nullptr); });
  if (kit.firstInstance && !ViewKit::addCatalogEntry(kit, name, typeName, parentName))
    catalogError();
}

void PoBaseView::installCatchActionCallback() {
  SoNode *node = getPart("catchActionCallback", TRUE);
  // The catalog only admits callback nodes here; anything else is left alone
  // rather than bound to a function it was never meant to run.
  if (!node || !node->isOfType(SoCallback::getClassTypeId())) return;
  SoCallback *callback = static_cast<SoCallback *>(node);
  callback->setCallback(&PoBaseView::catchActionCB, this);
  // Coin's part lookup hands out no reference, so there is none to give back,
  // and setting the part to the node it holds leaves it as it is.
  setPart("catchActionCallback", callback);
}

void PoBaseView::copyContents(const SoFieldContainer *from, SbBool copyConnections) {
  SoBaseKit::copyContents(from, copyConnections);
  const SoNodekitCatalog *catalog = getNodekitCatalog();
  if (catalog && catalog->getPartNumber("catchActionCallback") != SO_CATALOG_NAME_NOT_FOUND &&
      catchActionCallback.getValue())
    installCatchActionCallback();
}

void PoBaseView::dropEmptyPart(const char *name, const SoSFNode &part,
                               std::initializer_list<const SoSFNode *> contents) {
  if (!part.getValue()) return;
  for (const SoSFNode *content : contents)
    if (content->getValue()) return;
  setAnyPart(name, nullptr);
}
