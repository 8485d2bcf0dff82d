#ifndef BRENNICQT_TESTS_VRMLACTIONTESTACCESS_H
#define BRENNICQT_TESTS_VRMLACTIONTESTACCESS_H

#include "DebugCapture.h"
#include "PoBaseView.h"
#include "PoToVRML2Action.h"

// Reaches the class data of PoToVRML2Action for checks, as a derived class
// may; it is never instantiated.
class PoToVRML2ActionTestAccess : public PoToVRML2Action {
public:
  static SoEnabledElementsList *enabledElements() { return PoToVRML2Action::enabledElements; }
  static SoActionMethodList *methods() { return PoToVRML2Action::methods; }
  static int classTypeIdIsSet() { return PoToVRML2Action::classTypeIdIsSet; }
  static SoActionMethodList *traversalMethodsOf(const PoToVRML2Action &action) {
    return action.*(&PoToVRML2ActionTestAccess::traversalMethods);
  }
  static const SoEnabledElementsList &enabledElementsOf(const PoToVRML2Action &action) {
    return action.getEnabledElements();
  }
  static SoConvertGuts *newConvertGuts(const PoToVRML2Action &action) {
    return (action.*(&PoToVRML2ActionTestAccess::getNewConvertGuts))();
  }
};

// Leaves the whole module registered afresh when a test that took classes
// out of the type system ends. Declare it first, so that it runs last.
struct ModuleRegisteredAgain {
  ModuleRegisteredAgain() = default;
  ModuleRegisteredAgain(const ModuleRegisteredAgain &) = delete;
  ModuleRegisteredAgain &operator=(const ModuleRegisteredAgain &) = delete;
  ~ModuleRegisteredAgain() {
    DebugCapture quiet; // classes the test left unregistered report here
    PoBaseView::exitClasses();
    PoBaseView::initClasses();
  }
};

#endif
