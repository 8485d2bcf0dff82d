#ifndef BRENNICQT_VIEWKITHEADER_H
#define BRENNICQT_VIEWKITHEADER_H

// Part of BrennicQt's inside: installed only because a public header needs
// it. Applications do not include it themselves.

#include "ClassMutex.h"

#include <Inventor/SoType.h>

class SoFieldData;
class SoNodekitCatalog;
struct ViewKitClass;

// The class queries and class data every view kit class declares, as Coin's
// SO_KIT_HEADER does for Coin's kits. Each class keeps its own set, so that
// registering, releasing and building one kit class never touches another's.
// Leaves the class declaration in its protected section.
#define PO_VIEW_KIT_HEADER()                                                                       \
public:                                                                                            \
  static void initClass();                                                                         \
  static void exitClass();                                                                         \
  static SoType getClassTypeId();                                                                  \
  virtual SoType getTypeId() const;                                                                \
  virtual const SoFieldData *getFieldData() const;                                                 \
  virtual int getIsBuiltIn() const;                                                                \
  static const SoNodekitCatalog *getClassNodekitCatalog();                                         \
  virtual const SoNodekitCatalog *getNodekitCatalog() const;                                       \
                                                                                                   \
protected:                                                                                         \
  static const SoFieldData **getFieldDataPtr();                                                    \
  static const SoNodekitCatalog **getClassNodekitCatalogPtr();                                     \
  /* The registration steps of the class, over the class data below. */                          \
  static const ViewKitClass &kitClass();                                                           \
                                                                                                   \
  /* Hides Coin's per-instance flag of the same name, which Coin's kit */                         \
  /* macros in subclasses assign; it always holds 0. */                                            \
  static int isBuiltIn;                                                                            \
  static SoType classTypeId;                                                                       \
  static SoFieldData *fieldData;                                                                   \
  static const SoFieldData **parentFieldData;                                                      \
  static int firstInstance;                                                                        \
  static int MT_Id;                                                                                \
  static SoNodekitCatalog *nodekitCatalog;                                                         \
  static const SoNodekitCatalog **parentNodekitCatalogPtr;                                         \
  static ClassMutex classMutex

#endif
