#ifndef BRENNICQT_VIEWKITCLASS_H
#define BRENNICQT_VIEWKITCLASS_H

#include <Inventor/SoType.h>

class ClassMutex;
class SoBase;
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
void beginConstruction(const ViewKitClass &kit, SoBase *object);
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

#endif
