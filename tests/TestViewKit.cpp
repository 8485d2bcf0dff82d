#include "TestViewKit.h"

#include "DebugCapture.h"

#include <Inventor/nodekits/SoSubKit.h>

SO_KIT_SOURCE(TestViewKit);

void TestViewKit::initClass() { SO_KIT_INIT_CLASS(TestViewKit, PoBaseView, "PoBaseView"); }

void TestViewKit::exitClass() {
  releaseTestKitClass(classTypeId, fieldData, parentFieldData, classcatalog, classinstances);
}

TestViewKit::TestViewKit() {
  SO_KIT_CONSTRUCTOR(TestViewKit);
  SO_KIT_INIT_INSTANCE();
}

TestViewKit::~TestViewKit() {}

void ModuleClassesTest::TearDown() {
  DebugCapture quiet; // classes the test left unregistered report here
  PoBaseView::exitClasses();
  PoBaseView::initClasses();
}
