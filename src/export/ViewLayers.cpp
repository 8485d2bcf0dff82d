#include "ViewLayers.h"

#include "PoSceneView.h"
#include "PoView.h"
#include "ViewCamera.h"
#include "ViewWalk.h"

#include <Inventor/SbRotation.h>
#include <Inventor/SbVec3f.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoEventCallback.h>
#include <Inventor/nodes/SoInfo.h>
#include <Inventor/nodes/SoLabel.h>
#include <Inventor/nodes/SoPointLight.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoShape.h>
#include <Inventor/nodes/SoSpotLight.h>
#include <Inventor/nodes/SoTransformation.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

// Nodes that set nothing a conversion or a later layer could use.
bool isInert(const SoNode *node) {
  return node->isOfType(SoCallback::getClassTypeId()) ||
         node->isOfType(SoEventCallback::getClassTypeId()) ||
         node->isOfType(SoInfo::getClassTypeId()) || node->isOfType(SoLabel::getClassTypeId());
}

// The matrix from a camera's world to its eye (Coin's row-vector order).
SbMatrix viewingMatrix(const SoCamera &camera, const SbMatrix &model) {
  SbMatrix local;
  local.setTransform(camera.position.getValue(), camera.orientation.getValue(),
                     SbVec3f(1.0f, 1.0f, 1.0f));
  return (local * model).inverse();
}

// A group being walked, identified by a serial no other walked group shares,
// and what the layers had when it was entered.
struct Frame {
  SoNode *node;
  NodeScope scope;
  unsigned serial;
  int current;
  std::size_t state;
};

// A light put into a layer, with what rendering fixes it to: the camera in
// effect where it was met (-1: none, the eye) and the model matrix there.
struct LightUse {
  SoGroup *parent;
  SoNode *light;
  SbMatrix model;
  int camera;
};

// State that rendering carries from node to node until a separator ends.
struct StateEntry {
  SoNode *node;
  int light; // index into the walk's light records, or -1
};

struct LightRecord {
  SbMatrix model;
  int camera;
};

// A layer being built. Its content mirrors the walked groups it draws in:
// levels[i] stands for frames[base + i]; the frames above base are outside
// the layer and their serials are kept to notice when the walk leaves them.
struct LayerBuild {
  ViewLayer layer;
  int camera = -1;
  std::size_t base = 0;
  std::vector<unsigned> outside;
  struct Level {
    unsigned serial;
    SoGroup *group;
  };
  std::vector<Level> levels;
  std::vector<LightUse> lights;
};

SoCallbackAction::Response noteDecoration(void *data, SoCallbackAction *action, const SoNode *) {
  auto *look = static_cast<ViewDecoration *>(data);
  if (look->shown) return SoCallbackAction::CONTINUE;
  SbColor ambient, specular, emission;
  float shininess = 0.0f;
  action->getMaterial(ambient, look->colour, specular, emission, shininess, look->transparency);
  const float width = action->getLineWidth();
  look->lineWidth = width > 0.0f ? width : 1.0f;
  look->shown = true;
  return SoCallbackAction::CONTINUE;
}

} // namespace

class ViewLayerWalk : public ViewWalkVisitor {
public:
  explicit ViewLayerWalk(std::vector<ViewLayer> &out) : m_out(out) {
    m_layers.emplace_back();
    m_decorationLook.addPreCallback(SoShape::getClassTypeId(), noteDecoration, &m_look);
  }

  void run(SoNode *root) {
    m_walk.run(root, *this);
    finish();
  }

