#include "PoSceneView.h"

#include "OverlayGroup.h"
#include "ViewKitClass.h"

#include <Inventor/fields/SoFieldData.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/sensors/SoFieldSensor.h>

#include <new>

namespace {

// The parts in catalog order, which is also the kit's child order. The
// overlays' parts came last and hang under "borderSep", so that the parts
// before them keep their places and the overlays are drawn over the scene
// with the border, in the line width of its appearance.
struct PartEntry {
  const char *name;
  const char *type;
  const char *parent;
};

const PartEntry kParts[] = {
    {"topSep", "SoSeparator", "this"},
    {"catchActionCallback", "SoCallback", "topSep"},
    {"backgroundSep", "SoSeparator", "topSep"},
    {"backgroundApp", "SoAppearanceKit", "backgroundSep"},
    {"background", "SoGroup", "backgroundSep"},
    {"sceneSep", "SoSeparator", "topSep"},
    {"cameraKit", "SoCameraKit", "sceneSep"},
    {"scene", "SoGroup", "sceneSep"},
    {"borderSep", "SoAnnotation", "topSep"},
    {"borderApp", "SoAppearanceKit", "borderSep"},
    {"border", "SoGroup", "borderSep"},
    {"activeBorderSep", "ActiveBorderSeparator", "borderSep"},
    {"activeBorderApp", "SoAppearanceKit", "activeBorderSep"},
    {"activeBorder", "SoGroup", "activeBorderSep"},
    {"overlaySep", "SoSeparator", "borderSep"},
    {"labelLook", "LabelLook", "overlaySep"},
    {"labelApp", "SoAppearanceKit", "labelLook"},
    {"overlay", "SoGroup", "overlaySep"},
};

} // namespace

PO_VIEW_KIT_SOURCE(PoSceneView, PoBaseView, "PoBaseView", &PoBaseView::initClass,
                   &PoSceneView::createInstance)

void *PoSceneView::createInstance() { return new (std::nothrow) PoSceneView; }

PoSceneView::PoSceneView()
    : m_backgroundSensor(nullptr), m_borderSensor(nullptr), m_labelSensor(nullptr),
      m_axesSensor(nullptr) {
  const ViewKitClass &kit = kitClass();
  ViewKit::beginConstruction(kit);
  registerParts();
  ViewKit::registerField(kit, this, "isBackgroundVisible", isBackgroundVisible,
                         [](SoSFBool &f) { f.setValue(FALSE); });
  ViewKit::registerField(kit, this, "isBorderVisible", isBorderVisible,
                         [](SoSFBool &f) { f.setValue(FALSE); });
  ViewKit::registerField(kit, this, "label", label, [](SoSFString &f) { f.setValue(""); });
  ViewKit::registerField(kit, this, "isAxesVisible", isAxesVisible,
                         [](SoSFBool &f) { f.setValue(FALSE); });
  ViewKit::endConstruction(kit);
  createNodekitPartsList();
  createDefaultParts();

  installCatchActionCallback();
  // The background is drawn unlit, in the base colour of its appearance.
  set("backgroundApp.lightModel", "model BASE_COLOR");

  createSensors();
  setUpConnections(TRUE, TRUE);
}

void PoSceneView::registerParts() {
  const ViewKitClass &kit = kitClass();
  // The catalog names the classes of the overlays' parts.
  initOverlayClasses();
  SoSFNode *const fields[] = {&topSep,          &catchActionCallback, &backgroundSep,
                              &backgroundApp,   &background,          &sceneSep,
                              &cameraKit,       &scene,               &borderSep,
                              &borderApp,       &border,              &activeBorderSep,
                              &activeBorderApp, &activeBorder,        &overlaySep,
                              &labelLook,       &labelApp,            &overlay};
  static_assert(sizeof fields / sizeof fields[0] == sizeof kParts / sizeof kParts[0],
                "one field per catalog entry");
  for (std::size_t i = 0; i < sizeof kParts / sizeof kParts[0]; ++i)
    registerPart(kit, kParts[i].name, *fields[i], kParts[i].type, kParts[i].parent);
}

