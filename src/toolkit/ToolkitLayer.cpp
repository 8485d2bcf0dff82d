#include "ToolkitLayer.h"

#include "KeptTileElement.h"
#include "LineWidthScale.h"
#include "SkippedScopeElement.h"
#include "CurrentViewElement.h"
#include "SoLogicalViewportElement.h"
#include "SoModifyLogicalViewportElement.h"
#include "SoModifyViewVolumeElement.h"

#include <Inventor/actions/SoAction.h>
#include <Inventor/lists/SoEnabledElementsList.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/fields/SoField.h>

#include <mutex>

namespace {
// Coin keeps the root of every action's enabled-elements list on SoAction, and
// each action class's list merges its parent's. Enabling there reaches every
// action class, including ones applications define themselves.
struct EveryAction : SoAction {
  static void enable(SoType type, int stackIndex) {
    getClassEnabledElements()->enable(type, stackIndex);
  }
};

template <class Element> void enableForEveryAction() {
  EveryAction::enable(Element::getClassTypeId(), Element::getClassStackIndex());
}
} // namespace

namespace ToolkitLayer {

void init() {
  static std::once_flag once;
  std::call_once(once, [] {
    SoModifyViewVolumeElement::initClass();
    SoLogicalViewportElement::initClass();
    SoModifyLogicalViewportElement::initClass();
    CurrentViewElement::initClass();
    KeptTileElement::initClass();
    SkippedScopeElement::initClass();
    enableForEveryAction<SoModifyViewVolumeElement>();
    enableForEveryAction<SoLogicalViewportElement>();
    enableForEveryAction<SoModifyLogicalViewportElement>();
    enableForEveryAction<CurrentViewElement>();
    enableForEveryAction<KeptTileElement>();
    enableForEveryAction<SoViewportRegionElement>();
    enableForEveryAction<SkippedScopeElement>();
    LineWidthScale::install();
  });
}

void setFieldType(SoField &field, int code) {
  field.setFieldType(code == kViewFieldType ? SoField::NORMAL_FIELD : code);
}

int removeType(const SbName &name) {
  if (SoType::fromName(name).isBad()) return 0;
  return SoType::removeType(name) ? 1 : 0;
}

} // namespace ToolkitLayer
