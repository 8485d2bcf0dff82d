// A view's camera of a chosen type, and the looks of a scene view's
// decorations read back as they are drawn.
#include "DebugCapture.h"
#include "GLTestContext.h"
#include "SceneFiles.h"
#include "SceneViewTestAccess.h"

#include <Inventor/SoPath.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

PoSceneView *firstView(SoNode *root) {
  SoSearchAction search;
  search.setType(PoSceneView::getClassTypeId());
  search.apply(root);
  return search.getPath() ? static_cast<PoSceneView *>(search.getPath()->getTail()) : nullptr;
}

void expectColour(const SbColor &seen, const SbColor &expected, float tolerance = 1e-6f) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(seen[i], expected[i], tolerance) << "component " << i;
}

} // namespace

TEST(ViewCamera, GetsOrMakesACameraOfTheTypeAskedFor) {
  const SoType perspective = SoPerspectiveCamera::getClassTypeId();
  const SoType orthographic = SoOrthographicCamera::getClassTypeId();
  enum class Outcome { Same, Made, Refused };
  struct Case {
    const char *name;
    const char *existing; // the camera in the view's file, or none
    SoType asked;
    Outcome outcome;
  };
  const char *const perspectiveCamera =
      "DEF Eye PerspectiveCamera { position 1 2 3 orientation 0 1 0 0.5 nearDistance 2"
      " farDistance 30 focalDistance 10 heightAngle 0.5 aspectRatio 1.5"
      " viewportMapping LEAVE_ALONE }";
  const char *const orthographicCamera =
      "DEF Eye OrthographicCamera { position 1 2 3 orientation 0 1 0 0.5 nearDistance 2"
      " farDistance 30 focalDistance 8 height 4 aspectRatio 1.5 viewportMapping LEAVE_ALONE }";
  const Case cases[] = {
      {"none, orthographic asked", nullptr, orthographic, Outcome::Made},
      {"none, perspective asked", nullptr, perspective, Outcome::Made},
      {"perspective to orthographic", perspectiveCamera, orthographic, Outcome::Made},
      {"orthographic to perspective", orthographicCamera, perspective, Outcome::Made},
      {"orthographic kept", orthographicCamera, orthographic, Outcome::Same},
      {"any camera keeps the one there", perspectiveCamera, SoCamera::getClassTypeId(),
       Outcome::Same},
      {"no camera type", perspectiveCamera, SoCube::getClassTypeId(), Outcome::Refused},
      {"bad type", perspectiveCamera, SoType::badType(), Outcome::Refused},
      {"abstract type, no camera", nullptr, SoCamera::getClassTypeId(), Outcome::Refused},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::string file = "#Inventor V2.1 ascii\nPoSceneView { ";
    if (c.existing) file += std::string("cameraKit CameraKit { camera ") + c.existing + " } ";
    SoSeparator *root = readScene(file + "}\n");
    ASSERT_NE(root, nullptr);
    root->ref();
    PoSceneView *view = firstView(root);
    ASSERT_NE(view, nullptr);
    SoCamera *before = static_cast<SoCamera *>(view->getPart("cameraKit.camera", FALSE));

    DebugCapture reports;
    SoCamera *camera = view->getCamera(c.asked);
    SoNode *held = view->getPart("cameraKit.camera", FALSE);
    switch (c.outcome) {
    case Outcome::Same:
      EXPECT_EQ(camera, before);
      break;
    case Outcome::Refused:
      EXPECT_EQ(camera, nullptr);
      EXPECT_EQ(held, before);
      EXPECT_EQ(reports.ours().size(), 1u);
      break;
    case Outcome::Made:
      ASSERT_NE(camera, nullptr);
      EXPECT_EQ(camera->getTypeId(), c.asked);
      EXPECT_EQ(held, camera);
      EXPECT_EQ(view->getCamera(), camera);
      EXPECT_TRUE(reports.ours().empty());
      if (!before) break;
      // The new camera looks from the same place, the same way, at the same
      // extent at its focal distance.
      EXPECT_EQ(camera->getName(), SbName("Eye"));
      EXPECT_EQ(camera->position.getValue(), SbVec3f(1, 2, 3));
      EXPECT_TRUE(camera->orientation.getValue().equals(SbRotation(SbVec3f(0, 1, 0), 0.5f), 1e-6f));
      EXPECT_EQ(camera->nearDistance.getValue(), 2.0f);
      EXPECT_EQ(camera->farDistance.getValue(), 30.0f);
      EXPECT_EQ(camera->aspectRatio.getValue(), 1.5f);
      EXPECT_EQ(camera->viewportMapping.getValue(), int(SoCamera::LEAVE_ALONE));
      EXPECT_EQ(camera->focalDistance.getValue(), before->focalDistance.getValue());
      if (c.asked == orthographic)
        EXPECT_NEAR(static_cast<SoOrthographicCamera *>(camera)->height.getValue(),
                    2.0f * 10.0f * std::tan(0.25f), 1e-5f);
      else
        EXPECT_NEAR(static_cast<SoPerspectiveCamera *>(camera)->heightAngle.getValue(),
                    2.0f * std::atan(4.0f / 16.0f), 1e-6f);
      break;
    }
    root->unref();
  }
}

