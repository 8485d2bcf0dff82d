#include "TestViewKit.h"

#include "DebugCapture.h"

#include <Inventor/nodekits/SoSubKit.h>

SO_KIT_SOURCE(TestViewKit);

void TestViewKit::initClass() { SO_KIT_INIT_CLASS(TestViewKit, PoBaseView, "PoBaseView"); }

void TestViewKit::exitClass() {
  SoType::removeType(classTypeId.getName());
  classTypeId = SoType::badType();
  delete fieldData;
  fieldData = nullptr;
  parentFieldData = nullptr;
  delete classcatalog;
  classcatalog = nullptr;
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
