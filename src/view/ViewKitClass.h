#ifndef BRENNICQT_VIEWKITCLASS_H
#define BRENNICQT_VIEWKITCLASS_H

#include "ClassMutex.h"

#include <Inventor/SoType.h>

class ClassMutex;
class SoField;
class SoFieldContainer;
class SoFieldData;
class SoNodekitCatalog;

// The class data of one view kit class and how to reach its parent class.
// PoBaseView, PoView and PoSceneView register themselves through the same
// steps; each hands its own data to the functions below.
struct ViewKitClass {
  const char *className;       // type name and class name, e.g. "PoView"
  const char *parentClassName; // named in reports, e.g. "PoBaseView"
  const char *parentTypeName;  // given to SoType::fromName, e.g. "BaseKit"
  const char *sourcePath;      // method name of the missing-table report
  SoType::instantiationMethod factory;
  void (*initClass)(); // the kit's own, run when it is built unregistered

  SoType (*parentGetClassTypeId)();
  void (*parentInitClass)(); // registers the parent and what it needs
  const SoFieldData **(*parentGetFieldDataPtr)();
  const SoNodekitCatalog **(*parentGetClassNodekitCatalogPtr)();

  SoType &classTypeId;
  SoFieldData *&fieldData;
  const SoFieldData **&parentFieldData;
  int &firstInstance;
  SoNodekitCatalog *&nodekitCatalog;
  const SoNodekitCatalog **&parentNodekitCatalogPtr;
  ClassMutex &classMutex;
};

namespace ViewKit {

// Registers the class, and first its parent if that is not registered yet;
// does nothing for a class already registered.
void initClass(const ViewKitClass &kit);
void exitClass(const ViewKitClass &kit);

// Construction steps from the type check to the catalog: registers the class
// if it was not, decides whether this is the first instance and, if it is,
// creates the field table and the catalog.
// Returns with the class mutex held: the kit registers its fields and catalog
// entries and then calls endConstruction, so no other thread sees a half-built
// field table or catalog.
void beginConstruction(const ViewKitClass &kit);
void endConstruction(const ViewKitClass &kit);

// Registers one field of a new instance under the class mutex. setDefault
// gives the field its default value.
template <class Field, class SetDefault>
void registerField(const ViewKitClass &kit, SoFieldContainer *container,
                   const char *name, Field &field, SetDefault setDefault);

// Adds a non-list, public part entry whose part and default type are typeName.
// Answers false when the catalog refuses it.
bool addCatalogEntry(const ViewKitClass &kit, const char *partName,
                     const char *typeName, const char *parentName);

const SoFieldData *getFieldData(const ViewKitClass &kit);
const SoFieldData **getFieldDataPtr(const ViewKitClass &kit);

// Implementation pieces of registerField.
void lockForField(const ViewKitClass &kit);
void addFieldIfFirst(const ViewKitClass &kit, SoFieldContainer *container,
                     const char *name, SoField &field);
void finishField(const ViewKitClass &kit, SoFieldContainer *container, SoField &field);

template <class Field, class SetDefault>
void registerField(const ViewKitClass &kit, SoFieldContainer *container,
                   const char *name, Field &field, SetDefault setDefault) {
  lockForField(kit);
  addFieldIfFirst(kit, container, name, field);
  setDefault(field);
  finishField(kit, container, field);
}

} // namespace ViewKit

// Defines what PO_VIEW_KIT_HEADER declares, but for the class data, which the
// library defines in the order it must be built at load (see
// PO_VIEW_KIT_CLASS_DATA). parentTypeName is the name Coin knows the parent by
// ("BaseKit" for SoBaseKit), parentInit what registers the parent class and
// what it stands on; factory is the instance factory, or nullptr for an
// abstract kit.
#define PO_VIEW_KIT_SOURCE(Class, ParentClass, parentTypeName, parentInit, factory)                \
  const ViewKitClass &Class::kitClass() {                                                          \
    static const ViewKitClass kit{#Class,                                                          \
                                  #ParentClass,                                                    \
                                  parentTypeName,                                                  \
                                  "src/view/" #Class,                                              \
                                  factory,                                                         \
                                  &Class::initClass,                                               \
                                  &ParentClass::getClassTypeId,                                    \
                                  parentInit,                                                      \
                                  &ParentClass::getFieldDataPtr,                                   \
                                  &ParentClass::getClassNodekitCatalogPtr,                         \
                                  classTypeId,                                                     \
                                  fieldData,                                                       \
                                  parentFieldData,                                                 \
                                  firstInstance,                                                   \
                                  nodekitCatalog,                                                  \
                                  parentNodekitCatalogPtr,                                         \
                                  classMutex};                                                     \
    return kit;                                                                                    \
  }                                                                                                \
  void Class::initClass() { ViewKit::initClass(kitClass()); }                                      \
  void Class::exitClass() { ViewKit::exitClass(kitClass()); }                                      \
  SoType Class::getClassTypeId() { return classTypeId; }                                           \
  SoType Class::getTypeId() const { return classTypeId; }                                          \
  const SoFieldData *Class::getFieldData() const {                                                 \
    if (const SoFieldData *reading = fieldDataWhileReading()) return reading;                     \
    return ViewKit::getFieldData(kitClass());                                                      \
  }                                                                                                \
  const SoFieldData **Class::getFieldDataPtr() { return ViewKit::getFieldDataPtr(kitClass()); }    \
  int Class::getIsBuiltIn() const { return isBuiltIn; }                                           \
  const SoNodekitCatalog *Class::getClassNodekitCatalog() { return nodekitCatalog; }               \
  const SoNodekitCatalog *Class::getNodekitCatalog() const { return nodekitCatalog; }              \
  const SoNodekitCatalog **Class::getClassNodekitCatalogPtr() {                                    \
    return const_cast<const SoNodekitCatalog **>(&nodekitCatalog);                                 \
  }

// The class data of a view kit class as it is at load: unregistered. The
// mutex comes first, so that of classes defined one after the other in one
// file the mutexes go in the reverse order at unload.
#define PO_VIEW_KIT_CLASS_DATA(Class)                                                              \
  ClassMutex Class::classMutex;                                                                    \
  SoType Class::classTypeId;                                                                       \
  SoFieldData *Class::fieldData = nullptr;                                                         \
  const SoFieldData **Class::parentFieldData = nullptr;                                            \
  int Class::firstInstance = 1;                                                                    \
  int Class::isBuiltIn = 0;                                                                        \
  int Class::MT_Id = 0;                                                                            \
  SoNodekitCatalog *Class::nodekitCatalog = nullptr;                                               \
  const SoNodekitCatalog **Class::parentNodekitCatalogPtr = nullptr

#endif
