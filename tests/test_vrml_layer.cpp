#include "PoBase.h"
#include "SceneViewPlacement.h"
#include "SoConvertGuts.h"
#include "SoConvertGutsVRML2.h"
#include "ToVRMLStage.h"
#include "VRML2SceneConversion.h"
#include "VRMLTestScenes.h"

#include <Inventor/SoPath.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLNavigationInfo.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/VRMLnodes/SoVRMLWorldInfo.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/nodekits/SoWrapperKit.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSwitch.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace VRMLTestScenes;

TEST(SceneViewPlacement, WorkedExamples) {
  const float height = SceneViewPlacement::viewHeight(0.785398f, 5.0f);
  EXPECT_NEAR(height, 4.142136f, 1e-5f);
  const SbVec3f t = SceneViewPlacement::offset(SbVec2f(0.5f, 0.5f), SbVec2f(0.5f, 0.25f), height);
  EXPECT_NEAR(t[0], 1.035534f, 1e-6f);
  EXPECT_NEAR(t[1], 0.517767f, 1e-6f);
  EXPECT_EQ(t[2], 0.0f);
  EXPECT_EQ(SceneViewPlacement::scale(SbVec2f(0.5f, 0.25f)), 0.25f);
  EXPECT_EQ(SceneViewPlacement::scale(SbVec2f(0.3f, 0.3f)), 0.3f);
  EXPECT_EQ(SceneViewPlacement::scale(SbVec2f(0.2f, 0.7f)), 0.2f);
  // A centred viewport is not shifted, whatever its size.
  EXPECT_EQ(SceneViewPlacement::offset(SbVec2f(0.25f, 0.25f), SbVec2f(0.5f, 0.5f), height),
            SbVec3f(0, 0, 0));

  EXPECT_NEAR(SceneViewPlacement::orthographicHeightAngle(2.0f, 5.0f), 0.394791f, 1e-6f);
  // Focal distance 0: the quotient is infinite and the angle is pi.
  EXPECT_NEAR(SceneViewPlacement::orthographicHeightAngle(2.0f, 0.0f), static_cast<float>(M_PI), 1e-6f);

  SoOrthographicCamera *orthographic = new SoOrthographicCamera;
  orthographic->ref();
  orthographic->height = 2.0f;
  orthographic->focalDistance = 5.0f;
  orthographic->position.setValue(1, 2, 3);
  orthographic->orientation.setValue(SbVec3f(0, 1, 0), 0.5f);
  orthographic->aspectRatio = 2.0f;
  orthographic->viewportMapping = SoCamera::LEAVE_ALONE;
  orthographic->nearDistance = 0.5f;
  SoPerspectiveCamera *working = SceneViewPlacement::perspectiveFor(*orthographic);
  working->ref();
  EXPECT_NEAR(working->heightAngle.getValue(), 0.394791f, 1e-6f);
  EXPECT_EQ(working->position.getValue(), SbVec3f(1, 2, 3));
  EXPECT_EQ(working->orientation.getValue(), orthographic->orientation.getValue());
  EXPECT_EQ(working->aspectRatio.getValue(), 2.0f);
  EXPECT_EQ(working->focalDistance.getValue(), 5.0f);
  EXPECT_EQ(working->viewportMapping.getValue(), int(SoCamera::LEAVE_ALONE));
  EXPECT_TRUE(working->nearDistance.isDefault());
  EXPECT_FALSE(working->position.isDefault());
  working->unref();
  orthographic->unref();
}

TEST(VRMLLayer, RebuildSwitch) {
  EXPECT_EQ(PoBase::isRebuildBlocked(), 0);
  PoBase::blockRebuild(1);
  EXPECT_EQ(PoBase::isRebuildBlocked(), 1);
  PoBase::blockRebuild(0);
  EXPECT_EQ(PoBase::isRebuildBlocked(), 0);
}

namespace {

// Records what the first stage shows it; refuses to enter kits.
class Recorder : public SoConvertGuts {
public:
  std::vector<SoNode *> met;
  int resets = 0;
  void reset() override { ++resets; met.clear(); }
  int convertSoGroup(SoGroup *group) override {
    met.push_back(group);
    return 1;
  }
  int convertSoBaseKit(SoBaseKit *kit) override {
    met.push_back(kit);
    return 0;
  }
};

} // namespace

