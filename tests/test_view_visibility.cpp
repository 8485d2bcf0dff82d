// Views switched off with isVisible: what every action, the view lookup and
// the exports leave out, and what they still reach.

#include "GLTestContext.h"
#include "PoSceneView.h"
#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"
#include "PoViewList.h"
#include "SceneFiles.h"
#include "VRMLTestScenes.h"

#include <Inventor/SoPath.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoGetPrimitiveCountAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/events/SoLocation2Event.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::string kCamera = " cameraKit CameraKit { camera PerspectiveCamera { position 0 0 5 } } ";
const std::string kPlain = "DEF Hidden PoView { isVisible FALSE viewportSize 0.5 1" + kCamera + "}";

// Each scene holds a view named Hidden, switched off; the callback "Inside"
// and a cube, which the view holds (a scene view's scene, or what follows a
// plain view up to the end of its separator); the callback "After", after
// that. Plain groups, switches and transform separators keep a plain view's
// state in force: the rest of the separator goes with it.
const struct {
  const char *name;
  std::string scene;
  int views; // the hidden one included
} kVisibilityCases[] = {
    {"scene view",
     "Separator { DEF Hidden PoSceneView { isVisible FALSE isBackgroundVisible TRUE" + kCamera +
         "scene Separator { DEF Inside Callback {} Cube {} } } DEF After Callback {} }",
     1},
    {"plain view",
     "Separator { Separator { " + kPlain +
         " DEF Inside Callback {} Cube {} } DEF After Callback {} }",
     1},
    {"plain view in groups",
     "Separator { Separator { Switch { whichChild 0 Group { " + kPlain +
         " } } TransformSeparator { Cube {} } DEF Inside Callback {} } DEF After Callback {} }",
     1},
    {"plain view in a scene view",
     "Separator { PoSceneView {" + kCamera + "scene Group { " + kPlain +
         " DEF Inside Callback {} Cube {} } } DEF After Callback {} }",
     2},
};

// The actions that reached a callback node, by type name.
struct Reached {
  std::set<std::string> actions;
  static void note(void *data, SoAction *action) {
    static_cast<Reached *>(data)->actions.insert(action->getTypeId().getName().getString());
  }
};

SoNode *named(const char *name) { return SoNode::getByName(name); }

const std::set<std::string> kEveryAction = {
    "SoGLRenderAction",    "SoRayPickAction",  "SoGetBoundingBoxAction",
    "SoHandleEventAction", "SoCallbackAction", "SoGetPrimitiveCountAction"};

void applyEveryAction(SoNode *root, GLTestContext &gl) {
  gl.render(root);
  const SbViewportRegion window(200, 100);
  SoRayPickAction pick(window);
  pick.setPoint(SbVec2s(50, 50));
  pick.apply(root);
  SoGetBoundingBoxAction(window).apply(root);
  SoHandleEventAction handle(window);
  SoLocation2Event move;
  handle.setEvent(&move);
  handle.apply(root);
  SoCallbackAction().apply(root);
  SoGetPrimitiveCountAction().apply(root);
}

// Whether both exports hold the scenes' one shape, the cube.
bool exportsHoldTheCube(SoNode *root) {
  PoToX3DAction x3d;
  x3d.apply(root);
  PoToVRML2Action vrml;
  vrml.apply(root);
  const bool inX3D = x3d.getX3DText().find("Box") != std::string::npos;
  const bool inVRML = VRMLTestScenes::writeVRML(vrml.getVRML2SceneGraph()).find("Box") !=
                      std::string::npos;
  EXPECT_EQ(inX3D, inVRML);
  return inX3D && inVRML;
}

} // namespace

TEST(ViewVisibility, HiddenViewAndWhatItHoldsArePassedByEveryAction) {
  GLTestContext gl(200, 100);
  ASSERT_TRUE(gl.isValid());
  for (const auto &test : kVisibilityCases) {
    SCOPED_TRACE(test.name);
    SoSeparator *root = readScene(test.scene);
    ASSERT_NE(root, nullptr);
    root->ref();
    Reached inside, after;
    static_cast<SoCallback *>(named("Inside"))->setCallback(&Reached::note, &inside);
    static_cast<SoCallback *>(named("After"))->setCallback(&Reached::note, &after);

    applyEveryAction(root, gl);
    EXPECT_TRUE(inside.actions.empty()) << *inside.actions.begin();
    EXPECT_EQ(after.actions, kEveryAction);
    EXPECT_EQ(PoViewList(root).getLength(), test.views - 1);
    EXPECT_EQ(PoViewList(root, true).getLength(), test.views);
    EXPECT_FALSE(exportsHoldTheCube(root));
    // Searching, writing and matrix queries still reach it.
    SoSearchAction search;
    search.setNode(named("Inside"));
    SoBaseKit::setSearchingChildren(TRUE);
    search.apply(root);
    SoBaseKit::setSearchingChildren(FALSE);
    ASSERT_NE(search.getPath(), nullptr);
    SoGetMatrixAction(SbViewportRegion(200, 100)).apply(search.getPath());
    EXPECT_EQ(inside.actions, (std::set<std::string>{"SoSearchAction", "SoGetMatrixAction"}));
    EXPECT_NE(writeScene(root).find("isVisible FALSE"), std::string::npos);

    inside.actions.clear();
    static_cast<PoBaseView *>(named("Hidden"))->isVisible = TRUE;
    applyEveryAction(root, gl);
    EXPECT_EQ(inside.actions, kEveryAction);
    EXPECT_TRUE(exportsHoldTheCube(root));
    EXPECT_EQ(writeScene(root).find("isVisible TRUE"), std::string::npos);
    root->unref();
  }
}

// A quadrant of four_quadrants.iv switched off: black in the picture, nothing
// picked there, no overlay in VRML97.
TEST(ViewVisibility, HiddenQuadrantIsAbsentFromPicturePickAndExport) {
  GLTestContext gl(160, 120);
  ASSERT_TRUE(gl.isValid());
  std::ifstream file(std::string(BRENNICQT_EXAMPLES_DIR) + "/four_quadrants.iv");
  std::stringstream text;
  text << file.rdbuf();
  SoSeparator *root = readScene(text.str());
  ASSERT_NE(root, nullptr);
  root->ref();
  auto *topRight = static_cast<PoBaseView *>(named("TopRight"));
  for (SbBool visible : {TRUE, FALSE}) {
    SCOPED_TRACE(visible ? "shown" : "hidden");
    topRight->isVisible = visible;
    gl.render(root);
    const SbColor corner = gl.pixel(155, 115);
    const SbColor expected = visible ? SbColor(0.1f, 0.35f, 0.1f) : SbColor(0, 0, 0);
    EXPECT_LT((corner - expected).length(), 0.03f);
    EXPECT_LT((gl.pixel(5, 115) - SbColor(0.1f, 0.1f, 0.4f)).length(), 0.03f);
    SoRayPickAction pick(gl.viewport());
    pick.setPoint(SbVec2s(120, 90));
    pick.apply(root);
    const SoPickedPoint *point = pick.getPickedPoint();
    EXPECT_EQ(point && point->getPath()->containsNode(topRight), bool(visible));
    PoToVRML2Action vrml;
    vrml.apply(root);
    EXPECT_EQ(VRMLTestScenes::numSceneViews(vrml), visible ? 4 : 3);
  }
  root->unref();
}
