#ifndef BRENNICQT_TESTS_TESTCAMERAVIEWKIT_H
#define BRENNICQT_TESTS_TESTCAMERAVIEWKIT_H

#include "PoBaseView.h"

#include <Inventor/nodekits/SoSubKit.h>

// A concrete view with the "cameraKit" part, made the way an application
// would add one to its own PoBaseView subclass with Coin's macros; lets event
// routing be exercised on a kit other than the module's own.
class TestCameraViewKit : public PoBaseView {
  SO_KIT_HEADER(TestCameraViewKit);

public:
  static void initClass();
  static void exitClass();
  TestCameraViewKit();

  const SoSFNode &cameraKitField() const { return cameraKit; }

protected:
  ~TestCameraViewKit() override;
};

#endif
