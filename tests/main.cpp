#include "PoBaseView.h"

#include <Inventor/Qt/SoQt.h>
#include <gtest/gtest.h>

// Every test runs with Coin, the Qt binding and the module initialised, as an
// application would have them; tests that need another state make it and
// restore this one.
int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  SoQt::init(argc, argv, "brennicqt_tests");
  PoBaseView::initClasses();
  return RUN_ALL_TESTS();
}
