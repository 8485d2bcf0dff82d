#include "TestCameraViewKit.h"

#include <Inventor/nodekits/SoCameraKit.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>

SO_KIT_SOURCE(TestCameraViewKit);

void TestCameraViewKit::initClass() {
  SO_KIT_INIT_CLASS(TestCameraViewKit, PoBaseView, "PoBaseView");
}

void TestCameraViewKit::exitClass() {
  SoType::removeType(classTypeId.getName());
  classTypeId = SoType::badType();
  delete fieldData;
  fieldData = nullptr;
  parentFieldData = nullptr;
  delete classcatalog;
  classcatalog = nullptr;
  // Coin counts instances to find the first one, which fills the field
  // table and catalog made anew above.
  classinstances = 0;
}

TestCameraViewKit::TestCameraViewKit() {
  SO_KIT_CONSTRUCTOR(TestCameraViewKit);
  // Coin's catalog refuses a second entry of the same name, so only the
  // first instance adds it.
  if (SO_KIT_IS_FIRST_INSTANCE())
    classcatalog->addEntry("cameraKit", SoCameraKit::getClassTypeId(),
                           SoCameraKit::getClassTypeId(), TRUE, "this", "", FALSE,
                           SoType::badType(), SoType::badType(), TRUE);
  SO_NODE_ADD_FIELD(cameraKit, (nullptr));
  SO_KIT_INIT_INSTANCE();
}

TestCameraViewKit::~TestCameraViewKit() {}
