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

#include <algorithm>
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

// Where a point of a view's scene lands in a square window, in window
// fractions: as Coin renders it in the view's viewport, and as a browser
// with the given field of view shows the view's overlay, seen from its
// default viewpoint.
SbVec2f rendered(SoCamera *camera, const SbVec2f &origin, const SbVec2f &size, const SbVec3f &point) {
  const float aspect = size[0] / size[1];
  SbViewVolume volume = camera->getViewVolume(aspect);
  if (aspect < 1.0f) volume.scale(1.0f / aspect);
  SbVec3f screen;
  volume.projectToScreen(point, screen);
  return SbVec2f(origin[0] + size[0] * screen[0], origin[1] + size[1] * screen[1]);
}

SbVec2f overlaid(const ViewerFixed &form, const SbVec3f &point, float fieldOfView, float *depth) {
  SbVec3f eye;
  (matrixOf(form.camera) * matrixOf(form.placement)).multVecMatrix(point, eye);
  const float tangent = std::tan(fieldOfView / 2.0f);
  *depth = -eye[2];
  return SbVec2f(0.5f + 0.5f * eye[0] / (-eye[2] * tangent), 0.5f + 0.5f * eye[1] / (-eye[2] * tangent));
}

// Points around the view's focal point, nearer and farther than it.
std::vector<SbVec3f> probePoints(SoCamera *camera) {
  SbVec3f focal;
  camera->orientation.getValue().multVec(SbVec3f(0, 0, -camera->focalDistance.getValue()), focal);
  focal += camera->position.getValue();
  std::vector<SbVec3f> points;
  for (float dz : {-1.5f, 0.0f, 2.0f})
    for (float dx : {-1.0f, 0.7f})
      points.push_back(focal + SbVec3f(dx, 0.4f * dx + 0.3f, dz));
  return points;
}

// Every probe point of the view's scene lands in the overlay where the
// render draws it, within a ten-thousandth of the window.
void expectLandsAsRendered(const ViewerFixed &form, SoCamera *camera, const SbVec2f &origin,
                           const SbVec2f &size, float fieldOfView = 0.785398163f) {
  ASSERT_NE(form.camera, nullptr);
  for (const SbVec3f &point : probePoints(camera)) {
    float depth = 0.0f;
    const SbVec2f expected = rendered(camera, origin, size, point);
    const SbVec2f actual = overlaid(form, point, fieldOfView, &depth);
    EXPECT_GT(depth, 0.0f);
    EXPECT_NEAR(actual[0], expected[0], 1e-4f) << point[0] << " " << point[1] << " " << point[2];
    EXPECT_NEAR(actual[1], expected[1], 1e-4f) << point[0] << " " << point[1] << " " << point[2];
  }
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
  // The camera transform adds to the camera's view the shear that places
  // points off the focal plane.
  expectLandsAsRendered(form, camera, SbVec2f(0.5f, 0.5f), SbVec2f(0.5f, 0.25f));
  SbVec3f onFocalPlane;
  matrixOf(form.camera).multVecMatrix(SbVec3f(1.0f, 2.0f, 5.0f), onFocalPlane);
  expectVec(onFocalPlane, 0.0f, 0.0f, -5.0f);

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

  // Viewer-fixed: the scene flattened where the orthographic camera shows it,
  // for the field of view the navigable view binds.
  ViewerFixed second = viewerFixed(viewGroup(action, 1));
  PoSceneView *view = static_cast<PoSceneView *>(root->getChild(1));
  expectLandsAsRendered(second, static_cast<SoCamera *>(view->getPart("cameraKit.camera", FALSE)),
                        SbVec2f(0.5f, 0.5f), SbVec2f(0.5f, 0.25f), 0.394791f);
}

