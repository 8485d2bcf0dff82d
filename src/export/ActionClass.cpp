#include "ActionClass.h"

#include "DebugReport.h"
#include "ToolkitLayer.h"

#include <Inventor/SbName.h>
#include <Inventor/SbString.h>
#include <Inventor/actions/SoToVRML2Action.h>
#include <Inventor/lists/SoActionMethodList.h>
#include <Inventor/lists/SoEnabledElementsList.h>

namespace {

// SoToVRML2Action keeps its class lists protected.
struct ParentLists : SoToVRML2Action {
  static SoEnabledElementsList *elements() { return getClassEnabledElements(); }
  static SoActionMethodList *methods() { return getClassActionMethods(); }
};

} // namespace

namespace ActionRegistration {

void initClass(const ActionClass &action) {
  if (!action.classTypeId.isBad()) return; // registered once
  // The parent comes first: its lists are the parents of this class's lists,
  // and lists made from a parent that does not exist yet would leave the
  // action without any traversal method. Registering it is part of this
  // class's registration, not a mistake to report.
  if (SoToVRML2Action::getClassTypeId().isBad()) SoToVRML2Action::initClass();
  action.enabledElements = new SoEnabledElementsList(ParentLists::elements());
  action.methods = new SoActionMethodList(ParentLists::methods());
  action.classTypeId = SoType::createType(SoToVRML2Action::getClassTypeId(),
                                          SbName(action.className), nullptr, 0);
  action.classTypeIdIsSet = 1;
}

void exitClass(const ActionClass &action) {
  const SbName name = action.classTypeId.getName();
  if (!ToolkitLayer::removeType(name)) {
    const SbString method = SbString(action.className) + "::exitClass";
    SbString message;
    message.sprintf("Unable to remove type (%s) for this class. Check exitClass() method is "
                    "implemented and is called only once.\n",
                    name.getString());
    postReport(method.getString(), message.getString());
    return;
  }
  action.classTypeId = SoType::badType();
  delete action.enabledElements;
  action.enabledElements = nullptr;
  delete action.methods;
  action.methods = nullptr;
  action.classTypeIdIsSet = 0;
}

void checkConstruction(const ActionClass &action) {
  if (action.classTypeId.isBad()) {
    const SbString message = SbString("Can't construct an action of type ") + action.className +
                             " until initClass() has been called. Check SoDB::init() has been "
                             "called.";
    postReport("SO_ACTION_CONSTRUCTOR", message.getString());
    initClass(action);
  }
}

void enableElement(const ActionClass &action, SoType type, int stackIndex) {
  if (type.isBad()) {
    const SbString message = SbString("Can't enable element for ") + action.className +
                             " until the element initClass function has been called";
    postReport("SO_ENABLE_ELEMENT", message.getString());
    return;
  }
  action.enabledElements->enable(type, stackIndex);
}

void addMethod(const ActionClass &action, SoType type, SoActionMethod method) {
  action.methods->addMethod(type, method);
}

} // namespace ActionRegistration
