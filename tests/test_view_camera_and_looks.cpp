// A view's camera of a chosen type, and a scene view's looks read back as
// they are drawn.
#include "DebugCapture.h"
#include "GLTestContext.h"
#include "PoSceneView.h"
#include "SceneFiles.h"

#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// The scene view of a file holding one, referenced by the file's root.
PoSceneView *readView(const std::string &fields, SoSeparator *&root) {
  root = readScene("#Inventor V2.1 ascii\nPoSceneView { " + fields + " }\n");
  if (!root) return nullptr;
  root->ref();
  return static_cast<PoSceneView *>(root->getChild(0));
}

} // namespace

TEST(ViewCamera, GetsOrMakesACameraOfTheTypeAskedFor) {
  const SoType perspective = SoPerspectiveCamera::getClassTypeId();
  const SoType orthographic = SoOrthographicCamera::getClassTypeId();
  const std::string common = " position 1 2 3 orientation 0 1 0 0.5 nearDistance 2 farDistance 30"
                             " aspectRatio 1.5 viewportMapping LEAVE_ALONE";
  const std::string lens = "DEF Eye PerspectiveCamera { focalDistance 10 heightAngle 0.5" + common + " }";
  const std::string plan = "DEF Eye OrthographicCamera { focalDistance 8 height 4" + common + " }";
  enum Outcome { Same, Made, Refused };
  const struct {
    std::string existing;
    SoType asked;
    Outcome outcome;
  } cases[] = {{"", orthographic, Made},          {lens, orthographic, Made},
               {plan, perspective, Made},         {plan, orthographic, Same},
               {lens, SoCamera::getClassTypeId(), Same}, {lens, SoCube::getClassTypeId(), Refused},
               {lens, SoType::badType(), Refused}, {"", SoCamera::getClassTypeId(), Refused}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.existing + " asked " + c.asked.getName().getString());
    SoSeparator *root = nullptr;
    PoSceneView *view = readView(
        c.existing.empty() ? "" : "cameraKit CameraKit { camera " + c.existing + " }", root);
    ASSERT_NE(view, nullptr);
    auto *before = static_cast<SoCamera *>(view->getPart("cameraKit.camera", FALSE));
    if (before) root->addChild(before); // kept to compare with once replaced
    DebugCapture reports;
    SoCamera *camera = view->getCamera(c.asked);
    EXPECT_EQ(reports.ours().size(), c.outcome == Refused ? 1u : 0u);
    if (c.outcome == Made) {
      ASSERT_NE(camera, nullptr);
      EXPECT_EQ(camera->getTypeId(), c.asked);
    } else {
      EXPECT_EQ(camera, c.outcome == Same ? before : nullptr);
    }
    EXPECT_EQ(view->getPart("cameraKit.camera", FALSE), c.outcome == Refused ? before : camera);
    if (c.outcome != Made || !before) {
      root->unref();
      continue;
    }
    // The new camera looks from the same place, the same way, at the same
    // extent at its focal distance.
    EXPECT_EQ(camera->getName(), SbName("Eye"));
    for (const char *name : {"position", "orientation", "nearDistance", "farDistance",
                             "aspectRatio", "viewportMapping", "focalDistance"})
      EXPECT_TRUE(camera->getField(name)->isSame(*before->getField(name))) << name;
    if (c.asked == orthographic)
      EXPECT_NEAR(static_cast<SoOrthographicCamera *>(camera)->height.getValue(),
                  20.0f * std::tan(0.25f), 1e-5f);
    else
      EXPECT_NEAR(static_cast<SoPerspectiveCamera *>(camera)->heightAngle.getValue(),
                  2.0f * std::atan(0.25f), 1e-6f);
    root->unref();
  }
}

TEST(SceneViewLooks, GettersAnswerWhatIsDrawnAndMakeNothing) {
  const SbColor grey(0.8f, 0.8f, 0.8f);
  const struct {
    const char *fields;
    SbColor background, border;
    float width;
  } cases[] = {
      {"", grey, grey, 1.0f}, // never styled
      {"backgroundApp AppearanceKit { lightModel LightModel { model BASE_COLOR }"
       " material Material { diffuseColor 0 0 1 } } borderApp AppearanceKit {"
       " material Material { diffuseColor 1 0 0 } drawStyle DrawStyle { lineWidth 2.5 } }",
       SbColor(0, 0, 1), SbColor(1, 0, 0), 2.5f},
      // An ignored colour and a width of 0 draw as Coin's defaults.
      {"borderApp AppearanceKit { material Material { diffuseColor 1 0 0 ~ }"
       " drawStyle DrawStyle { lineWidth 0 } }",
       grey, grey, 1.0f},
  };
  GLTestContext gl(64, 64);
  ASSERT_TRUE(gl.isValid());
  for (const auto &c : cases) {
    SCOPED_TRACE(c.fields);
    SoSeparator *root = nullptr;
    PoSceneView *view = readView(std::string(c.fields) + " isBackgroundVisible TRUE", root);
    ASSERT_NE(view, nullptr);
    const std::string before = writeScene(root);
    const SoNode *borderApp = view->getPart("borderApp", FALSE);
    EXPECT_EQ(view->getBackgroundColor(), c.background);
    EXPECT_EQ(view->getBorderColor(), c.border);
    EXPECT_EQ(view->getBorderWidth(), c.width);
    EXPECT_EQ(writeScene(root), before);
    EXPECT_EQ(view->getPart("borderApp", FALSE), borderApp);
    // The background fills the view in the colour the getter answers.
    gl.render(root);
    EXPECT_TRUE(gl.pixel(32, 32).equals(c.background, 1.0f / 255.0f));
    root->unref();
  }
}
