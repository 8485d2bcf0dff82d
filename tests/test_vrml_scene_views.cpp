#include "PoBase.h"
#include "PoConvertGuts.h"
#include "VRMLActionTestAccess.h"
#include "VRMLTestScenes.h"

#include <Inventor/SbMatrix.h>
#include <Inventor/SoPath.h>
#include <Inventor/SbViewVolume.h>
#include <Inventor/VRMLnodes/SoVRMLCollision.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLNavigationInfo.h>
#include <Inventor/VRMLnodes/SoVRMLProximitySensor.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/VRMLnodes/SoVRMLSphere.h>
#include <Inventor/VRMLnodes/SoVRMLTransform.h>
#include <Inventor/VRMLnodes/SoVRMLViewpoint.h>
#include <Inventor/VRMLnodes/SoVRMLWorldInfo.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoToVRML2Action.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoFrustumCamera.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSphere.h>
#include <Inventor/nodes/SoSwitch.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <set>

using namespace VRMLTestScenes;

namespace {

// A referenced root for the life of a test.
class Root {
public:
  Root() : m_root(new SoSeparator) { m_root->ref(); }
  ~Root() { m_root->unref(); }
  Root(const Root &) = delete;
  Root &operator=(const Root &) = delete;
  SoSeparator *operator->() const { return m_root; }
  SoSeparator *get() const { return m_root; }

private:
  SoSeparator *m_root;
};

SoVRMLTransform *transformAt(SoVRMLParent *group, int index) {
  if (!group || index >= group->getNumChildren()) return nullptr;
  SoNode *child = group->getChild(index);
  return child->isOfType(SoVRMLTransform::getClassTypeId()) ? static_cast<SoVRMLTransform *>(child)
                                                           : nullptr;
}

// The nodes of a viewer-fixed view's group, checked for shape on the way.
struct ViewerFixed {
  SoVRMLProximitySensor *sensor = nullptr;
  SoVRMLTransform *follower = nullptr;
  SoVRMLTransform *placement = nullptr;
  SoVRMLTransform *camera = nullptr;
  SoNode *top = nullptr;
};

ViewerFixed viewerFixed(SoVRMLParent *group) {
  ViewerFixed form;
  EXPECT_NE(group, nullptr);
  if (!group) return form;
  EXPECT_EQ(group->getNumChildren(), 2);
  if (group->getNumChildren() != 2) return form;
  EXPECT_TRUE(group->getChild(0)->isOfType(SoVRMLProximitySensor::getClassTypeId()));
  form.sensor = static_cast<SoVRMLProximitySensor *>(group->getChild(0));
  form.follower = transformAt(group, 1);
  EXPECT_NE(form.follower, nullptr);
  if (!form.follower) return form;
  EXPECT_EQ(form.follower->getNumChildren(), 1);
  form.placement = transformAt(form.follower, 0);
  EXPECT_NE(form.placement, nullptr);
  if (!form.placement) return form;
  EXPECT_EQ(form.placement->getNumChildren(), 1);
  form.camera = transformAt(form.placement, 0);
  EXPECT_NE(form.camera, nullptr);
  if (!form.camera) return form;
  EXPECT_EQ(form.camera->getNumChildren(), 1);
  form.top = form.camera->getNumChildren() ? form.camera->getChild(0) : nullptr;
  return form;
}

struct Navigable {
  SoVRMLViewpoint *viewpoint = nullptr;
  SoVRMLTransform *placement = nullptr;
  SoNode *top = nullptr;
};

Navigable navigable(SoVRMLParent *group) {
  Navigable form;
  EXPECT_NE(group, nullptr);
  if (!group) return form;
  EXPECT_EQ(group->getNumChildren(), 2);
  if (group->getNumChildren() != 2) return form;
  EXPECT_TRUE(group->getChild(0)->isOfType(SoVRMLViewpoint::getClassTypeId()));
  form.viewpoint = static_cast<SoVRMLViewpoint *>(group->getChild(0));
  form.placement = transformAt(group, 1);
  EXPECT_NE(form.placement, nullptr);
  if (!form.placement) return form;
  EXPECT_EQ(form.placement->getNumChildren(), 1);
  form.top = form.placement->getNumChildren() ? form.placement->getChild(0) : nullptr;
  return form;
}

bool isViewerFixed(SoVRMLParent *group) {
  return group && group->getNumChildren() == 2 &&
         group->getChild(0)->isOfType(SoVRMLProximitySensor::getClassTypeId());
}

bool connectedFrom(const SoField &field, const SoField *source) {
  SoField *master = nullptr;
  return field.getConnectedField(master) && master == source;
}

SbMatrix matrixOf(const SoVRMLTransform *transform) {
  SbMatrix matrix;
  matrix.setTransform(transform->translation.getValue(), transform->rotation.getValue(),
                      transform->scale.getValue(), transform->scaleOrientation.getValue(),
                      transform->center.getValue());
  return matrix;
}

SbMatrix viewingMatrixOf(SoCamera *camera) {
  SbMatrix viewing, projection;
  camera->getViewVolume(0.0f).getMatrices(viewing, projection);
  return viewing;
}

void expectVec(const SbVec3f &actual, float x, float y, float z, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual[0], x, tolerance);
  EXPECT_NEAR(actual[1], y, tolerance);
  EXPECT_NEAR(actual[2], z, tolerance);
}