  // A scene view draws its own layer and keeps what it sets to itself; a
  // plain view's rectangle and camera hold for what follows it. Views of
  // other kinds draw nothing of their own here.
  bool enterView(PoBaseView *view, const WalkPlace &place) override {
    const bool isSceneView = view->isOfType(PoSceneView::getClassTypeId());
    const bool isView = view->isOfType(PoView::getClassTypeId());
    m_views.push_back(OpenView{isSceneView, m_current, m_state.size(),
                               isSceneView || isView ? view->getPart("cameraKit", FALSE)
                                                     : nullptr});
    if (!isSceneView && !isView) return false;
    m_current = newLayer(view, place);
    if (isSceneView) {
      auto *sceneView = static_cast<PoSceneView *>(view);
      current().layer.background = look(sceneView->getPart("backgroundApp", FALSE),
                                        sceneView->getPart("background", FALSE));
      current().layer.border =
          look(sceneView->getPart("borderApp", FALSE), sceneView->getPart("border", FALSE));
    }
    current().layer.overlay = overlayOf(view, current().layer.border);
    return true;
  }

  void leaveView(PoBaseView *) override {
    const OpenView open = m_views.back();
    m_views.pop_back();
    if (!open.isSceneView) return;
    m_current = open.current;
    m_state.resize(open.state);
  }

  // A group is walked child by child when views or cameras are inside, or
  // when it leaves state behind: later layers inherit its state, not its
  // shapes. Anything else goes to the current layer whole.
  bool enterGroup(SoNode *group, NodeScope scope) override {
    if (!holdsViewsOrCameras(group) && !leaksState(group)) return false;
    if (!m_views.empty() && group == m_views.back().cameraKit) ++m_inCameraKit;
    m_frames.push_back(Frame{group, scope, m_nextSerial++, m_current, m_state.size()});
    return true;
  }

  void leaveGroup(SoNode *group, NodeScope scope) override {
    const Frame frame = m_frames.back();
    m_frames.pop_back();
    if (!m_views.empty() && group == m_views.back().cameraKit) --m_inCameraKit;
    if (scope == NodeScope::Separator) {
      m_current = frame.current;
      m_state.resize(frame.state);
    } else if (scope == NodeScope::TransformOnly) {
      keepTransformsOut(frame.state);
    }
  }

  void leaf(SoNode *node, const WalkPlace &place) override {
    if (node->isOfType(SoCamera::getClassTypeId())) {
      current().camera = place.camera;
      return;
    }
    const bool light = node->isOfType(SoLight::getClassTypeId());
    int record = -1;
    if (light) {
      record = static_cast<int>(m_lightRecords.size());
      m_lightRecords.push_back(LightRecord{place.model, place.camera});
    }
    // A view's camera kit gives the layer its camera; nothing else of it is
    // drawn.
    if (!m_inCameraKit) {
      SoGroup *parent = mirrorFor(current());
      parent->addChild(node);
      if (light) current().lights.push_back(LightUse{parent, node, place.model, place.camera});
    }
    if (leaksState(node)) m_state.push_back(StateEntry{node, record});
  }

private:
  // A view being walked and what the layers had before it.
  struct OpenView {
    bool isSceneView;
    int current;
    std::size_t state;
    SoNode *cameraKit;
  };

  // Whether node holds a view or a camera, itself or anywhere below.
  bool holdsViewsOrCameras(SoNode *node) {
    if (node->isOfType(PoBaseView::getClassTypeId()) || node->isOfType(SoCamera::getClassTypeId()))
      return true;
    auto found = m_holds.find(node);
    if (found != m_holds.end()) return found->second;
    bool holds = false;
    if (SoChildList *children = node->getChildren())
      for (int i = 0; i < children->getLength() && !holds; ++i)
        holds = holdsViewsOrCameras((*children)[i]);
    m_holds.emplace(node, holds);
    return holds;
  }

  // Whether traversing node leaves state behind for the nodes after it.
  static bool leaksState(SoNode *node) {
    if (scopeOf(node) == NodeScope::Separator) return false;
    if (node->isOfType(SoGroup::getClassTypeId())) return node->affectsState();
    if (SoChildList *children = node->getChildren()) {
      for (int i = 0; i < children->getLength(); ++i)
        if (leaksState((*children)[i])) return true;
      return false;
    }
    return node->affectsState() && !isInert(node);
  }

