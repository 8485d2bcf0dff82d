// Reading files that break off or go wrong inside a view must fail cleanly:
// nothing half-built comes back and nothing crashes.
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// Counts read errors while it lives, then gives the previous handler back
// (Coin calls the handler unchecked, so a null one crashes the next report).
struct ReadErrorCapture {
  ReadErrorCapture()
      : previous(SoReadError::getHandlerCallback()), previousData(SoReadError::getHandlerData()) {
    SoReadError::setHandlerCallback(&count, this);
  }
  ~ReadErrorCapture() { SoReadError::setHandlerCallback(previous, previousData); }
  static void count(const SoError *, void *data) { ++static_cast<ReadErrorCapture *>(data)->reports; }
  SoErrorCB *previous;
  void *previousData;
  int reports = 0;
};

SoSeparator *readText(const std::string &text) {
  SoInput input;
  input.setBuffer(text.data(), text.size());
  return SoDB::readAll(&input);
}

} // namespace

TEST(ReadMalformed, TruncatedOrBrokenViewsYieldNothing) {
  const char *const inputs[] = {
      "#Inventor V2.1 ascii\nPoView { cameraKit CameraKit {}",
      "#Inventor V2.1 ascii\nPoView { cameraKit CameraKit { camera PerspectiveCamera {",
      "#Inventor V2.1 ascii\nPoView { viewportOrigin 0 }",
      "#Inventor V2.1 ascii\nPoView { catchActionCallback Callback {} cameraKit CameraKit {",
  };
  for (const char *text : inputs) {
    SCOPED_TRACE(text);
    ReadErrorCapture errors;
    SoSeparator *root = readText(text);
    EXPECT_EQ(root, nullptr);
    if (root) {
      root->ref();
      root->unref();
    }
  }
}