SoPerspectiveCamera *perspective(float heightAngle, float focalDistance) {
  SoPerspectiveCamera *camera = new SoPerspectiveCamera;
  camera->heightAngle = heightAngle;
  camera->focalDistance = focalDistance;
  return camera;
}

} // namespace

TEST(VRMLSceneViews, NoSceneViewsGivesCoinsConversionInACollision) {
  Root root;
  root->addChild(smallScene());
  SoSwitch *choice = new SoSwitch;
  choice->addChild(new SoCube);
  root->addChild(choice);

  PoToVRML2Action action;
  action.setFirstSceneViewSensitive(1);
  action.apply(root.get());
  SoVRMLGroup *result = action.getVRML2SceneGraph();
  ASSERT_NE(result, nullptr);
  ASSERT_TRUE(result->isOfType(SoVRMLCollision::getClassTypeId()));
  EXPECT_FALSE(static_cast<SoVRMLCollision *>(result)->collide.getValue());
  EXPECT_EQ(result->getRefCount(), 1);
  ASSERT_EQ(result->getNumChildren(), 1);
  EXPECT_EQ(numSceneViews(action), 0);

  SoToVRML2Action plain;
  plain.apply(root.get());
  EXPECT_EQ(shape(result->getChild(0)), shape(plain.getVRML2SceneGraph()));
}

TEST(VRMLSceneViews, WorkedExampleViewerFixed) {
  Root root;
  root->addChild(smallScene());
  SoPerspectiveCamera *camera = perspective(0.785398f, 5.0f);
  camera->position.setValue(1.0f, 2.0f, 10.0f);
  root->addChild(sceneView(SbVec2f(0.5f, 0.5f), SbVec2f(0.5f, 0.25f), smallScene(), camera));

  PoToVRML2Action action;
  action.apply(root.get());
  ASSERT_EQ(numSceneViews(action), 1);
  ViewerFixed form = viewerFixed(viewGroup(action, 0));
  ASSERT_NE(form.top, nullptr);

  EXPECT_EQ(form.sensor->size.getValue(), SbVec3f(FLT_MAX, FLT_MAX, FLT_MAX));
  EXPECT_TRUE(connectedFrom(form.sensor->center, &form.sensor->position_changed));
  EXPECT_TRUE(connectedFrom(form.follower->translation, &form.sensor->position_changed));
  EXPECT_TRUE(connectedFrom(form.follower->rotation, &form.sensor->orientation_changed));

  expectVec(form.placement->translation.getValue(), 1.035534f, 0.517767f, 0.0f);
  expectVec(form.placement->scale.getValue(), 0.25f, 0.25f, 1.0f, 0.0f);
  EXPECT_TRUE(matrixOf(form.camera).equals(viewingMatrixOf(camera), 1e-5f));

  // The view's scene, converted on its own and without the head nodes of a
  // standalone conversion.
  EXPECT_EQ(count(form.top, SoVRMLShape::getClassTypeId()), 2);
  EXPECT_EQ(count(form.top, SoVRMLWorldInfo::getClassTypeId()), 0);
  EXPECT_EQ(count(form.top, SoVRMLNavigationInfo::getClassTypeId()), 0);
  EXPECT_TRUE(contains(action.getVRML2SceneGraph(), viewGroup(action, 0)));
}