  int newLayer(PoBaseView *view, const WalkPlace &place) {
    const int index = static_cast<int>(m_layers.size());
    m_layers.emplace_back();
    LayerBuild &build = m_layers.back();
    build.layer.view = view;
    build.layer.origin = view->viewportOrigin.getValue();
    build.layer.size = view->viewportSize.getValue();
    build.layer.sensitive = view->isSensitiveOnEvents() != 0;
    build.camera = place.camera;
    build.base = m_frames.size();
    for (const Frame &frame : m_frames) build.outside.push_back(frame.serial);
    SoSeparator *content = contentOf(build);
    for (const StateEntry &entry : m_state) {
      content->addChild(entry.node);
      if (entry.light >= 0) {
        const LightRecord &record = m_lightRecords[static_cast<std::size_t>(entry.light)];
        build.lights.push_back(LightUse{content, entry.node, record.model, record.camera});
      }
    }
    return index;
  }

  SoSeparator *contentOf(LayerBuild &build) {
    if (!build.layer.content) {
      build.layer.content = new SoSeparator;
      build.layer.content->ref();
    }
    return build.layer.content;
  }

  // The group of the layer's content that stands for the walk's innermost
  // group, made on the way down where it does not exist yet.
  SoGroup *mirrorFor(LayerBuild &build) {
    const std::size_t depth = m_frames.size();
    // Left the group the layer began in: it goes on from where the walk is.
    if (build.base > depth || (build.base > 0 && build.outside[build.base - 1] !=
                                                     m_frames[build.base - 1].serial)) {
      std::size_t common = 0;
      while (common < build.base && common < depth &&
             build.outside[common] == m_frames[common].serial)
        ++common;
      build.base = common;
      build.outside.resize(common);
      build.levels.clear();
    }
    std::size_t keep = 0;
    const std::size_t wanted = depth - build.base;
    if (build.levels.size() == wanted &&
        (wanted == 0 || build.levels.back().serial == m_frames[depth - 1].serial)) {
      keep = wanted;
    } else {
      while (keep < build.levels.size() && keep < wanted &&
             build.levels[keep].serial == m_frames[build.base + keep].serial)
        ++keep;
    }
    build.levels.resize(keep);
    SoGroup *parent = keep ? build.levels.back().group : contentOf(build);
    for (std::size_t i = keep; i < wanted; ++i) {
      const Frame &frame = m_frames[build.base + i];
      SoGroup *mirror = frame.scope == NodeScope::None ? new SoGroup : new SoSeparator;
      parent->addChild(mirror);
      build.levels.push_back(LayerBuild::Level{frame.serial, mirror});
      parent = mirror;
    }
    return parent;
  }

  // The look of a decoration from the state it is drawn with: the state the
  // view inherits, then the decoration's appearance kit.
  ViewDecoration look(SoNode *appearance, SoNode *decoration) {
    m_look = ViewDecoration();
    if (!decoration) return m_look;
    SoSeparator *probe = new SoSeparator;
    probe->ref();
    for (const StateEntry &entry : m_state) probe->addChild(entry.node);
    if (appearance) probe->addChild(appearance);
    probe->addChild(decoration);
    m_decorationLook.apply(probe);
    probe->unref();
    return m_look;
  }

  // The overlays of a plain or scene view; the kit builds them from its
  // fields, which are read here.
  static ViewOverlay overlayOf(PoBaseView *view, const ViewDecoration &border) {
    ViewOverlay overlay;
    const SoSFString *label = nullptr;
    const SoSFBool *axes = nullptr;
    if (view->isOfType(PoSceneView::getClassTypeId())) {
      auto *sceneView = static_cast<PoSceneView *>(view);
      label = &sceneView->label;
      axes = &sceneView->isAxesVisible;
      overlay.labelColour = sceneView->getLabelColor();
    } else {
      auto *plainView = static_cast<PoView *>(view);
      label = &plainView->label;
      axes = &plainView->isAxesVisible;
      overlay.labelColour = plainView->getLabelColor();
    }
    overlay.label = label->getValue().getString();
    // Without a camera the triad has nothing to turn with and is not drawn.
    overlay.axes = axes->getValue() != FALSE && cameraOfView(view);
    overlay.cameraOrientation = viewCameraOrientation(view);
    if (border.shown) overlay.inset = std::max(1.0f, std::round(border.lineWidth));
    return overlay;
  }

