// Views switched off with isVisible: what every action, the view lookup and
// the exports leave out, and what they still reach.

#include "GLTestContext.h"
#include "PoSceneView.h"
#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"
#include "PoViewList.h"
#include "SceneFiles.h"
#include "VRMLTestScenes.h"

#include <Inventor/Qt/SoQtRenderArea.h>
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

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <set>
#include <string>

namespace {

// Each scene holds a view named Hidden, switched off, a callback node
// "Inside" that the view holds (a scene view's scene, or what follows a plain
// view up to the end of its separator) and a callback node "After", after
// the view's scope.
struct HidingCase {
  const char *name;
  std::string scene;
  int views; // in the scene, the hidden one included
};

const char *const kCamera = "cameraKit CameraKit { camera PerspectiveCamera { position 0 0 5 } }";

std::string sceneView(const char *inside) {
  return std::string("DEF Hidden PoSceneView { isVisible FALSE isBackgroundVisible TRUE ") +
         kCamera + " scene Separator { " + inside + " } }";
}

std::string plainView() {
  return std::string("DEF Hidden PoView { isVisible FALSE ") + kCamera + " }";
}

const HidingCase kCases[] = {
    {"scene view",
     "Separator { " + sceneView("DEF Inside Callback {} Cube {}") + " DEF After Callback {} }", 1},
    {"plain view",
     "Separator { Separator { " + plainView() +
         " DEF Inside Callback {} Cube {} } DEF After Callback {} }",
     1},
    // Plain groups, switches and transform separators keep the view's state
    // in force after them: the rest of the separator goes with the view.
    {"plain view in groups",
     "Separator { Separator { Switch { whichChild 0 Group { " + plainView() +
         " } } TransformSeparator { Cube {} } DEF Inside Callback {} Cube {} } "
         "DEF After Callback {} }",
     1},
    // A plain view in a scene view's scene takes the rest of that scene.
    {"plain view in a scene view",
     "Separator { PoSceneView { " + std::string(kCamera) + " scene Group { " + plainView() +
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

SoCallback *named(const char *name) {
  return static_cast<SoCallback *>(SoNode::getByName(name));
}

// Whether the exports of a graph hold a box: the scenes' only shape, which
// the hidden view holds.
struct ExportedBoxes {
  bool x3d, vrml97;
};

ExportedBoxes exportedBoxes(SoNode *root) {
  PoToX3DAction x3d;
  x3d.apply(root);
  PoToVRML2Action vrml;
  vrml.apply(root);
  return {x3d.getX3DText().find("Box") != std::string::npos,
          VRMLTestScenes::writeVRML(vrml.getVRML2SceneGraph()).find("Box") != std::string::npos};
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
  for (const HidingCase &test : kCases) {
    SCOPED_TRACE(test.name);
    SoSeparator *root = readScene(test.scene);
    ASSERT_NE(root, nullptr);
    root->ref();
    auto *view = static_cast<PoBaseView *>(SoNode::getByName("Hidden"));
    Reached inside, after;
    named("Inside")->setCallback(&Reached::note, &inside);
    named("After")->setCallback(&Reached::note, &after);

    applyEveryAction(root, gl);
    EXPECT_TRUE(inside.actions.empty()) << *inside.actions.begin();
    EXPECT_EQ(after.actions, kEveryAction);
    EXPECT_EQ(PoViewList(root).getLength(), test.views - 1);
    EXPECT_EQ(PoViewList(root, true).getLength(), test.views);

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
    const ExportedBoxes hiddenBoxes = exportedBoxes(root);
    EXPECT_FALSE(hiddenBoxes.x3d);
    EXPECT_FALSE(hiddenBoxes.vrml97);

    inside.actions.clear();
    view->isVisible = TRUE;
    applyEveryAction(root, gl);
    EXPECT_EQ(inside.actions, kEveryAction);
    const std::string written = writeScene(root);
    EXPECT_EQ(written.find("isVisible FALSE"), std::string::npos);
    EXPECT_EQ(written.find("isVisible TRUE"), std::string::npos);
    const ExportedBoxes shownBoxes = exportedBoxes(root);
    EXPECT_TRUE(shownBoxes.x3d);
    EXPECT_TRUE(shownBoxes.vrml97);
    root->unref();
  }
}

namespace {

bool near(const SbColor &a, const SbColor &b) {
  return std::fabs(a[0] - b[0]) < 0.02f && std::fabs(a[1] - b[1]) < 0.02f &&
         std::fabs(a[2] - b[2]) < 0.02f;
}

int count(const std::string &text, const std::string &part) {
  int found = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++found;
  return found;
}

// What the quadrant of TopRight shows, picks, exports and routes to.
struct QuadrantPresence {
  SbColor corner;
  bool picked;
  int x3dBackgrounds;
  int vrmlOverlays;
  PoBaseView *routedTo;
};

QuadrantPresence presence(SoNode *root, GLTestContext &gl, SoQtRenderArea &area) {
  QuadrantPresence seen{};
  gl.render(root);
  seen.corner = gl.pixel(155, 115);
  SoRayPickAction pick(gl.viewport());
  pick.setPoint(SbVec2s(120, 90));
  pick.apply(root);
  const SoPickedPoint *point = pick.getPickedPoint();
  seen.picked = point && point->getPath()->containsNode(SoNode::getByName("TopRight"));
  PoToX3DAction x3d;
  x3d.apply(root);
  // The quadrant's background colour.
  seen.x3dBackgrounds = count(x3d.getX3DText(), "0.1 0.35 0.1");
  PoToVRML2Action vrml;
  vrml.apply(root);
  seen.vrmlOverlays = VRMLTestScenes::numSceneViews(vrml);
  seen.routedTo = PoBaseView::getView(&area, 120, 30);
  return seen;
}

} // namespace

TEST(ViewVisibility, HiddenViewIsAbsentFromPicturePickExportsAndRouting) {
  GLTestContext gl(160, 120);
  ASSERT_TRUE(gl.isValid());
  std::ifstream file(std::string(BRENNICQT_EXAMPLES_DIR) + "/four_quadrants.iv");
  std::stringstream text;
  text << file.rdbuf();
  SoSeparator *root = readScene(text.str());
  ASSERT_NE(root, nullptr);
  root->ref();
  SoQtRenderArea area;
  area.getSceneManager()->setWindowSize(SbVec2s(160, 120));
  area.setSceneGraph(root);
  const PoViewList views(root);
  for (int i = 0; i < views.getLength(); ++i) views[i].view->sensitiveOnEvents(1);
  auto *topRight = static_cast<PoBaseView *>(SoNode::getByName("TopRight"));

  const QuadrantPresence shown = presence(root, gl, area);
  EXPECT_TRUE(near(shown.corner, SbColor(0.1f, 0.35f, 0.1f)));
  EXPECT_TRUE(shown.picked);
  EXPECT_EQ(shown.vrmlOverlays, 4);
  EXPECT_EQ(shown.routedTo, topRight);

  topRight->isVisible = FALSE;
  const QuadrantPresence hidden = presence(root, gl, area);
  EXPECT_TRUE(near(hidden.corner, SbColor(0, 0, 0)));
  EXPECT_FALSE(hidden.picked);
  EXPECT_GT(shown.x3dBackgrounds, 0);
  EXPECT_EQ(hidden.x3dBackgrounds, 0);
  EXPECT_EQ(hidden.vrmlOverlays, 3);
  EXPECT_EQ(hidden.routedTo, nullptr);
  // The other quadrants are drawn as before.
  EXPECT_TRUE(near(gl.pixel(5, 115), SbColor(0.1f, 0.1f, 0.4f)));
  area.setSceneGraph(nullptr);
  root->unref();
}
