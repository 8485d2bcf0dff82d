// Reading files that break off or go wrong inside a view must fail cleanly:
// nothing half-built comes back and nothing crashes.
#include "DebugCapture.h"
#include "PoView.h"
#include "SceneFiles.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <string>

namespace {

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

namespace {

// The first view below root, or null.
PoView *firstView(SoNode *root) {
  SoSearchAction search;
  search.setType(PoView::getClassTypeId());
  search.apply(root);
  return search.getPath() ? static_cast<PoView *>(search.getPath()->getTail()) : nullptr;
}

bool refused(const DebugCapture &capture, const std::string &method, const std::string &name) {
  for (const auto &report : capture.ours())
    if (report.first == method && report.second.find("\"" + name + "\"") != std::string::npos)
      return true;
  return false;
}


// Reads a file whose one view names a part no kit can follow, expects the
// view to refuse that name, and answers the graph read (referenced) or null.
SoSeparator *readRefusingPart(const char *body, const char *partName) {
  DebugCapture capture;
  ReadErrorCapture errors;
  SoSeparator *root = readText(std::string("#Inventor V2.1 ascii\n") + body);
  EXPECT_TRUE(refused(capture, "PoBaseView::setAnyPart", partName));
  if (root) root->ref();
  return root;
}
} // namespace

// Coin's kit reader follows an indexed part name as if the part were a list,
// and a dotted one as if the part were a kit, and crashed on such names in a
// view ("camera[" is how the reader takes "camera[" glued to its bracket).
// A view refuses them, and the read fails with a read error.
TEST(ReadMalformed, PartNamesNoKitCanFollowAreRefused) {
  const char *const cases[][2] = {
      {"PoView{ camera[ PerspectiveCamera{}}", "camera["},
      {"PoView { camera[0] PerspectiveCamera {} }", "camera[0]"},
      {"PoView { cameraKit[0] CameraKit {} }", "cameraKit[0]"},
      {"PoView { cameraKit.camera[0] PerspectiveCamera {} }", "cameraKit.camera[0]"},
      {"PoView { cameraKit.camera.x PerspectiveCamera {} }", "cameraKit.camera.x"},
      {"PoView { catchActionCallback.x Callback {} }", "catchActionCallback.x"},
      {"PoView { this.cameraKit CameraKit {} }", "this.cameraKit"},
      {"PoView { this[0] Group {} }", "this[0]"},
      {"PoView { this PoView {} }", "this"},
      {"PoView { camera.x PerspectiveCamera {} }", "camera.x"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c[0]);
    SoSeparator *root = readRefusingPart(c[0], c[1]);
    if (!root) continue;
    // Nothing of the refused node reached the view.
    PoView *view = firstView(root);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->getPart("cameraKit", FALSE), nullptr);
    root->unref();
  }
}

TEST(ReadMalformed, SceneViewsRefuseThemToo) {
  const char *const cases[][2] = {
      {"PoSceneView { scene[0] Group {} }", "scene[0]"},
      {"PoSceneView { topSep.x Group {} }", "topSep.x"},
      {"PoSceneView { backgroundApp.material[0] Material {} }", "backgroundApp.material[0]"},
      {"PoSceneView { material.x Material {} }", "material.x"},
      {"PoSceneView { this PoSceneView {} }", "this"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c[0]);
    if (SoSeparator *root = readRefusingPart(c[0], c[1])) root->unref();
  }
}

TEST(ReadMalformed, PartNamesThatResolveStillSetTheirPart) {
  const char *const inputs[] = {
      "PoView { cameraKit.camera OrthographicCamera {} }",
      "PoView { camera OrthographicCamera {} }", // found in the camera kit's catalog
  };
  for (const char *text : inputs) {
    SCOPED_TRACE(text);
    DebugCapture capture;
    SoSeparator *root = readText(std::string("#Inventor V2.1 ascii\n") + text);
    ASSERT_NE(root, nullptr);
    root->ref();
    PoView *view = firstView(root);
    ASSERT_NE(view, nullptr);
    SoNode *camera = view->getPart("cameraKit.camera", FALSE);
    ASSERT_NE(camera, nullptr);
    EXPECT_TRUE(camera->isOfType(SoOrthographicCamera::getClassTypeId()));
    EXPECT_TRUE(capture.ours().empty());
    root->unref();
  }
}

// The same check guards the application's own part calls.
TEST(ReadMalformed, PartCallsWithUnfollowableNamesAreRefused) {
  PoView *view = new PoView;
  view->ref();
  DebugCapture capture;
  SoPerspectiveCamera *camera = new SoPerspectiveCamera;
  camera->ref();
  EXPECT_FALSE(view->setPart("cameraKit[0]", camera));
  EXPECT_TRUE(refused(capture, "PoBaseView::setAnyPart", "cameraKit[0]"));
  EXPECT_EQ(view->getPart("cameraKit.camera.position", TRUE), nullptr);
  EXPECT_TRUE(refused(capture, "PoBaseView::getAnyPart", "cameraKit.camera.position"));
  EXPECT_EQ(view->createPathToPart("catchActionCallback[1]", TRUE), nullptr);
  EXPECT_TRUE(refused(capture, "PoBaseView::createPathToAnyPart", "catchActionCallback[1]"));
  // None of the refused calls made a part on the way.
  EXPECT_EQ(view->getPart("cameraKit", FALSE), nullptr);

  capture.clear();
  EXPECT_TRUE(view->setPart("cameraKit.camera", camera));
  EXPECT_EQ(view->getPart("cameraKit.camera", FALSE), camera);
  EXPECT_TRUE(capture.ours().empty());
  camera->unref();
  view->unref();
}
