#include <Inventor/SoDB.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <gtest/gtest.h>

// The tool runs in its own processes; this one only needs Coin to read back
// what the tool wrote.
int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  SoDB::init();
  SoNodeKit::init();
  return RUN_ALL_TESTS();
}