TEST(VRMLSceneViews, OrthographicCameraSeenThroughAPerspectiveOne) {
  Root root;
  for (int i = 0; i < 2; ++i) {
    SoOrthographicCamera *camera = new SoOrthographicCamera;
    camera->height = 2.0f;
    camera->focalDistance = 5.0f;
    camera->position.setValue(0.0f, 1.0f, 5.0f);
    camera->aspectRatio = 1.5f;
    root->addChild(sceneView(SbVec2f(0.5f, 0.5f), SbVec2f(0.5f, 0.25f), smallScene(), camera));
  }

  PoToVRML2Action action;
  action.setFirstSceneViewSensitive(1);
  action.apply(root.get());
  ASSERT_EQ(numSceneViews(action), 2);

  // Navigable: every Viewpoint field comes from the working camera.
  Navigable first = navigable(viewGroup(action, 0));
  ASSERT_NE(first.viewpoint, nullptr);
  EXPECT_NEAR(first.viewpoint->fieldOfView.getValue(), 0.394791f, 1e-6f);
  EXPECT_EQ(first.viewpoint->position.getValue(), SbVec3f(0.0f, 1.0f, 5.0f));
  EXPECT_FALSE(first.viewpoint->orientation.isDefault());
  EXPECT_FALSE(first.viewpoint->fieldOfView.isDefault());
  // H = tan(atan(0.2)) * 2 * 5 = 2.
  expectVec(first.placement->translation.getValue(), 0.5f, 0.25f, 0.0f);
  expectVec(first.placement->scale.getValue(), 0.25f, 0.25f, 0.25f, 0.0f);

  // Viewer-fixed: the camera transform is the working camera's view.
  ViewerFixed second = viewerFixed(viewGroup(action, 1));
  ASSERT_NE(second.camera, nullptr);
  SoPerspectiveCamera *working = new SoPerspectiveCamera;
  working->ref();
  working->heightAngle = 0.394791f;
  working->position.setValue(0.0f, 1.0f, 5.0f);
  working->aspectRatio = 1.5f;
  working->focalDistance = 5.0f;
  EXPECT_TRUE(matrixOf(second.camera).equals(viewingMatrixOf(working), 1e-5f));
  working->unref();
  expectVec(second.placement->translation.getValue(), 0.5f, 0.25f, 0.0f);
}

