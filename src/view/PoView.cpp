#include "PoView.h"

#include "ViewKitClass.h"

#include <new>

PO_VIEW_KIT_SOURCE(PoView, PoBaseView, "PoBaseView", &PoBaseView::initClass,
                   &PoView::createInstance)

void *PoView::createInstance() { return new (std::nothrow) PoView; }

PoView::PoView() {
  const ViewKitClass &kit = kitClass();
  ViewKit::beginConstruction(kit);
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
