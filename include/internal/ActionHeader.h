#ifndef BRENNICQT_ACTIONHEADER_H
#define BRENNICQT_ACTIONHEADER_H

// Part of BrennicQt's inside: installed only because a public header needs
// it. Applications do not include it themselves.

#include <Inventor/SoType.h>
#include <Inventor/actions/SoAction.h>

class SoActionMethodList;
class SoEnabledElementsList;
struct ActionClass;

// The class queries and class data every export action class declares, as
// Coin's SO_ACTION_HEADER does for Coin's actions, with the registration flag
// Coin's actions lack. Leaves the class declaration in its protected section.
#define PO_ACTION_HEADER()                                                                         \
public:                                                                                            \
  static void initClass();                                                                         \
  static void exitClass();                                                                         \
  static SoType getClassTypeId();                                                                  \
  static void addMethod(const SoType type, SoActionMethod method);                                 \
  static void enableElement(const SoType type, const int stackIndex);                              \
  virtual SoType getTypeId() const;                                                                \
  virtual const SoEnabledElementsList &getEnabledElements() const;                                 \
  virtual SoActionMethodList *getActionMethods();                                                  \
                                                                                                   \
protected:                                                                                         \
  /* The registration steps of the class, over the class data below. */                          \
  static const ActionClass &actionClass();                                                         \
                                                                                                   \
  static SoType classTypeId;                                                                       \
  static int classTypeIdIsSet;                                                                     \
  static SoEnabledElementsList *enabledElements;                                                   \
  static SoActionMethodList *methods

#endif
