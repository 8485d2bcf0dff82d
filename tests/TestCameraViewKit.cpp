#include "TestCameraViewKit.h"
#include "TestViewKit.h"

#include <Inventor/nodekits/SoCameraKit.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>

SO_KIT_SOURCE(TestCameraViewKit);

void TestCameraViewKit::initClass() {
  SO_KIT_INIT_CLASS(TestCameraViewKit, PoBaseView, "PoBaseView");
}

void TestCameraViewKit::exitClass() {
  releaseTestKitClass(classTypeId, fieldData, parentFieldData, classcatalog, classinstances);
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