TEST(VRMLSceneViews, SwitchChoosesTheFormOfEntryZeroOnly) {
  Root root;
  for (int i = 0; i < 3; ++i)
    root->addChild(sceneView(SbVec2f(0.1f * i, 0.0f), SbVec2f(0.3f, 0.3f), smallScene()));

  PoToVRML2Action off;
  off.apply(root.get());
  ASSERT_EQ(numSceneViews(off), 3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(isViewerFixed(viewGroup(off, i))) << i;
  EXPECT_EQ(count(off.getVRML2SceneGraph(), SoVRMLViewpoint::getClassTypeId()), 0);
  EXPECT_EQ(count(off.getVRML2SceneGraph(), SoVRMLProximitySensor::getClassTypeId()), 3);

  PoToVRML2Action on;
  on.setFirstSceneViewSensitive(7);
  on.apply(root.get());
  ASSERT_EQ(numSceneViews(on), 3);
  Navigable first = navigable(viewGroup(on, 0));
  ASSERT_NE(first.placement, nullptr);
  EXPECT_NEAR(first.placement->scale.getValue()[2], 0.3f, 1e-7f);
  for (int i = 1; i < 3; ++i) EXPECT_TRUE(isViewerFixed(viewGroup(on, i))) << i;
  // Entries are in the order the views were met.
  const PoConvertGuts *guts = static_cast<const PoConvertGuts *>(on.getConvertGuts());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(guts->getSceneViewInfo(i)->sceneView, root->getChild(i));
  EXPECT_EQ(guts->getSceneViewInfo(3), nullptr);
  EXPECT_EQ(guts->getSceneViewInfo(-1), nullptr);

  // Applying again converts again; the switch keeps its value.
  SoVRMLGroup *before = on.getVRML2SceneGraph();
  before->ref();
  on.apply(root.get());
  EXPECT_NE(on.getVRML2SceneGraph(), before);
  EXPECT_EQ(on.isFirstSceneViewSensitive(), 7);
  EXPECT_EQ(before->getRefCount(), 1); // the action let go of its old result
  before->unref();
  EXPECT_TRUE(navigable(viewGroup(on, 0)).viewpoint != nullptr);
}

TEST(VRMLSceneViews, WholeWindowViewIsNeitherShiftedNorScaled) {
  for (int sensitive = 0; sensitive < 2; ++sensitive) {
    Root root;
    root->addChild(sceneView(SbVec2f(0.0f, 0.0f), SbVec2f(1.0f, 1.0f), smallScene()));
    PoToVRML2Action action;
    action.setFirstSceneViewSensitive(sensitive);
    action.apply(root.get());
    SoVRMLTransform *placement = sensitive ? navigable(viewGroup(action, 0)).placement
                                           : viewerFixed(viewGroup(action, 0)).placement;
    ASSERT_NE(placement, nullptr);
    EXPECT_EQ(placement->translation.getValue(), SbVec3f(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(placement->scale.getValue(), SbVec3f(1.0f, 1.0f, 1.0f));
  }
}

TEST(VRMLSceneViews, ViewpointTakesOnlyTheCameraFieldsThatWereSet) {
  Root root;
  root->addChild(sceneView(SbVec2f(0.0f, 0.0f), SbVec2f(1.0f, 1.0f), smallScene()));
  PoToVRML2Action action;
  action.setFirstSceneViewSensitive(1);
  action.apply(root.get());
  SoVRMLViewpoint *viewpoint = navigable(viewGroup(action, 0)).viewpoint;
  ASSERT_NE(viewpoint, nullptr);
  EXPECT_TRUE(viewpoint->position.isDefault());
  EXPECT_TRUE(viewpoint->orientation.isDefault());
  EXPECT_TRUE(viewpoint->fieldOfView.isDefault());

  PoSceneView *view = static_cast<PoSceneView *>(root->getChild(0));
  SoPerspectiveCamera *camera =
      static_cast<SoPerspectiveCamera *>(view->getPart("cameraKit.camera", FALSE));
  camera->position.setValue(3.0f, 4.0f, 5.0f);
  action.apply(root.get());
  viewpoint = navigable(viewGroup(action, 0)).viewpoint;
  ASSERT_NE(viewpoint, nullptr);
  EXPECT_FALSE(viewpoint->position.isDefault());
  EXPECT_EQ(viewpoint->position.getValue(), SbVec3f(3.0f, 4.0f, 5.0f));
  EXPECT_TRUE(viewpoint->orientation.isDefault());
  EXPECT_TRUE(viewpoint->fieldOfView.isDefault());
}

TEST(VRMLSceneViews, EachViewShowsItsSceneOnceAndNothingOfItsOwnParts) {
  Root root;
  SoSeparator *model = new SoSeparator;
  model->addChild(new SoSphere);
  root->addChild(new SoCube);
  PoSceneView *a = sceneView(SbVec2f(0.0f, 0.0f), SbVec2f(0.5f, 1.0f), model);
  PoSceneView *b = sceneView(SbVec2f(0.5f, 0.0f), SbVec2f(0.5f, 1.0f), model);
  a->isBackgroundVisible = TRUE;
  b->isBorderVisible = TRUE;
  root->addChild(a);
  root->addChild(b);

  PoToVRML2Action action;
  action.apply(root.get());
  ASSERT_EQ(numSceneViews(action), 2);
  SoNode *result = action.getVRML2SceneGraph();
  SoNode *topA = viewerFixed(viewGroup(action, 0)).top;
  SoNode *topB = viewerFixed(viewGroup(action, 1)).top;
  ASSERT_NE(topA, nullptr);
  ASSERT_NE(topB, nullptr);
  EXPECT_NE(topA, topB);
  // One sphere in each view, the shared model converted once as Coin
  // converts a shared separator once; the graph's own cube outside.
  EXPECT_EQ(count(topA, SoVRMLSphere::getClassTypeId()), 1);
  EXPECT_EQ(count(topB, SoVRMLSphere::getClassTypeId()), 1);
  EXPECT_EQ(count(result, SoVRMLShape::getClassTypeId()), 2);
  // Nothing of the views' cameras, backgrounds or borders: Coin would have
  // left a WorldInfo for every camera it cannot convert.
  EXPECT_EQ(count(result, SoVRMLWorldInfo::getClassTypeId()), 0);
  EXPECT_EQ(count(result, SoVRMLNavigationInfo::getClassTypeId()), 0);
}

TEST(VRMLSceneViews, ViewsInsideSwitchesAndKitsAreFoundButNotInsideViews) {
  Root root;
  SoSwitch *choice = new SoSwitch; // shows nothing, yet converts every choice
  PoSceneView *hidden = sceneView(SbVec2f(0, 0), SbVec2f(1, 1), smallScene());
  choice->addChild(hidden);
  root->addChild(choice);
  PoSceneView *nested = sceneView(SbVec2f(0, 0), SbVec2f(0.5f, 0.5f), smallScene());
  PoSceneView *outer = sceneView(SbVec2f(0, 0), SbVec2f(1, 1), nested);
  root->addChild(outer);
  root->addChild(hidden); // met twice, recorded once

  PoToVRML2Action action;
  action.apply(root.get());
  ASSERT_EQ(numSceneViews(action), 2);
  const PoConvertGuts *guts = static_cast<const PoConvertGuts *>(action.getConvertGuts());
  EXPECT_EQ(guts->getSceneViewInfo(0)->sceneView, hidden);
  EXPECT_EQ(guts->getSceneViewInfo(1)->sceneView, outer);
  EXPECT_EQ(guts->findSceneView(nested), -1);
  // The nested view is ordinary content of the outer view's scene.
  ViewerFixed form = viewerFixed(viewGroup(action, 1));
  ASSERT_NE(form.top, nullptr);
  EXPECT_EQ(count(form.top, SoVRMLShape::getClassTypeId()), 2);
  EXPECT_EQ(count(action.getVRML2SceneGraph(), SoVRMLProximitySensor::getClassTypeId()), 2);
}

TEST(VRMLSceneViews, ViewsWithoutSceneOrCameraAreSkipped) {
  Root root;
  PoSceneView *noScene = sceneView(SbVec2f(0, 0), SbVec2f(1, 1), nullptr);
  PoSceneView *noCamera = new PoSceneView;
  static_cast<SoGroup *>(noCamera->getPart("scene", TRUE))->addChild(smallScene());
  root->addChild(noScene);
  root->addChild(noCamera);
  root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), smallScene()));

  PoToVRML2Action action;
  action.apply(root.get());
  ASSERT_EQ(numSceneViews(action), 3);
  ASSERT_NE(viewGroup(action, 0), nullptr);
  ASSERT_NE(viewGroup(action, 1), nullptr);
  EXPECT_EQ(viewGroup(action, 0)->getNumChildren(), 0);
  EXPECT_EQ(viewGroup(action, 1)->getNumChildren(), 0);
  EXPECT_TRUE(isViewerFixed(viewGroup(action, 2)));
  // No camera kit was made on the way.
  EXPECT_EQ(noCamera->getPart("cameraKit", FALSE), nullptr);
}

