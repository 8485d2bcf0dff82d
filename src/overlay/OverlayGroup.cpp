#include "OverlayGroup.h"

#include "DecorationLooks.h"
#include "ViewAxisTriad.h"
#include "ViewLabelText.h"

#include <Inventor/SbString.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPickStyle.h>

void initOverlayClasses() {
  ViewLabelText::initClass();
  ViewAxisTriad::initClass();
  LabelLook::initClass();
  ActiveBorderSeparator::initClass();
}

SoGroup *newOverlayGroup(const SbString &label, bool axes, bool framed) {
  if (label.getLength() == 0 && !axes) return nullptr;
  initOverlayClasses();
  SoGroup *group = new SoGroup;
  SoOrthographicCamera *camera = new SoOrthographicCamera;
  camera->viewportMapping = SoCamera::LEAVE_ALONE;
  group->addChild(camera);
  SoPickStyle *style = new SoPickStyle;
  style->style = SoPickStyle::UNPICKABLE;
  group->addChild(style);
  if (label.getLength() != 0) {
    ViewLabelText *text = new ViewLabelText;
    text->string = label;
    text->framed = framed;
    group->addChild(text);
  }
  if (axes) {
    ViewAxisTriad *triad = new ViewAxisTriad;
    triad->framed = framed;
    group->addChild(triad);
  }
  return group;
}
