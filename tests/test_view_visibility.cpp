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
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoGetPrimitiveCountAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/events/SoLocation2Event.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

namespace {

// Each scene holds a view named Hidden, switched off, a callback node
// "Inside" that the view holds (a scene view's scene, or what follows a plain
// view up to the end of its separator) and a callback node "After", after
// the view's scope.
struct HidingCase {
  const char *name;
  const char *scene;
};

const char *const kCamera = "cameraKit CameraKit { camera PerspectiveCamera { position 0 0 5 } }";

std::string sceneView(const char *inside) {
  return std::string("DEF Hidden PoSceneView { isVisible FALSE isBackgroundVisible TRUE ") +
         kCamera + " scene Separator { " + inside + " } }";
}

std::string plainView() {
  return std::string("DEF Hidden PoView { isVisible FALSE ") + kCamera + " }";
}

const std::string kCases[][2] = {
    {"scene view", "Separator { " + sceneView("DEF Inside Callback {} Cube {}") +
                       " DEF After Callback {} }"},
    {"plain view", "Separator { Separator { " + plainView() +
                       " DEF Inside Callback {} Cube {} } DEF After Callback {} }"},
    // Plain groups, switches and transform separators keep the view's state
    // in force after them: the rest of the separator goes with the view.
    {"plain view in groups",
     "Separator { Separator { Switch { whichChild 0 Group { " + plainView() +
         " } } TransformSeparator { Cube {} } DEF Inside Callback {} Cube {} } "
         "DEF After Callback {} }"},
    // A plain view in a scene view's scene takes the rest of that scene.
    {"plain view in a scene view",
     "Separator { PoSceneView { " + std::string(kCamera) + " scene Group { " + plainView() +
         " DEF Inside Callback {} Cube {} } } DEF After Callback {} }"},
};

// The actions that reached a callback node, by type name.
struct Reached {
  std::set<std::string> actions;
  static void note(void *data, SoAction *action) {
    static_cast<Reached *>(data)->actions.insert(action->getTypeId().getName().getString());
  }
};

SoCallback *named(const char *name) {
  return static_cast<SoCallback *>(SoNode::getByName(name));
}

// Applies every kind of action a scene meets, each to the whole graph.
void applyEveryAction(SoNode *root, GLTestContext &gl) {
  gl.render(root);
  const SbViewportRegion window(200, 100);
  SoRayPickAction pick(window);
  pick.setPoint(SbVec2s(100, 50));
  pick.apply(root);
  SoGetBoundingBoxAction box(window);
  box.apply(root);
  SoHandleEventAction handle(window);
  SoLocation2Event move;
  move.setPosition(SbVec2s(100, 50));
  handle.setEvent(&move);
  handle.apply(root);
  SoCallbackAction callback;
  callback.apply(root);
  SoGetPrimitiveCountAction count;
  count.apply(root);
}

const std::set<std::string> kEveryAction = {
    "SoGLRenderAction",   "SoRayPickAction", "SoGetBoundingBoxAction",
    "SoHandleEventAction", "SoCallbackAction", "SoGetPrimitiveCountAction"};

} // namespace

TEST(ViewVisibility, HiddenViewAndWhatItHoldsArePassedByEveryAction) {
  GLTestContext gl(200, 100);
  ASSERT_TRUE(gl.isValid());
  for (const auto &test : kCases) {
    SCOPED_TRACE(test[0]);
    SoSeparator *root = readScene(test[1]);
    ASSERT_NE(root, nullptr);
    root->ref();
    auto *view = static_cast<PoBaseView *>(SoNode::getByName("Hidden"));
    Reached inside, after;
    named("Inside")->setCallback(&Reached::note, &inside);
    named("After")->setCallback(&Reached::note, &after);

    applyEveryAction(root, gl);
    EXPECT_TRUE(inside.actions.empty()) << *inside.actions.begin();
    EXPECT_EQ(after.actions, kEveryAction);
    EXPECT_EQ(PoViewList(root).getLength(), test[0] == std::string("plain view in a scene view"));
    EXPECT_EQ(PoViewList(root, true).getLength(), test[0] == std::string("plain view in a scene view") ? 2 : 1);

    // Searching, writing and matrix queries still reach it.
    SoSearchAction search;
    search.setNode(named("Inside"));
    SoBaseKit::setSearchingChildren(TRUE);
    search.apply(root);
    SoBaseKit::setSearchingChildren(FALSE);
    ASSERT_NE(search.getPath(), nullptr);
    SoGetMatrixAction matrix(SbViewportRegion(200, 100));
    matrix.apply(search.getPath());
    EXPECT_EQ(inside.actions, (std::set<std::string>{"SoSearchAction", "SoGetMatrixAction"}));
    EXPECT_NE(writeScene(root).find("isVisible FALSE"), std::string::npos);

    inside.actions.clear();
    view->isVisible = TRUE;
    applyEveryAction(root, gl);
    EXPECT_EQ(inside.actions, kEveryAction);
    const std::string written = writeScene(root);
    EXPECT_EQ(written.find("isVisible FALSE"), std::string::npos);
    EXPECT_EQ(written.find("isVisible TRUE"), std::string::npos);
    root->unref();
  }
}