TEST(VRMLSceneViews, SceneContentIsNeverTakenForHeaderNodes) {
  // The scene's nodes sit straight in the "scene" group, so its converted
  // top node holds them directly: only the two head nodes the conversion
  // added may go, not the first two shapes.
  Root root;
  PoSceneView *view = sceneView(SbVec2f(0, 0), SbVec2f(1, 1), new SoCube);
  static_cast<SoGroup *>(view->getPart("scene", FALSE))->addChild(new SoSphere);
  root->addChild(view);
  PoToVRML2Action action;
  action.apply(root.get());
  SoNode *top = viewerFixed(viewGroup(action, 0)).top;
  ASSERT_NE(top, nullptr);
  ASSERT_TRUE(top->isOfType(SoVRMLGroup::getClassTypeId()));
  SoVRMLGroup *group = static_cast<SoVRMLGroup *>(top);
  ASSERT_EQ(group->getNumChildren(), 2);
  EXPECT_TRUE(group->getChild(0)->isOfType(SoVRMLShape::getClassTypeId()));
  EXPECT_TRUE(group->getChild(1)->isOfType(SoVRMLShape::getClassTypeId()));
}

namespace {
std::set<std::pair<std::string, int>> g_rebuildSeen;
void recordRebuildBlock(void *, SoAction *action) {
  g_rebuildSeen.insert({action->getTypeId().getName().getString(), PoBase::isRebuildBlocked()});
}
} // namespace

TEST(VRMLSceneViews, RebuildIsBlockedAcrossTheConversionOnly) {
  Root root;
  SoCallback *probe = new SoCallback;
  probe->setCallback(recordRebuildBlock);
  root->addChild(probe);
  SoSeparator *scene = new SoSeparator;
  scene->addChild(probe);
  root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), scene));

  g_rebuildSeen.clear();
  PoToVRML2Action action;
  action.apply(root.get());
  EXPECT_EQ(PoBase::isRebuildBlocked(), 0);
  EXPECT_TRUE(g_rebuildSeen.count({"SoGetBoundingBoxAction", 0}));
  EXPECT_FALSE(g_rebuildSeen.count({"SoGetBoundingBoxAction", 1}));
  EXPECT_TRUE(g_rebuildSeen.count({"SoCallbackAction", 1}));
  EXPECT_FALSE(g_rebuildSeen.count({"SoCallbackAction", 0}));
}

