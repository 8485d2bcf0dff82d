#include "PoBaseView.h"

#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoCallback.h>

void PoBaseView::installCatchActionCallback() {
  SoNode *node = getPart("catchActionCallback", TRUE);
  // The catalog only admits callback nodes here; anything else is left alone
  // rather than bound to a function it was never meant to run.
  if (!node || !node->isOfType(SoCallback::getClassTypeId())) return;
  SoCallback *callback = static_cast<SoCallback *>(node);
  callback->setCallback(&PoBaseView::catchActionCB, this);
  // Coin's part lookup hands out no reference. Setting the node back releases
  // the part's old value, which is this very node, so it is held across the
  // call and let go without deleting it.
  callback->ref();
  setPart("catchActionCallback", callback);
  callback->unrefNoDelete();
}

void PoBaseView::copyContents(const SoFieldContainer *from, SbBool copyConnections) {
  SoBaseKit::copyContents(from, copyConnections);
  const SoNodekitCatalog *catalog = getNodekitCatalog();
  if (catalog && catalog->getPartNumber("catchActionCallback") != SO_CATALOG_NAME_NOT_FOUND &&
      catchActionCallback.getValue())
    installCatchActionCallback();
}
