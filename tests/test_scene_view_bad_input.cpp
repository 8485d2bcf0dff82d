#include "DebugCapture.h"
#include "GLTestContext.h"
#include "SceneFiles.h"
#include "SceneViewTestAccess.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/fields/SoFieldData.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool sameBits(const SbVec2f &a, const SbVec2f &b) {
  return std::memcmp(a.getValue(), b.getValue(), 2 * sizeof(float)) == 0;
}

// Runs what an application runs over a view: bounds, callbacks, a pick, a
// matrix query and a GL render.
void traverse(SoNode *root, GLTestContext &gl) {
  const SbViewportRegion &region = gl.viewport();
  const SbVec2s size = region.getWindowSize();
  SoGetBoundingBoxAction bounds(region);
  bounds.apply(root);
  SoCallbackAction callback(region);
  callback.apply(root);
  SoRayPickAction pick(region);
  pick.setPoint(SbVec2s(short(size[0] / 2), short(size[1] / 2)));
  pick.apply(root);
  SoGetMatrixAction matrix(region);
  matrix.apply(root);
  gl.render(root);
}

// The kit still answers its switches and holds its own parts.
void expectSound(PoSceneView *view) {
  view->isBorderVisible = FALSE;
  EXPECT_EQ(part(view, "border"), nullptr);
  view->isBorderVisible = TRUE;
  ASSERT_NE(part(view, "border"), nullptr);
  EXPECT_EQ(part(view, "border")->getChildren()->getLength(), 4);
  view->isBackgroundVisible = TRUE;
  ASSERT_NE(part(view, "background"), nullptr);
  EXPECT_NE(part(view, "catchActionCallback"), nullptr);
  EXPECT_EQ(view->getFieldData(), PoSceneViewTestAccess::fieldData());
}

} // namespace

