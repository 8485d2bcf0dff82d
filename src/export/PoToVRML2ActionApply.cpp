// The node form of the VRML export: Coin's conversion of the whole graph in
// a Collision node, then every scene view's output rebuilt from its scene,
// its camera and its viewport.

#include "PoToVRML2Action.h"

#include "NestedSceneViewBounds.h"

#include "PoBase.h"
#include "PoConvertGuts.h"
#include "PoConvertGutsVRML2.h"
#include "PoSceneView.h"
#include "SceneViewPlacement.h"
#include "VRML2SceneConversion.h"
#include "VRML2FileNames.h"

#include <Inventor/SbBox3f.h>
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

#include <algorithm>
#include <cfloat>
#include <cmath>
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

void addViewerFixedForm(SoVRMLParent *group, const SceneViewPlacement::Overlay &overlay,
                        SoVRMLTransform *placement, SoNode *top, int index) {
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
  cameraTransform->setMatrix(overlay.camera);

  placement->translation.setValue(overlay.translation);
  placement->scale.setValue(overlay.scale);
  group->addChild(sensor);
  group->addChild(follower);
  follower->addChild(placement);
  placement->addChild(cameraTransform);
  cameraTransform->addChild(top);
}

// The depths an overlay puts its scene at, in front of the eye.
struct DepthRange {
  float nearest = FLT_MAX;
  float farthest = 0.0f;
};

DepthRange depthRange(const SbBox3f &box, const SbMatrix &map) {
  DepthRange range;
  if (box.isEmpty()) return range;
  const SbVec3f &lo = box.getMin(), &hi = box.getMax();
  for (int corner = 0; corner < 8; ++corner) {
    SbVec3f point((corner & 1) ? hi[0] : lo[0], (corner & 2) ? hi[1] : lo[1],
                  (corner & 4) ? hi[2] : lo[2]);
    map.multVecMatrix(point, point);
    range.nearest = std::min(range.nearest, -point[2]);
    range.farthest = std::max(range.farthest, -point[2]);
  }
  return range;
}

// The scene's own geometry: the views nested in it are overlays of their own.
SbBox3f boundsOf(SoNode *scene) {
  NestedSceneViewsLeftOut ownGeometryOnly;
  SoGetBoundingBoxAction bounds((SbViewportRegion()));
  bounds.apply(scene);
  return bounds.getBoundingBox();
}

} // namespace

void PoToVRML2Action::apply(SoNode *node) {
  if (!node) {
    keepResult(nullptr);
    return;
  }
  // Core-library nodes may still rebuild during this pass, and only here.
  // Its box is not used. Coin's separators cache no box in camera space;
  // building caches would cost each separator as many steps as it is deep.
  SbViewportRegion region;
  std::unique_ptr<SoGetBoundingBoxAction> bounds(new SoGetBoundingBoxAction(region));
  bounds->setInCameraSpace(TRUE);
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

  convertSceneViews(*engine, collision);
  VRML2FileNames::assign(collision);
  m_toVRMLStage.releaseResult();
}

