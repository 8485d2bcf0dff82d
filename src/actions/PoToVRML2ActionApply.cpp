// The node form of the VRML export: Coin's conversion of the whole graph in
// a Collision node, then every scene view's output rebuilt from its scene,
// its camera and its viewport.

#include "PoToVRML2Action.h"

#include "PoBase.h"
#include "PoConvertGuts.h"
#include "PoConvertGutsVRML2.h"
#include "PoSceneView.h"
#include "SceneViewPlacement.h"
#include "SoVRML2SceneConversion.h"
#include "VRML2FileNames.h"

#include <Inventor/SbMatrix.h>
#include <Inventor/SbString.h>
#include <Inventor/SbViewVolume.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/VRMLnodes/SoVRMLCollision.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLProximitySensor.h>
#include <Inventor/VRMLnodes/SoVRMLTransform.h>
#include <Inventor/VRMLnodes/SoVRMLViewpoint.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <cfloat>
#include <memory>
#include <vector>

namespace {

// What one scene view brings to its output.
struct SceneViewSources {
  PoSceneView *sceneView = nullptr;
  SoVRMLParent *vrmlGroup = nullptr;
  SoNode *scene = nullptr;
  SoCamera *camera = nullptr;
};

// A scene view is converted only when it has a group in the result, a scene
// and a camera a field of view can be taken from.
SceneViewSources sourcesOf(const PoConvertGuts::SceneViewInfo &entry) {
  SceneViewSources sources;
  sources.sceneView = entry.sceneView;
  sources.vrmlGroup = entry.vrmlGroup;
  if (!entry.sceneView || !entry.vrmlGroup) return sources;
  sources.scene = entry.sceneView->getPart("scene", FALSE);
  SoNode *camera = entry.sceneView->getPart("cameraKit.camera", FALSE);
  if (camera && (camera->isOfType(SoPerspectiveCamera::getClassTypeId()) ||
                 camera->isOfType(SoOrthographicCamera::getClassTypeId())))
    sources.camera = static_cast<SoCamera *>(camera);
  return sources;
}

SbName partName(int index, const char *part) {
  SbString name("SceneView");
  name.addIntString(index);
  if (part) {
    name += "_";
    name += part;
  }
  return SbName(name);
}

void addNavigableForm(SoVRMLParent *group, SoPerspectiveCamera &camera,
                      SoVRMLTransform *placement, float m, int index) {
  placement->scale.setValue(m, m, m);
  SoVRMLViewpoint *viewpoint = new SoVRMLViewpoint;
  viewpoint->setName(partName(index, "Viewpoint"));
  if (!camera.position.isDefault()) viewpoint->position = camera.position.getValue();
  if (!camera.orientation.isDefault()) viewpoint->orientation = camera.orientation.getValue();
  if (!camera.heightAngle.isDefault()) viewpoint->fieldOfView = camera.heightAngle.getValue();
  group->addChild(viewpoint);
  group->addChild(placement);
}

void addViewerFixedForm(SoVRMLParent *group, const SbMatrix &viewing,
                        SoVRMLTransform *placement, SoNode *top, float m, int index) {
  // A sensor as large as single precision allows sees the user everywhere.
  SoVRMLProximitySensor *sensor = new SoVRMLProximitySensor;
  sensor->setName(partName(index, "Sensor"));
  sensor->size.setValue(FLT_MAX, FLT_MAX, FLT_MAX);
  sensor->center.connectFrom(&sensor->position_changed);

  SoVRMLTransform *follower = new SoVRMLTransform;
  follower->setName(partName(index, "Follower"));
  follower->translation.connectFrom(&sensor->position_changed);
  follower->rotation.connectFrom(&sensor->orientation_changed);

  SoVRMLTransform *cameraTransform = new SoVRMLTransform;
  cameraTransform->setName(partName(index, "Camera"));
  cameraTransform->setMatrix(viewing);

  placement->scale.setValue(m, m, 1.0f);
  group->addChild(sensor);
  group->addChild(follower);
  follower->addChild(placement);
  placement->addChild(cameraTransform);
  cameraTransform->addChild(top);
}

} // namespace