TEST(SceneViewBadInput, NeitherCrashesNorCorruptsTheKit) {
  GLTestContext gl(64, 48);
  ASSERT_TRUE(gl.isValid());
  const SbVec2s centre(32, 24);
  DebugCapture quiet;

  {
    SCOPED_TRACE("viewport fields negative, zero, huge and NaN");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = std::numeric_limits<float>::max();
    const SbVec2f values[][2] = {{SbVec2f(-0.5f, -0.25f), SbVec2f(-1.0f, -2.0f)},
                                 {SbVec2f(0, 0), SbVec2f(0, 0)},
                                 {SbVec2f(0.5f, 0.5f), SbVec2f(0, 1)},
                                 {SbVec2f(huge, -huge), SbVec2f(huge, huge)},
                                 {SbVec2f(1e30f, 0), SbVec2f(1e-30f, 1e30f)},
                                 {SbVec2f(nan, nan), SbVec2f(nan, nan)},
                                 {SbVec2f(0.25f, 0.25f), SbVec2f(nan, 0.5f)}};
    for (const auto &value : values) {
      SoSeparator *root = new SoSeparator;
      root->ref();
      PoSceneView *view = new PoSceneView;
      root->addChild(view);
      view->isBackgroundVisible = TRUE;
      view->isBorderVisible = TRUE;
      static_cast<SoGroup *>(view->getPart("scene", TRUE))->addChild(new SoCube);
      view->viewportOrigin.setValue(value[0]);
      view->viewportSize.setValue(value[1]);
      traverse(root, gl);
      traverse(root, gl);
      // Taken as given, never clamped, and the kit works on.
      EXPECT_TRUE(sameBits(view->viewportOrigin.getValue(), value[0]));
      EXPECT_TRUE(sameBits(view->viewportSize.getValue(), value[1]));
      EXPECT_TRUE(sameBits(view->getViewportSize(), value[1]));
      expectSound(view);
      // A finite rectangle survives a file.
      if (!std::isnan(value[0][0]) && !std::isnan(value[1][0])) {
        SoSeparator *again = readScene(writeScene(root));
        ASSERT_NE(again, nullptr);
        again->ref();
        PoSceneView *read = onlyView(again);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->viewportOrigin.getValue(), value[0]);
        EXPECT_EQ(read->viewportSize.getValue(), value[1]);
        again->unref();
      }
      root->unref();
    }
  }

  {
    SCOPED_TRACE("no scene and no camera");
    SceneViewRef view;
    view->isBackgroundVisible = TRUE;
    view->isBorderVisible = TRUE;
    view->set("backgroundApp.material", "diffuseColor 1 0 0");
    traverse(view.get(), gl);
    EXPECT_EQ(part(view.get(), "scene"), nullptr);
    EXPECT_EQ(part(view.get(), "cameraKit"), nullptr);
    // The decorations bring their own cameras: the background still shows.
    EXPECT_EQ(gl.pixel(centre[0], centre[1]), SbColor(1, 0, 0));
    SoRayPickAction pick(gl.viewport());
    pick.setPoint(centre);
    pick.apply(view.get());
    EXPECT_EQ(pick.getPickedPoint(), nullptr);
    SoSeparator *again = readScene(writeScene(view.get()));
    ASSERT_NE(again, nullptr);
    again->ref();
    ASSERT_NE(onlyView(again), nullptr);
    expectSound(onlyView(again));
    again->unref();
    expectSound(view.get());
  }

  {
    SCOPED_TRACE("unknown extra fields");
    const int classFields = PoSceneViewTestAccess::fieldData()->getNumFields();
    const char *const texts[] = {
        // Declared in the field header, as files of extension kits do.
        "#Inventor V2.1 ascii\n"
        "PoSceneView { fields [ SFFloat extra, SFNode stray, SFBool isBorderVisible ]\n"
        "  extra 3 stray Cube {} isBorderVisible TRUE }\n",
        // Twice in one graph, the second kit nested in the first's scene.
        "#Inventor V2.1 ascii\n"
        "PoSceneView { fields [ SFFloat extra ] extra 1 isBorderVisible TRUE\n"
        "  scene Group { PoSceneView { fields [ SFVec3f extra ] extra 1 2 3 } } }\n"};
    for (const char *text : texts) {
      SoSeparator *root = readScene(text);
      ASSERT_NE(root, nullptr) << text;
      root->ref();
      PoSceneView *read = onlyView(root);
      ASSERT_NE(read, nullptr);
      // The class's field table is what it was; the kit has no such field.
      EXPECT_EQ(PoSceneViewTestAccess::fieldData()->getNumFields(), classFields);
      EXPECT_EQ(read->getFieldData()->getNumFields(), classFields);
      EXPECT_EQ(read->getField("extra"), nullptr);
      EXPECT_EQ(read->getField("stray"), nullptr);
      EXPECT_TRUE(read->isBorderVisible.getValue());
      const std::string written = writeScene(read);
      EXPECT_EQ(written.find("extra"), std::string::npos) << written;
      EXPECT_EQ(written.find("stray"), std::string::npos) << written;
      expectSound(read);
      root->unref();
      SceneViewRef later;
      EXPECT_EQ(later->getField("extra"), nullptr);
      EXPECT_EQ(later->getFieldData()->getNumFields(), classFields);
    }
  }

  {
    SCOPED_TRACE("malformed files");
    const char *const bodies[] = {
        "isBorderVisible MAYBE }",
        "viewportSize 1 }",
        "fields [ SFNope x ] }",
        "fields [ SFFloat extra ] extra oops }",
        "scene 3 }",
        "bogus 3 }",
        "bogus Cube {} isBorderVisible TRUE }",
        "isBackgroundVisible TRUE scene Group { Cube { width } } }",
        // Decoration parts read before the error, with the switches on.
        "isBorderVisible TRUE isBackgroundVisible TRUE border Group {} bogus 3 }",
        "isBorderVisible TRUE borderSep Annotation { } background Group {} bogus 3 }"};
    for (const char *body : bodies) {
      const std::string text =
          std::string("#Inventor V2.1 ascii\nDEF HalfBuilt PoSceneView { ") + body + "\n";
      ReadErrorCapture errors;
      SoSeparator *root = readScene(text);
      EXPECT_EQ(root, nullptr) << text;
      EXPECT_FALSE(errors.errors().empty()) << text;
      // Whatever was begun for the kit is gone again.
      EXPECT_EQ(SoNode::getByName("HalfBuilt"), nullptr) << text;
      if (root) {
        root->ref();
        root->unref();
      }
    }
    // A file that ends inside the kit: nothing of the kit is left either.
    {
      ReadErrorCapture errors;
      SoSeparator *root =
          readScene("#Inventor V2.1 ascii\nDEF HalfBuilt PoSceneView { isBorderVisible TRUE\n");
      EXPECT_EQ(root, nullptr);
      EXPECT_FALSE(errors.errors().empty());
      EXPECT_EQ(SoNode::getByName("HalfBuilt"), nullptr);
      if (root) {
        root->ref();
        root->unref();
      }
    }
    EXPECT_EQ(PoSceneViewTestAccess::fieldData()->getNumFields(),
              SceneViewRef()->getFieldData()->getNumFields());
  }
}