// Scene views are converted round by round: first those met in the graph,
// then those met in their scenes, and so on. Each round converts its views'
// scenes in one conversion, in which the scene views met are recorded as new
// entries. A nested view is an overlay of its own, beside its parent's and
// nearer the eye than all of the round before it, as it is drawn over them.
void PoToVRML2Action::convertSceneViews(SoToVRML2Action &engine, SoVRMLGroup *collision) {
  PoConvertGuts *firstStage = static_cast<PoConvertGuts *>(getConvertGuts());
  if (!firstStage || firstStage->getSceneViewInfoNum() <= 0) return;
  // Scenes convert with Coin's default settings.
  PoConvertGutsVRML2 sceneConverter(firstStage);

  std::vector<std::unique_ptr<VRML2SceneConversion>> rounds;
  std::vector<SceneViewSources> sources;
  float browserFieldOfView = SceneViewPlacement::kBrowserFieldOfView;
  bool viewerFixed = false;
  std::size_t roundStart = 0;
  float roundBeforeNearest = FLT_MAX;
  for (int round = 0; roundStart < std::size_t(firstStage->getSceneViewInfoNum()); ++round) {
    const std::size_t roundEnd = std::size_t(firstStage->getSceneViewInfoNum());
    std::vector<SoNode *> scenes;
    for (std::size_t i = roundStart; i < roundEnd; ++i) {
      sources.push_back(sourcesOf(*firstStage->getSceneViewInfo(int(i))));
      const SceneViewSources &view = sources.back();
      scenes.push_back(view.vrmlGroup && view.camera ? view.scene : nullptr);
    }
    // All scenes of a round in one conversion, so that what they share
    // converts once. Every round's conversion lives to the end (see
    // VRML2SceneConversion).
    rounds.emplace_back(new VRML2SceneConversion(scenes, &engine, false, &sceneConverter));
    const VRML2SceneConversion &conversion = *rounds.back();
    float roundNearest = FLT_MAX;

    for (std::size_t i = roundStart; i < roundEnd; ++i) {
      const int index = int(i);
      SceneViewSources &view = sources[i];
      if (!view.vrmlGroup) continue;
      if (round > 0) {
        // Out of its parent's overlay, which would move it with its parent.
        view.vrmlGroup->removeAllChildren();
        view.vrmlGroup = new SoVRMLGroup;
        collision->addChild(view.vrmlGroup);
        firstStage->getSceneViewInfo(index)->vrmlGroup = view.vrmlGroup;
      }
      // Whatever the graph's conversion made of the view is dropped.
      view.vrmlGroup->removeAllChildren();
      view.vrmlGroup->setName(partName(index, nullptr));
      SoNode *top = scenes[i - roundStart] ? conversion.takeScene(int(i - roundStart)) : nullptr;
      if (!top) continue;
      top->setName(partName(index, "Scene"));

      const SbVec2f origin = view.sceneView->viewportOrigin.getValue();
      const SbVec2f size = view.sceneView->viewportSize.getValue();
      const bool orthographic = view.camera->isOfType(SoOrthographicCamera::getClassTypeId());
      SoVRMLTransform *placement = new SoVRMLTransform;
      placement->setName(partName(index, "Placement"));

      if (isFirstSceneViewSensitive() && index == 0) {
        // An orthographic camera is seen through a perspective one that
        // shows the same height at the focal distance.
        SoPerspectiveCamera *working = nullptr;
        if (orthographic) {
          working = SceneViewPlacement::perspectiveFor(*static_cast<SoOrthographicCamera *>(view.camera));
          working->ref();
        }
        SoPerspectiveCamera *perspective =
            working ? working : static_cast<SoPerspectiveCamera *>(view.camera);
        const float height = SceneViewPlacement::viewHeight(perspective->heightAngle.getValue(),
                                                            perspective->focalDistance.getValue());
        const SbVec3f translation = SceneViewPlacement::offset(origin, size, height);
        const float scale = SceneViewPlacement::scale(size);
        if (!std::isfinite(translation[0]) || !std::isfinite(translation[1]) ||
            !std::isfinite(scale)) {
          // As for an overlay below: a viewport whose placement overflows.
          placement->ref();
          placement->unref();
          if (working) working->unref();
          continue;
        }
        placement->translation.setValue(translation);
        addNavigableForm(view.vrmlGroup, *perspective, placement, scale, index);
        placement->addChild(top);
        // The other overlays are placed for the field of view it binds.
        browserFieldOfView = perspective->heightAngle.getValue();
        if (working) working->unref();
        continue;
      }

      SbMatrix viewing, projection;
      view.camera->getViewVolume(0.0f).getMatrices(viewing, projection);
      const bool needsDepth = orthographic || round > 0 || firstStage->getSceneViewInfoNum() > int(roundEnd);
      const SbBox3f box = needsDepth ? boundsOf(view.scene) : SbBox3f();
      SceneViewPlacement::Overlay overlay;
      if (orthographic) {
        const SoOrthographicCamera *camera = static_cast<SoOrthographicCamera *>(view.camera);
        SbMatrix toFocalPlane;
        toFocalPlane.setTranslate(SbVec3f(0.0f, 0.0f, camera->focalDistance.getValue()));
        const DepthRange slab = depthRange(box, viewing * toFocalPlane);
        const float extent = box.isEmpty() ? 1.0f : std::max(std::fabs(slab.nearest), std::fabs(slab.farthest));
        overlay = SceneViewPlacement::orthographicOverlay(
            viewing, camera->height.getValue(), camera->focalDistance.getValue(), origin, size,
            browserFieldOfView, extent);
      } else {
        const SoPerspectiveCamera *camera = static_cast<SoPerspectiveCamera *>(view.camera);
        overlay = SceneViewPlacement::perspectiveOverlay(
            viewing, camera->heightAngle.getValue(), camera->focalDistance.getValue(), origin, size,
            browserFieldOfView);
      }
      DepthRange range = depthRange(box, overlay.matrix());
      // Content that reaches the eye (clipped there in a browser as in the
      // render) leaves no room in front of it.
      if (round > 0 && roundBeforeNearest > 0.0f && range.farthest > 0.0f &&
          range.farthest >= 0.9f * roundBeforeNearest) {
        const float factor = 0.9f * roundBeforeNearest / range.farthest;
        overlay = overlay.nearer(factor);
        range.nearest *= factor;
        range.farthest *= factor;
      }
      // A viewport so far out or so large that its placement overflows lies
      // in no window: the view shows nothing, rather than writing infinities.
      if (!overlay.isFinite()) {
        placement->ref();
        placement->unref();
        continue;
      }
      roundNearest = std::min(roundNearest, range.nearest);
      addViewerFixedForm(view.vrmlGroup, overlay, placement, top, index);
      viewerFixed = true;
    }
    roundBeforeNearest = std::min(roundBeforeNearest, roundNearest);
    roundStart = roundEnd;
  }
  if (viewerFixed && !isFirstSceneViewSensitive()) {
    // The field of view the overlays are placed for, bound first.
    SoVRMLViewpoint *viewpoint = new SoVRMLViewpoint;
    viewpoint->setName("Overlays_Viewpoint");
    viewpoint->fieldOfView.setValue(SceneViewPlacement::kBrowserFieldOfView);
    viewpoint->description.setValue("Overlays placed for this 45-degree field of view and a square window");
    collision->insertChild(viewpoint, 0);
  }
}
