#ifndef BRENNICQT_ACTIONCLASS_H
#define BRENNICQT_ACTIONCLASS_H

#include <Inventor/SoType.h>
#include <Inventor/actions/SoAction.h>

class SoActionMethodList;
class SoEnabledElementsList;

#include "ActionHeader.h"

// The class data of one conversion action class derived from Coin's
// SoToVRML2Action. PoToVRML2Action and PoToX3DAction register, construct and
// release themselves through the same steps; each hands its own data here.
struct ActionClass {
  const char *className; // type name, class name and report prefix

  SoType &classTypeId;
  int &classTypeIdIsSet;
  SoEnabledElementsList *&enabledElements;
  SoActionMethodList *&methods;
};

namespace ActionRegistration {

// Registers the type under SoToVRML2Action, whose class is registered first
// if it is not yet, and builds the class's lists on the parent's; does
// nothing for a class already registered. Actions are not made by name: the
// type has no instance factory.
void initClass(const ActionClass &action);
// Removes the type and frees the lists; a type Coin will not remove is
// reported and leaves the class data as it was.
void exitClass(const ActionClass &action);
// The constructor's check: an action built before its class is registered
// reports it and registers the class on the spot.
void checkConstruction(const ActionClass &action);
void enableElement(const ActionClass &action, SoType type, int stackIndex);
void addMethod(const ActionClass &action, SoType type, SoActionMethod method);

} // namespace ActionRegistration

// Defines what PO_ACTION_HEADER declares, but for the class data (see
// PO_ACTION_CLASS_DATA).
#define PO_ACTION_SOURCE(Class)                                                                    \
  const ActionClass &Class::actionClass() {                                                        \
    static const ActionClass data{#Class, classTypeId, classTypeIdIsSet, enabledElements,         \
                                  methods};                                                        \
    return data;                                                                                   \
  }                                                                                                \
  void Class::initClass() { ActionRegistration::initClass(actionClass()); }                        \
  void Class::exitClass() { ActionRegistration::exitClass(actionClass()); }                        \
  SoType Class::getClassTypeId() { return classTypeId; }                                           \
  SoType Class::getTypeId() const { return classTypeId; }                                          \
  void Class::addMethod(const SoType type, SoActionMethod method) {                                \
    ActionRegistration::addMethod(actionClass(), type, method);                                    \
  }                                                                                                \
  void Class::enableElement(const SoType type, const int stackIndex) {                             \
    ActionRegistration::enableElement(actionClass(), type, stackIndex);                            \
  }                                                                                                \
  const SoEnabledElementsList &Class::getEnabledElements() const { return *enabledElements; }      \
  SoActionMethodList *Class::getActionMethods() { return methods; }

// The class data of an action class as it is at load: unregistered.
#define PO_ACTION_CLASS_DATA(Class)                                                                \
  SoType Class::classTypeId;                                                                       \
  int Class::classTypeIdIsSet = 0;                                                                 \
  SoEnabledElementsList *Class::enabledElements = nullptr;                                         \
  SoActionMethodList *Class::methods = nullptr

#endif
