#include "ViewKitClass.h"

#include "CameraViewVolume.h"
#include "ClassMutex.h"
#include "DebugReport.h"
#include "ToolkitLayer.h"

#include <Inventor/SbName.h>
#include <Inventor/SbString.h>
#include <Inventor/fields/SoField.h>
#include <Inventor/fields/SoFieldData.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoNode.h>

namespace {

const char *const kNotConstructed =
    "Instance not properly constructed.\nDid you forget to put SO_NODE_CONSTRUCTOR() in the constructor?";

// SoNode keeps the action-method index counter protected.
struct ActionMethodIndex : SoNode {
  static int next() { return getNextActionMethodIndex(); }
  static void advance() { incNextActionMethodIndex(); }
};

void createFieldData(const ViewKitClass &kit) {
  kit.fieldData = new SoFieldData(kit.parentFieldData ? *kit.parentFieldData : nullptr);
}

} // namespace

namespace ViewKit {

void initClass(const ViewKitClass &kit) {
  ToolkitLayer::init();
  CameraViewVolume::init();
  kit.classMutex.lock();
  // Registered once, by whichever comes first: initClasses, a constructor, or
  // Coin loading the class on demand for a scene file that names it.
  if (!kit.classTypeId.isBad()) {
    kit.classMutex.unlock();
    return;
  }
  // Coin's on-demand loading calls this class's initClass alone, so the
  // parent is registered here as a matter of course, without a report.
  if (kit.parentGetClassTypeId().isBad()) kit.parentInitClass();
  kit.classTypeId = SoType::createType(SoType::fromName(kit.parentTypeName),
                                       SbName(kit.className), kit.factory,
                                       static_cast<uint16_t>(ActionMethodIndex::next()));
  if (kit.parentFieldData == nullptr) ActionMethodIndex::advance();
  kit.parentFieldData = kit.parentGetFieldDataPtr();
  kit.classMutex.unlock();
  kit.parentNodekitCatalogPtr = kit.parentGetClassNodekitCatalogPtr();
}

void exitClass(const ViewKitClass &kit) {
  SbName name = kit.classTypeId.getName();
  if (!ToolkitLayer::removeType(name)) {
    SbString method = SbString(kit.className) + "::exitClass";
    SbString message;
    message.sprintf("Unable to remove type (%s) for this class. Check exitClass() method "
                    "is implemented and is called only once.\n",
                    name.getString());
    postReport(method.getString(), message.getString());
  } else {
    kit.classTypeId = SoType::badType();
    delete kit.fieldData;
    kit.fieldData = nullptr;
    kit.parentFieldData = nullptr;
    kit.firstInstance = 1;
  }
  delete kit.nodekitCatalog;
  kit.nodekitCatalog = nullptr;
}

void beginConstruction(const ViewKitClass &kit) {
  kit.classMutex.lock();
  if (kit.classTypeId.isBad()) {
    SbString message = SbString("Can't construct a node of type ") + kit.className +
                       " until initClass() has been called";
    postReport("SO_NODE_CONSTRUCTOR", message.getString());
    kit.initClass(); // locks the class mutex again: it is recursive
  }
  if (kit.fieldData)
    kit.firstInstance = 0;
  else
    createFieldData(kit);

  // The mutex stays held until endConstruction. Letting go here, as the
  // registration steps would have it, lets a second thread find the field
  // table, take itself for a later instance and build its parts list from a
  // catalog the first thread has not finished (or not even made).
  if (kit.firstInstance) {
    if (kit.parentNodekitCatalogPtr)
      kit.nodekitCatalog = (*kit.parentNodekitCatalogPtr)->clone(SoType::fromName(kit.className));
    else
      kit.nodekitCatalog = new SoNodekitCatalog;
  }
}

void endConstruction(const ViewKitClass &kit) { kit.classMutex.unlock(); }

void lockForField(const ViewKitClass &kit) {
  kit.classMutex.lock();
  if (!kit.fieldData) {
    postReport(kit.sourcePath, kNotConstructed);
    createFieldData(kit);
  }
}

void addFieldIfFirst(const ViewKitClass &kit, SoFieldContainer *container,
                     const char *name, SoField &field) {
  if (kit.firstInstance) kit.fieldData->addField(container, name, &field);
}

void finishField(const ViewKitClass &kit, SoFieldContainer *container, SoField &field) {
  field.setContainer(container);
  ToolkitLayer::setFieldType(field, ToolkitLayer::kViewFieldType);
  kit.classMutex.unlock();
}

bool addCatalogEntry(const ViewKitClass &kit, const char *partName,
                     const char *typeName, const char *parentName) {
  SoType type = SoType::fromName(typeName);
  return kit.nodekitCatalog->addEntry(partName, type, type, TRUE, parentName, "", FALSE,
                                      SoType::badType(), SoType::badType(), TRUE);
}

const SoFieldData *getFieldData(const ViewKitClass &kit) {
  ClassMutexLock lock(kit.classMutex);
  if (!kit.fieldData) {
    postReport(kit.className, kNotConstructed);
    createFieldData(kit);
  }
  return kit.fieldData;
}

const SoFieldData **getFieldDataPtr(const ViewKitClass &kit) {
  kit.classMutex.lock();
  kit.classMutex.unlock();
  return const_cast<const SoFieldData **>(&kit.fieldData);
}

} // namespace ViewKit
