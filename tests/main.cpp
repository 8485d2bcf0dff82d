#include "PoBaseView.h"

#include <Inventor/Qt/SoQt.h>
#include <gtest/gtest.h>

#include <cstdlib>

// Every test runs with Coin, the Qt binding and the module initialised, as an
// application would have them; tests that need another state make it and
// restore this one.
int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The tests take classes out of Coin's type system and check they are
  // gone; Coin must not load them again on its own from the library's links
  // beside the test (tests/coin_loading checks that loading).
  setenv("COIN_NO_SOTYPE_DYNLOAD", "1", 1);
  SoQt::init(argc, argv, "brennicqt_tests");
  PoBaseView::initClasses();
  return RUN_ALL_TESTS();
}