TEST(VRMLSceneViews, ConvertsAfterTheClassesAreRegisteredAnew) {
  {
    ModuleRegisteredAgain reset;
    PoBaseView::exitClasses();
  }
  Root root;
  root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), smallScene()));
  PoToVRML2Action action;
  action.apply(root.get());
  EXPECT_TRUE(isViewerFixed(viewGroup(action, 0)));
  // Ordinary callback traversals still reach into the views.
  SoCallbackAction callback;
  callback.apply(root.get());
}

TEST(VRMLSceneViews, ApplyingAgainConvertsTheGraphAsItIsNow) {
  // Coin's action hands out its earlier conversion of a separator again;
  // the export must see what changed in between.
  Root root;
  SoSeparator *outside = new SoSeparator;
  outside->addChild(new SoCube);
  root->addChild(outside);
  SoSeparator *scene = new SoSeparator;
  scene->addChild(new SoCube);
  root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), scene));

  PoToVRML2Action action;
  action.apply(root.get());
  EXPECT_EQ(count(action.getVRML2SceneGraph(), SoVRMLShape::getClassTypeId()), 2);
  outside->addChild(new SoSphere);
  scene->addChild(new SoSphere);
  action.apply(root.get());
  EXPECT_EQ(count(action.getVRML2SceneGraph(), SoVRMLShape::getClassTypeId()), 4);
  ViewerFixed form = viewerFixed(viewGroup(action, 0));
  ASSERT_NE(form.top, nullptr);
  EXPECT_EQ(count(form.top, SoVRMLSphere::getClassTypeId()), 1);

  // The same after a path form has run on the action.
  SoPath *path = new SoPath(root.get());
  path->ref();
  path->append(outside);
  action.apply(path);
  path->unref();
  scene->addChild(new SoCube);
  action.apply(root.get());
  form = viewerFixed(viewGroup(action, 0));
  ASSERT_NE(form.top, nullptr);
  EXPECT_EQ(count(form.top, SoVRMLShape::getClassTypeId()), 3);
}

TEST(VRMLSceneViews, ASceneViewAsTheRootOfTheConversion) {
  PoSceneView *view = sceneView(SbVec2f(0.5f, 0.5f), SbVec2f(0.5f, 0.5f), smallScene());
  view->ref();
  PoToVRML2Action action;
  action.setFirstSceneViewSensitive(1);
  action.apply(view);
  ASSERT_EQ(numSceneViews(action), 1);
  Navigable form = navigable(viewGroup(action, 0));
  ASSERT_NE(form.top, nullptr);
  EXPECT_EQ(count(form.top, SoVRMLShape::getClassTypeId()), 2);
  EXPECT_TRUE(contains(action.getVRML2SceneGraph(), viewGroup(action, 0)));
  view->unref();
}

TEST(VRMLSceneViews, ViewWithACameraWithoutFieldOfViewIsSkipped) {
  // A frustum camera has no height angle to read nor a height to turn into
  // one; its view is left empty rather than read as a perspective camera.
  Root root;
  root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), smallScene(), new SoFrustumCamera));
  root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), smallScene()));
  PoToVRML2Action action;
  action.apply(root.get());
  ASSERT_EQ(numSceneViews(action), 2);
  ASSERT_NE(viewGroup(action, 0), nullptr);
  EXPECT_EQ(viewGroup(action, 0)->getNumChildren(), 0);
  EXPECT_TRUE(isViewerFixed(viewGroup(action, 1)));
}

TEST(VRMLSceneViews, SettingsSurviveTheConversion) {
  // The scenes of the views are converted with Coin's default settings on
  // the action itself; the action's own settings are put back.
  Root root;
  root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), smallScene()));
  PoToVRML2Action action;
  action.reusePropertyNodes(TRUE);
  action.convertInlineNodes(FALSE);
  action.conditionalConversion(TRUE);
  action.expandTexture2Node(TRUE);
  action.setUrlName("views.wrl");
  action.apply(root.get());
  EXPECT_TRUE(action.doReusePropertyNodes());
  EXPECT_FALSE(action.doConvertInlineNodes());
  EXPECT_TRUE(action.doConditionalConversion());
  EXPECT_TRUE(action.areTexture2NodeExpanded());
  EXPECT_EQ(action.getUrlName(), SbString("views.wrl"));
  EXPECT_TRUE(isViewerFixed(viewGroup(action, 0)));
}
