#include "PoView.h"

#include "AppearanceLook.h"
#include "DecorationLooks.h"
#include "HiddenParts.h"
#include "OverlayGroup.h"
#include "SoDBImpl.h"
#include "ViewKitClass.h"

#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/sensors/SoFieldSensor.h>

#include <new>

PO_VIEW_KIT_SOURCE(PoView, PoBaseView, "PoBaseView", &PoBaseView::initClass,
                   &PoView::createInstance)

void *PoView::createInstance() { return new (std::nothrow) PoView; }

PoView::PoView() : m_labelSensor(nullptr), m_axesSensor(nullptr) {
  const ViewKitClass &kit = kitClass();
  ViewKit::beginConstruction(kit);
  initOverlayClasses();
  // The callback must come first: it sets the viewport the camera works in.
  // Entries name no right sibling, so the parts follow each other under the
  // kit in the order they are registered. The overlays, an annotation, are
  // drawn last of all, over what the nodes after the view draw.
  registerPart(kit, "catchActionCallback", catchActionCallback, "SoCallback", "this");
  registerPart(kit, "cameraKit", cameraKit, "SoCameraKit", "this");
  registerPart(kit, "overlaySep", overlaySep, "SoAnnotation", "this");
  registerPart(kit, "labelLook", labelLook, "LabelLook", "overlaySep");
  registerPart(kit, "labelApp", labelApp, "SoAppearanceKit", "labelLook");
  registerPart(kit, "overlay", overlay, "SoGroup", "overlaySep");
  ViewKit::registerField(kit, this, "label", label, [](SoSFString &f) { f.setValue(""); });
  ViewKit::registerField(kit, this, "isAxesVisible", isAxesVisible,
                         [](SoSFBool &f) { f.setValue(FALSE); });
  ViewKit::endConstruction(kit);
  createNodekitPartsList();
  createDefaultParts();
  installCatchActionCallback();

  m_labelSensor = new SoFieldSensor(&PoView::overlaySensorCB, this);
  m_axesSensor = new SoFieldSensor(&PoView::overlaySensorCB, this);
  // Priority 0: the overlay is built before the call that set the field
  // returns.
  m_labelSensor->setPriority(0);
  m_axesSensor->setPriority(0);
  setUpConnections(TRUE, TRUE);
}

PoView::PoView(const PoView &other) : PoView() { *this = other; }

PoView &PoView::operator=(const PoView &other) {
  if (this == &other) return *this;
  PoBaseView::operator=(other);
  if (labelApp.getValue() != other.labelApp.getValue())
    setAnyPart("labelApp", other.labelApp.getValue());
  label = other.label;
  isAxesVisible = other.isAxesVisible;
  return *this;
}

PoView::~PoView() {
  delete m_labelSensor;
  m_labelSensor = nullptr;
  delete m_axesSensor;
  m_axesSensor = nullptr;
}

SbBool PoView::readInstance(SoInput *in, unsigned short flags) {
  const SbBool result = readViewInstance(in, flags);
  if (result && connectionsSetUp) overlaySensorCB(this, nullptr);
  // Coin's kit read makes the parent of every part it sets, also to set it
  // to null; an empty annotation would still be drawn last in every frame.
  if (result) dropEmptyOverlaySeparator();
  return result;
}

void PoView::dropEmptyOverlaySeparator() {
  dropEmptyPart("labelLook", labelLook, {&labelApp, &overlay});
  dropEmptyPart("overlaySep", overlaySep, {&labelLook, &overlay});
}

SbBool PoView::setUpConnections(SbBool connect, SbBool force) {
  const SbBool on = connect ? TRUE : FALSE;
  if (!force && (connectionsSetUp ? TRUE : FALSE) == on) return connect;
  if (on) {
    SoBaseKit::setUpConnections(connect, force);
    if (!isBeingRead()) overlaySensorCB(this, nullptr);
    if (m_labelSensor->getAttachedField() != &label) m_labelSensor->attach(&label);
    if (m_axesSensor->getAttachedField() != &isAxesVisible) m_axesSensor->attach(&isAxesVisible);
  } else {
    if (m_labelSensor->getAttachedField()) m_labelSensor->detach();
    if (m_axesSensor->getAttachedField()) m_axesSensor->detach();
    SoBaseKit::setUpConnections(connect, force);
  }
  connectionsSetUp = on;
  return !on;
}

void PoView::overlaySensorCB(void *data, SoSensor *) {
  // As a scene view's decorations: left alone in logical-viewport mode.
  if (SoDBImpl::m_isZemba) return;
  static_cast<PoView *>(data)->drawOverlays();
}

void PoView::drawOverlays() {
  SoGroup *group = newOverlayGroup(label.getValue(), isAxesVisible.getValue(), false);
  if (!group) {
    if (overlay.getValue()) setPart("overlay", nullptr);
    return;
  }
  setPart("overlay", group);
  // The label's default colour, whatever the state before the view.
  if (!labelLook.getValue()) setAnyPart("labelLook", new LabelLook);
}

void PoView::setDefaultOnNonWritingFields() {
  PoBaseView::setDefaultOnNonWritingFields();
  SoSFNode *const derived[] = {&overlaySep, &labelLook, &overlay};
  for (SoSFNode *field : derived) field->setDefault(TRUE);
  labelApp.setDefault(holdsConstructionLook(labelApp.getValue(), false) ? TRUE : FALSE);
}

void PoView::setLabelColor(const SbColor &color) {
  if (SoMaterial *material = partOfType<SoMaterial>(this, "labelApp.material"))
    material->diffuseColor.setValue(color);
}

SbColor PoView::getLabelColor() const {
  return lookOf(labelApp.getValue(), LabelLook::defaultColour()).colour;
}

bool PoView::traverseWithoutOverlays(SoAction *action) {
  SoNode *const shown = overlay.getValue();
  return traverseWithoutParts(this, action, {shown}, {shown ? overlaySep.getValue() : nullptr});
}

void PoView::search(SoSearchAction *action) {
  SoNode::search(action);
  if (action->isFound() || !isSearchingChildren()) return;
  if (!traverseWithoutOverlays(action)) SoBaseKit::doAction(action);
}

void PoView::getBoundingBox(SoGetBoundingBoxAction *action) {
  if (!traverseWithoutOverlays(action)) SoBaseKit::getBoundingBox(action);
}

void PoView::rayPick(SoRayPickAction *action) {
  if (!traverseWithoutOverlays(action)) SoBaseKit::rayPick(action);
}