  // A transform separator keeps only the model matrix: the transformations
  // met inside no longer hold for later layers either.
  void keepTransformsOut(std::size_t from) {
    std::size_t kept = from;
    for (std::size_t i = from; i < m_state.size(); ++i)
      if (!m_state[i].node->isOfType(SoTransformation::getClassTypeId()))
        m_state[kept++] = m_state[i];
    m_state.resize(kept);
  }

  LayerBuild &current() { return m_layers[static_cast<std::size_t>(m_current)]; }

  // Rendering fixes a light to the eye of the camera in effect where it is
  // met (to the eye itself before any camera). A layer seen through another
  // camera gets a copy that lights its world the same way.
  void placeLights(LayerBuild &build) {
    const std::vector<CameraUse> &cameras = m_walk.cameraUses();
    const SbMatrix layerViewing =
        build.camera >= 0 ? viewingMatrix(*cameras[std::size_t(build.camera)].camera,
                                          cameras[std::size_t(build.camera)].model)
                          : SbMatrix::identity();
    for (const LightUse &use : build.lights) {
      if (use.camera == build.camera) continue;
      const SbMatrix lightViewing =
          use.camera >= 0 ? viewingMatrix(*cameras[std::size_t(use.camera)].camera,
                                          cameras[std::size_t(use.camera)].model)
                          : SbMatrix::identity();
      const SbMatrix move = use.model * lightViewing * layerViewing.inverse() * use.model.inverse();
      SoNode *copy = use.light->copy();
      if (copy->isOfType(SoDirectionalLight::getClassTypeId())) {
        SoSFVec3f &direction = static_cast<SoDirectionalLight *>(copy)->direction;
        SbVec3f moved;
        move.multDirMatrix(direction.getValue(), moved);
        direction.setValue(moved);
      } else if (copy->isOfType(SoSpotLight::getClassTypeId())) {
        SoSpotLight *spot = static_cast<SoSpotLight *>(copy);
        SbVec3f moved;
        move.multVecMatrix(spot->location.getValue(), moved);
        spot->location.setValue(moved);
        move.multDirMatrix(spot->direction.getValue(), moved);
        spot->direction.setValue(moved);
      } else if (copy->isOfType(SoPointLight::getClassTypeId())) {
        SoSFVec3f &location = static_cast<SoPointLight *>(copy)->location;
        SbVec3f moved;
        move.multVecMatrix(location.getValue(), moved);
        location.setValue(moved);
      }
      const int at = use.parent->findChild(use.light);
      if (at >= 0) use.parent->replaceChild(at, copy);
    }
  }

  void finish() {
    for (LayerBuild &build : m_layers) {
      placeLights(build);
      contentOf(build);
      if (build.camera >= 0) {
        const CameraUse &use = m_walk.cameraUses()[std::size_t(build.camera)];
        build.layer.camera = use.camera;
        build.layer.camera->ref();
        build.layer.cameraModel = use.model;
      }
      m_out.push_back(build.layer);
    }
  }

  std::vector<ViewLayer> &m_out;
  ViewWalk m_walk;
  std::vector<LayerBuild> m_layers;
  std::vector<LightRecord> m_lightRecords;
  std::vector<Frame> m_frames;
  std::vector<OpenView> m_views;
  std::vector<StateEntry> m_state;
  std::unordered_map<SoNode *, bool> m_holds;
  unsigned m_nextSerial = 1;
  int m_current = 0;
  int m_inCameraKit = 0;
  SoCallbackAction m_decorationLook;
  ViewDecoration m_look;
};

ViewLayers::ViewLayers(SoNode *root) {
  ViewLayerWalk walk(m_layers);
  walk.run(root);
}

ViewLayers::~ViewLayers() {
  for (ViewLayer &layer : m_layers) {
    if (layer.content) layer.content->unref();
    if (layer.camera) layer.camera->unref();
  }
}