void PoToVRML2Action::apply(SoNode *node) {
  if (!node) {
    keepResult(nullptr);
    return;
  }
  // Core-library nodes may still rebuild during this pass, and only here.
  SbViewportRegion region;
  std::unique_ptr<SoGetBoundingBoxAction> bounds(new SoGetBoundingBoxAction(region));
  bounds->apply(node);

  PoRebuildBlock block;
  runFirstStage(node);
  PoConvertGuts *firstStage = static_cast<PoConvertGuts *>(getConvertGuts());
  // One Coin action does both conversions of this apply, the graph's and the
  // scene views' scenes': within one apply the graph cannot change, and a
  // subgraph met by both is converted once.
  std::unique_ptr<SoToVRML2Action> spare;
  SoToVRML2Action *engine = takeEngine(spare);
  std::unique_ptr<PoConvertGutsVRML2> vrml2(new PoConvertGutsVRML2(firstStage));
  vrml2->setEngine(engine);
  vrml2->setReuseAppearanceNodes(doReuseAppearanceNodes());
  vrml2->setReuseGeometryPropertyNodes(doReusePropertyNodes());
  vrml2->setReuseGeometryNodes(doReuseGeometryNodes());
  vrml2->setConvertInlineNodes(doConvertInlineNodes());
  vrml2->setConditionalConversion(doConditionalConversion());
  vrml2->setExpandTextureNodes(areTexture2NodeExpanded());
  SoVRMLGroup *converted = vrml2->convertTovrinToVRML2(m_toVRMLStage.getVRMLSceneGraph());

  SoVRMLCollision *collision = new SoVRMLCollision;
  collision->collide.setValue(FALSE);
  if (converted) collision->addChild(converted);
  keepResult(collision);

  convertSceneViews(*engine);
  VRML2FileNames::assign(collision);
  m_toVRMLStage.releaseResult();
}

void PoToVRML2Action::convertSceneViews(SoToVRML2Action &engine) {
  PoConvertGuts *firstStage = static_cast<PoConvertGuts *>(getConvertGuts());
  const int n = firstStage ? firstStage->getSceneViewInfoNum() : 0;
  if (n <= 0) return;

  std::vector<SceneViewSources> sources;
  std::vector<SoNode *> scenes;
  for (int i = 0; i < n; ++i) {
    sources.push_back(sourcesOf(*firstStage->getSceneViewInfo(i)));
    const SceneViewSources &view = sources.back();
    scenes.push_back(view.vrmlGroup && view.camera ? view.scene : nullptr);
  }
  // All scenes in one conversion, so that what they share converts once.
  SoVRML2SceneConversion conversion(scenes, &engine);

  for (int i = 0; i < n; ++i) {
    const SceneViewSources &view = sources[static_cast<std::size_t>(i)];
    if (!view.vrmlGroup) continue;
    // Whatever the graph's conversion made of the view is dropped.
    view.vrmlGroup->removeAllChildren();
    view.vrmlGroup->setName(partName(i, nullptr));
    SoNode *top = scenes[static_cast<std::size_t>(i)] ? conversion.takeScene(i) : nullptr;
    if (!top) continue;
    top->setName(partName(i, "Scene"));

    // An orthographic camera is seen through a perspective one that shows
    // the same height at the focal distance.
    SoPerspectiveCamera *working = nullptr;
    SoPerspectiveCamera *perspective;
    if (view.camera->isOfType(SoOrthographicCamera::getClassTypeId())) {
      working = SceneViewPlacement::perspectiveFor(*static_cast<SoOrthographicCamera *>(view.camera));
      working->ref();
      perspective = working;
    } else {
      perspective = static_cast<SoPerspectiveCamera *>(view.camera);
    }

    SbMatrix viewing, projection;
    perspective->getViewVolume(0.0f).getMatrices(viewing, projection);

    const SbVec2f origin = view.sceneView->viewportOrigin.getValue();
    const SbVec2f size = view.sceneView->viewportSize.getValue();
    const float height = SceneViewPlacement::viewHeight(perspective->heightAngle.getValue(),
                                                        perspective->focalDistance.getValue());
    const float m = SceneViewPlacement::scale(size);

    SoVRMLTransform *placement = new SoVRMLTransform;
    placement->setName(partName(i, "Placement"));
    placement->translation.setValue(SceneViewPlacement::offset(origin, size, height));

    if (isFirstSceneViewSensitive() && i == 0) {
      addNavigableForm(view.vrmlGroup, *perspective, placement, m, i);
      placement->addChild(top);
    } else {
      addViewerFixedForm(view.vrmlGroup, viewing, placement, top, m, i);
    }
    if (working) working->unref();
  }
}