void PoSceneView::createSensors() {
  SoFieldSensor **const sensors[] = {&m_backgroundSensor, &m_borderSensor, &m_labelSensor,
                                     &m_axesSensor};
  for (SoFieldSensor **sensor : sensors) {
    *sensor = new SoFieldSensor(&PoSceneView::fieldSensorCB, this);
    // Priority 0 runs the sensor inside the field change, so a decoration is
    // built or removed before the call that set the field returns.
    (*sensor)->setPriority(0);
  }
}

PoSceneView::PoSceneView(const PoSceneView &other) : PoSceneView() { *this = other; }

PoSceneView &PoSceneView::operator=(const PoSceneView &other) {
  if (this == &other) return *this;
  PoBaseView::operator=(other);
  copyPartsFrom(other);
  isBackgroundVisible = other.isBackgroundVisible;
  isBorderVisible = other.isBorderVisible;
  label = other.label;
  isAxesVisible = other.isAxesVisible;
  return *this;
}

// The separators and the callback node stay this kit's own: taking the
// source's would hang the source's callback, bound to the source, into this
// kit. The leaves are shared, as assigning a part field shares its node, and
// set through the kit so that its children follow. A part that already holds
// the source's node is left alone: Coin makes a part's parent even to set the
// part to null.
void PoSceneView::copyPartsFrom(const PoSceneView &other) {
  const char *const names[] = {"backgroundApp",   "background",   "scene",
                               "borderApp",       "border",       "activeBorderApp",
                               "activeBorder",    "labelApp",     "overlay"};
  const SoSFNode *const targets[] = {&backgroundApp,   &background,   &scene,
                                     &borderApp,       &border,       &activeBorderApp,
                                     &activeBorder,    &labelApp,     &overlay};
  const SoSFNode *const sources[] = {
      &other.backgroundApp,   &other.background,   &other.scene,    &other.borderApp, &other.border,
      &other.activeBorderApp, &other.activeBorder, &other.labelApp, &other.overlay};
  for (std::size_t i = 0; i < sizeof names / sizeof names[0]; ++i)
    if (targets[i]->getValue() != sources[i]->getValue())
      setAnyPart(names[i], sources[i]->getValue());
}

PoSceneView::~PoSceneView() {
  SoFieldSensor **const sensors[] = {&m_backgroundSensor, &m_borderSensor, &m_labelSensor,
                                     &m_axesSensor};
  for (SoFieldSensor **sensor : sensors) {
    delete *sensor;
    *sensor = nullptr;
  }
}

SbBool PoSceneView::readInstance(SoInput *in, unsigned short flags) {
  SbBool result = readViewInstance(in, flags);
  // The decorations follow the switches that were read (see setUpConnections).
  if (result && connectionsSetUp) fieldSensorCB(this, nullptr);
  if (result) dropEmptyBorderSeparator();
  return result;
}

// Coin's kit read makes the parent of every part it sets, also to set it to
// null, so each scene view read from a file gets a "borderSep" even without a
// border. That part is an annotation, and Coin copies the whole path to an
// annotation in every render to draw it last: views nested in views then cost
// the square of their number per frame. An empty one draws nothing; a kit
// built in code does not have it either. The parts inside it go first.
void PoSceneView::dropEmptyBorderSeparator() {
  dropEmptyPart("labelLook", labelLook, {&labelApp, &overlay});
  dropEmptyPart("overlaySep", overlaySep, {&labelLook, &overlay});
  dropEmptyPart("activeBorderSep", activeBorderSep, {&activeBorderApp, &activeBorder});
  dropEmptyPart("borderSep", borderSep, {&borderApp, &border, &activeBorderSep, &overlaySep});
}