TEST(VRMLSceneViews, SwitchChoosesTheFormOfEntryZeroOnly) {
  Root root;
  for (int i = 0; i < 3; ++i)
    root->addChild(sceneView(SbVec2f(0.1f * i, 0.0f), SbVec2f(0.3f, 0.3f), smallScene()));

  PoToVRML2Action off;
  off.apply(root.get());
  ASSERT_EQ(numSceneViews(off), 3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(isViewerFixed(viewGroup(off, i))) << i;
  // One viewpoint at the head, binding the field of view the overlays
  // are placed for.
  EXPECT_EQ(count(off.getVRML2SceneGraph(), SoVRMLViewpoint::getClassTypeId()), 1);
  SoNode *head = off.getVRML2SceneGraph()->getChild(0);
  ASSERT_TRUE(head->isOfType(SoVRMLViewpoint::getClassTypeId()));
  EXPECT_NEAR(static_cast<SoVRMLViewpoint *>(head)->fieldOfView.getValue(), 0.785398f, 1e-6f);
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

TEST(VRMLSceneViews, ViewsInsideSwitchesAndKitsAreFoundAndNestedViewsAreOverlaysOfTheirOwn) {
  Root root;
  SoSwitch *choice = new SoSwitch; // shows nothing, yet converts every choice
  PoSceneView *hidden = sceneView(SbVec2f(0, 0), SbVec2f(1, 1), smallScene());
  choice->addChild(hidden);
  root->addChild(choice);
  PoSceneView *nested = sceneView(SbVec2f(0, 0), SbVec2f(0.5f, 0.5f), smallScene());
  nested->isBackgroundVisible = TRUE;
  PoSceneView *outer = sceneView(SbVec2f(0, 0), SbVec2f(1, 1), nested);
  root->addChild(outer);
  root->addChild(hidden); // met twice, recorded once

  PoToVRML2Action action;
  action.apply(root.get());
  ASSERT_EQ(numSceneViews(action), 3);
  const PoConvertGuts *guts = static_cast<const PoConvertGuts *>(action.getConvertGuts());
  EXPECT_EQ(guts->getSceneViewInfo(0)->sceneView, hidden);
  EXPECT_EQ(guts->getSceneViewInfo(1)->sceneView, outer);
  EXPECT_EQ(guts->getSceneViewInfo(2)->sceneView, nested);
  // The nested view's scene is in its own overlay, not in the outer one's,
  // and none of its parts (camera, background) is converted.
  ViewerFixed form = viewerFixed(viewGroup(action, 1));
  ASSERT_NE(form.top, nullptr);
  EXPECT_EQ(count(form.top, SoVRMLShape::getClassTypeId()), 0);
  ViewerFixed inner = viewerFixed(viewGroup(action, 2));
  ASSERT_NE(inner.top, nullptr);
  EXPECT_EQ(count(inner.top, SoVRMLShape::getClassTypeId()), 2);
  EXPECT_FALSE(contains(form.top, viewGroup(action, 2)));
  EXPECT_EQ(count(action.getVRML2SceneGraph(), SoVRMLProximitySensor::getClassTypeId()), 3);
  EXPECT_EQ(count(action.getVRML2SceneGraph(), SoVRMLWorldInfo::getClassTypeId()), 0);
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

namespace {

// The depths of the corners of scene's bounds, through an overlay.
std::pair<float, float> overlayDepths(const ViewerFixed &form, SoNode *scene) {
  SoGetBoundingBoxAction bounds((SbViewportRegion()));
  bounds.apply(scene);
  const SbBox3f box = bounds.getBoundingBox();
  const SbMatrix map = matrixOf(form.camera) * matrixOf(form.placement);
  float nearest = FLT_MAX, farthest = 0.0f;
  for (int corner = 0; corner < 8; ++corner) {
    SbVec3f point((corner & 1) ? box.getMax()[0] : box.getMin()[0],
                  (corner & 2) ? box.getMax()[1] : box.getMin()[1],
                  (corner & 4) ? box.getMax()[2] : box.getMin()[2]);
    map.multVecMatrix(point, point);
    nearest = std::min(nearest, -point[2]);
    farthest = std::max(farthest, -point[2]);
  }
  return {nearest, farthest};
}

} // namespace

TEST(VRMLSceneViews, OverlaysLandWhereTheViewsAreDrawn) {
  struct Case {
    const char *name;
    SbVec2f origin, size;
    bool orthographic;
    float angleOrHeight;
    SbVec3f position;
    SbRotation orientation;
    bool nested; // in the scene of a view filling the window
  };
  const Case cases[] = {
      {"0.6 rad", SbVec2f(0.1f, 0.55f), SbVec2f(0.4f, 0.3f), false, 0.6f, SbVec3f(1, 2, 8), SbRotation(),
       false},
      {"45 degrees, turned, tall view", SbVec2f(0.6f, 0.1f), SbVec2f(0.3f, 0.5f), false, 0.785398f,
       SbVec3f(0, 5, 5), SbRotation(SbVec3f(1, 0, 0), -0.785398f), false},
      {"1.2 rad, wide view", SbVec2f(0.0f, 0.0f), SbVec2f(0.7f, 0.2f), false, 1.2f, SbVec3f(0, 0, 4),
       SbRotation(), false},
      {"orthographic", SbVec2f(0.55f, 0.6f), SbVec2f(0.4f, 0.3f), true, 3.0f, SbVec3f(0, 0, 5),
       SbRotation(), false},
      {"orthographic, turned", SbVec2f(0.2f, 0.2f), SbVec2f(0.2f, 0.4f), true, 2.0f, SbVec3f(3, 0, 0),
       SbRotation(SbVec3f(0, 1, 0), 1.5708f), false},
      {"nested, 0.6 rad", SbVec2f(0.7f, 0.7f), SbVec2f(0.25f, 0.25f), false, 0.6f, SbVec3f(0, 0, 6),
       SbRotation(), true},
      {"nested, orthographic", SbVec2f(0.05f, 0.6f), SbVec2f(0.3f, 0.3f), true, 2.5f, SbVec3f(0, 0, 5),
       SbRotation(), true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Root root;
    SoCamera *camera;
    if (c.orthographic) {
      SoOrthographicCamera *orthographic = new SoOrthographicCamera;
      orthographic->height = c.angleOrHeight;
      camera = orthographic;
    } else {
      camera = perspective(c.angleOrHeight, 5.0f);
    }
    camera->position = c.position;
    camera->orientation = c.orientation;
    PoSceneView *view = sceneView(c.origin, c.size, smallScene(), camera);
    PoSceneView *outer = nullptr;
    if (c.nested) {
      // The enclosing view's scene reaches nearer the eye than the nested one's.
      SoSeparator *big = new SoSeparator;
      SoCube *cube = new SoCube;
      cube->depth = 6.0f;
      big->addChild(cube);
      big->addChild(view);
      SoCamera *outerCamera = perspective(0.785398f, 5.0f);
      outerCamera->position.setValue(0, 0, 8);
      outer = sceneView(SbVec2f(0, 0), SbVec2f(1, 1), big, outerCamera);
      root->addChild(outer);
    } else {
      root->addChild(view);
    }
    PoToVRML2Action action;
    action.apply(root.get());
    ASSERT_EQ(numSceneViews(action), c.nested ? 2 : 1);
    const ViewerFixed form = viewerFixed(viewGroup(action, c.nested ? 1 : 0));
    expectLandsAsRendered(form, camera, c.origin, c.size);
    if (c.nested) {
      const ViewerFixed parent = viewerFixed(viewGroup(action, 0));
      const auto inner = overlayDepths(form, view->getPart("scene", FALSE));
      const auto around = overlayDepths(parent, outer->getPart("scene", FALSE));
      EXPECT_GT(inner.first, 0.0f);
      EXPECT_LT(inner.second, around.first);
    }
  }
}