TEST(SceneViewLooks, GettersAnswerWhatIsDrawnAndMakeNothing) {
  struct Case {
    const char *name;
    const char *fields; // inside the view in its file
    std::function<void(PoSceneView *)> style;
    SbColor background, border;
    float width;
  };
  const SbColor grey(0.8f, 0.8f, 0.8f);
  const Case cases[] = {
      {"never styled", "", nullptr, grey, grey, 1.0f},
      {"styled by the setters", "",
       [](PoSceneView *view) {
         view->setBackgroundColor(SbColor(0.1f, 0.2f, 0.3f));
         view->setBorderColor(SbColor(1, 0.5f, 0));
         view->setBorderWidth(4);
       },
       SbColor(0.1f, 0.2f, 0.3f), SbColor(1, 0.5f, 0), 4.0f},
      {"styled in the file",
       "backgroundApp AppearanceKit { lightModel LightModel { model BASE_COLOR }"
       " material Material { diffuseColor 0 0 1 } }"
       " borderApp AppearanceKit { material Material { diffuseColor 1 0 0 }"
       " drawStyle DrawStyle { lineWidth 2.5 } }",
       nullptr, SbColor(0, 0, 1), SbColor(1, 0, 0), 2.5f},
      {"an ignored colour and a width of 0 draw as the defaults",
       "borderApp AppearanceKit { material Material { diffuseColor 1 0 0 ~ }"
       " drawStyle DrawStyle { lineWidth 0 } }",
       nullptr, grey, grey, 1.0f},
  };
  const short side = 64;
  GLTestContext gl(side, side);
  ASSERT_TRUE(gl.isValid());
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SoSeparator *root = readScene(std::string("#Inventor V2.1 ascii\nPoSceneView { ") + c.fields +
                                  " isBackgroundVisible TRUE }\n");
    ASSERT_NE(root, nullptr);
    root->ref();
    PoSceneView *view = firstView(root);
    ASSERT_NE(view, nullptr);
    if (c.style) c.style(view);
    const std::string before = writeScene(root);
    const SoNode *borderApp = view->getPart("borderApp", FALSE);

    expectColour(view->getBackgroundColor(), c.background);
    expectColour(view->getBorderColor(), c.border);
    EXPECT_EQ(view->getBorderWidth(), c.width);
    EXPECT_EQ(writeScene(root), before);
    EXPECT_EQ(view->getPart("borderApp", FALSE), borderApp);

    // The background fills the view in the colour the getter answers.
    gl.render(root);
    expectColour(gl.pixel(side / 2, side / 2), c.background, 1.0f / 255.0f);
    root->unref();
  }
}