TEST(VRMLLayer, FirstStageMeetsEveryGroupAndKitOnce) {
  SoSeparator *root = new SoSeparator;
  root->ref();
  SoSwitch *choice = new SoSwitch; // nothing chosen: converted all the same
  SoSeparator *shared = new SoSeparator;
  choice->addChild(shared);
  root->addChild(choice);
  root->addChild(shared);
  SoWrapperKit *kit = new SoWrapperKit;
  SoSeparator *inKit = static_cast<SoSeparator *>(kit->getPart("contents", TRUE));
  root->addChild(kit);

  Recorder *recorder = new Recorder;
  ToVRMLStage stage;
  stage.apply(root, recorder);
  EXPECT_EQ(stage.getConvertGuts(), recorder);
  EXPECT_EQ(stage.getVRMLSceneGraph(), root);
  EXPECT_EQ(recorder->resets, 1);
  EXPECT_EQ(recorder->met, (std::vector<SoNode *>{root, choice, shared, kit}));
  EXPECT_EQ(std::count(recorder->met.begin(), recorder->met.end(), inKit), 0);

  // A path meets its own nodes and what lies under its tail.
  SoPath *path = new SoPath(root);
  path->ref();
  path->append(choice);
  path->append(shared);
  Recorder *second = new Recorder; // the first converter is freed here
  stage.apply(path, second);
  EXPECT_EQ(second->met, (std::vector<SoNode *>{root, choice, shared}));
  path->unref();

  stage.releaseResult();
  EXPECT_EQ(stage.getVRMLSceneGraph(), nullptr);
  EXPECT_EQ(root->getRefCount(), 1);
  root->unref();
}

namespace {

// Takes over every wrapper kit by traversing a stand-in in its place.
class StandIn : public SoConvertGutsVRML2 {
public:
  SoVRMLGroup *standIn = new SoVRMLGroup;
  int asked = 0;
  StandIn() { standIn->ref(); standIn->setName("StandIn_for_test"); }
  ~StandIn() override { standIn->setName(""); standIn->unref(); }
  int convertSoBaseKit(SoBaseKit *kit, SoCallbackAction *action) override {
    ++asked;
    if (!kit->isOfType(SoWrapperKit::getClassTypeId())) return 0;
    action->traverse(standIn);
    return 1;
  }
};

int g_cubesMet = 0;
SoCallbackAction::Response countCube(void *, SoCallbackAction *, const SoNode *) {
  ++g_cubesMet;
  return SoCallbackAction::CONTINUE;
}

} // namespace

TEST(VRMLLayer, KitRouteIsOpenOnlyDuringTheConversion) {
  SoSeparator *root = new SoSeparator;
  root->ref();
  SoWrapperKit *kit = new SoWrapperKit;
  static_cast<SoSeparator *>(kit->getPart("contents", TRUE))->addChild(new SoCube);
  root->addChild(kit);
  root->addChild(new SoCube);

  StandIn converter;
  SoVRMLGroup *result = converter.convertTovrinToVRML2(root);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(converter.asked, 1);
  // The kit's cube is not converted; the stand-in is, in its place.
  EXPECT_EQ(count(result, SoVRMLShape::getClassTypeId()), 1);
  EXPECT_EQ(count(result, SoVRMLGroup::getClassTypeId()), 3);

  // Outside a conversion every callback traversal goes into the kit.
  g_cubesMet = 0;
  SoCallbackAction callback;
  callback.addPreCallback(SoCube::getClassTypeId(), countCube, nullptr);
  callback.apply(root);
  EXPECT_EQ(g_cubesMet, 2);
  EXPECT_EQ(converter.asked, 1);
  root->unref();
}

TEST(VRMLLayer, SceneConversionsShareWhatTheScenesShare) {
  SoSeparator *model = new SoSeparator;
  model->ref();
  model->addChild(new SoCube);
  SoGroup *first = new SoGroup;
  first->ref();
  first->addChild(model);
  SoGroup *second = new SoGroup;
  second->ref();
  second->addChild(model);
  second->addChild(new SoCube);

  VRML2SceneConversion conversion({first, nullptr, second});
  ASSERT_EQ(conversion.getNumScenes(), 3);
  EXPECT_EQ(conversion.getTopNode(1), nullptr);
  EXPECT_EQ(conversion.getTopNode(3), nullptr);
  SoVRMLGroup *topA = conversion.getTopNode(0);
  SoVRMLGroup *topB = conversion.getTopNode(2);
  ASSERT_NE(topA, nullptr);
  ASSERT_NE(topB, nullptr);
  // Two header nodes, then the scene.
  ASSERT_EQ(topA->getNumChildren(), 3);
  ASSERT_EQ(topB->getNumChildren(), 4);
  EXPECT_TRUE(topA->getChild(0)->isOfType(SoVRMLWorldInfo::getClassTypeId()));
  EXPECT_TRUE(topA->getChild(1)->isOfType(SoVRMLNavigationInfo::getClassTypeId()));
  EXPECT_TRUE(conversion.isHeaderNode(topA->getChild(0)));
  EXPECT_TRUE(conversion.isHeaderNode(topB->getChild(1)));
  EXPECT_FALSE(conversion.isHeaderNode(topA->getChild(2)));
  // The shared model is converted once.
  EXPECT_EQ(topA->getChild(2), topB->getChild(2));
  EXPECT_TRUE(topB->getChild(3)->isOfType(SoVRMLShape::getClassTypeId()));
  EXPECT_EQ(topA->getName(), SbName::empty());

  SoVRMLWorldInfo *foreign = new SoVRMLWorldInfo;
  foreign->ref();
  EXPECT_FALSE(conversion.isHeaderNode(foreign));
  foreign->unref();
  first->unref();
  second->unref();
  model->unref();
}
