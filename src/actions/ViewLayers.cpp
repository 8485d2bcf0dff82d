#include "ViewLayers.h"

#include "PoSceneView.h"
#include "PoView.h"

#include <Inventor/SbRotation.h>
#include <Inventor/SbVec3f.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoEventCallback.h>
#include <Inventor/nodes/SoInfo.h>
#include <Inventor/nodes/SoLabel.h>
#include <Inventor/nodes/SoPointLight.h>
#include <Inventor/nodes/SoResetTransform.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoShape.h>
#include <Inventor/nodes/SoSpotLight.h>
#include <Inventor/nodes/SoSwitch.h>
#include <Inventor/nodes/SoTransformSeparator.h>
#include <Inventor/nodes/SoTransformation.h>

#include <unordered_map>

namespace {

enum class Scope { None, Separator, Transform };

Scope scopeOf(const SoNode *node) {
  if (node->isOfType(SoSeparator::getClassTypeId())) return Scope::Separator;
  if (node->isOfType(SoTransformSeparator::getClassTypeId())) return Scope::Transform;
  // VRML grouping nodes keep their state to themselves too.
  if (node->getNodeType() & SoNode::VRML2) return Scope::Separator;
  return Scope::None;
}

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

// A group being walked, identified by a serial no other walked group shares.
struct Frame {
  SoNode *node;
  Scope scope;
  unsigned serial;
};

// A light put into a layer, with what rendering fixes it to: the camera in
// effect where it was met (-1: none, the eye) and the model matrix there.
struct LightUse {
  SoGroup *parent;
  SoNode *light;
  SbMatrix model;
  int camera;
};

struct CameraUse {
  SoCamera *camera;
  SbMatrix model;
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

class ViewLayerWalk {
public:
  explicit ViewLayerWalk(std::vector<ViewLayer> &out) : m_out(out), m_matrix(SbViewportRegion()) {
    m_layers.emplace_back();
    m_decorationLook.addPreCallback(SoShape::getClassTypeId(), noteDecoration, &m_look);
  }

  void run(SoNode *root) {
    if (root) visit(root);
    finish();
  }

private:
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
    if (scopeOf(node) == Scope::Separator) return false;
    if (node->isOfType(SoGroup::getClassTypeId())) return node->affectsState();
    if (SoChildList *children = node->getChildren()) {
      for (int i = 0; i < children->getLength(); ++i)
        if (leaksState((*children)[i])) return true;
      return false;
    }
    return node->affectsState() && !isInert(node);
  }

  // A group is walked child by child when views or cameras are inside, or
  // when it leaves state behind: later layers inherit its state, not its
  // shapes. Anything else goes to the current layer whole.
  bool walksInto(SoNode *node) {
    if (!node->getChildren()) return false;
    return holdsViewsOrCameras(node) || leaksState(node);
  }

  void visit(SoNode *node) {
    if (node->isOfType(PoSceneView::getClassTypeId())) {
      visitSceneView(static_cast<PoSceneView *>(node));
    } else if (node->isOfType(PoView::getClassTypeId())) {
      visitView(static_cast<PoView *>(node));
    } else if (node->isOfType(PoBaseView::getClassTypeId())) {
      // A view kit of another kind: its parts are its own business.
    } else if (walksInto(node)) {
      visitGroup(node);
    } else {
      visitLeaf(node);
    }
  }

  void visitGroup(SoNode *group) {
    const Scope scope = scopeOf(group);
    const Saved saved = save();
    m_frames.push_back(Frame{group, scope, m_nextSerial++});
    SoChildList *children = group->getChildren();
    int first = 0, last = children->getLength() - 1;
    if (group->isOfType(SoSwitch::getClassTypeId())) {
      const int which = static_cast<SoSwitch *>(group)->whichChild.getValue();
      if (which >= 0) {
        first = last = which; // out of range: nothing
      } else if (which != SO_SWITCH_ALL) {
        last = -1;
      }
    }
    for (int i = first; i <= last && i < children->getLength(); ++i) visit((*children)[i]);
    m_frames.pop_back();
    if (scope == Scope::Separator) restore(saved);
    if (scope == Scope::Transform) restoreTransform(saved);
  }

  void visitLeaf(SoNode *node) {
    if (node->isOfType(SoCamera::getClassTypeId())) {
      meetCamera(static_cast<SoCamera *>(node));
      return;
    }
    trackMatrix(node);
    const bool light = node->isOfType(SoLight::getClassTypeId());
    int record = -1;
    if (light) {
      record = static_cast<int>(m_lightRecords.size());
      m_lightRecords.push_back(LightRecord{m_model, m_camera});
    }
    if (!m_cameraKitOnly) {
      SoGroup *parent = mirrorFor(current());
      parent->addChild(node);
      if (light) current().lights.push_back(LightUse{parent, node, m_model, m_camera});
    }
    if (leaksState(node)) m_state.push_back(StateEntry{node, record});
  }

  void visitSceneView(PoSceneView *view) {
    const Saved saved = save(); // the kit's top separator
    m_current = newLayer(view);
    visitCameraKit(view);
    current().layer.background =
        look(view->getPart("backgroundApp", FALSE), view->getPart("background", FALSE));
    current().layer.border = look(view->getPart("borderApp", FALSE), view->getPart("border", FALSE));
    if (SoNode *scene = view->getPart("scene", FALSE)) visit(scene);
    restore(saved);
  }

  // A plain view's rectangle and camera hold for what follows it.
  void visitView(PoView *view) {
    m_current = newLayer(view);
    visitCameraKit(view);
  }

  void visitCameraKit(PoBaseView *view) {
    SoNode *kit = view->getPart("cameraKit", FALSE);
    if (!kit) return;
    const bool was = m_cameraKitOnly;
    m_cameraKitOnly = true;
    visit(kit);
    m_cameraKitOnly = was;
  }

  void meetCamera(SoCamera *camera) {
    m_camera = static_cast<int>(m_cameras.size());
    m_cameras.push_back(CameraUse{camera, m_model});
    current().camera = m_camera;
  }

  void trackMatrix(SoNode *node) {
    if (node->isOfType(SoResetTransform::getClassTypeId())) {
      if (static_cast<SoResetTransform *>(node)->whatToReset.getValue() &
          SoResetTransform::TRANSFORM)
        m_model = SbMatrix::identity();
    } else if (node->isOfType(SoTransformation::getClassTypeId())) {
      m_matrix.apply(node);
      m_model.multLeft(m_matrix.getMatrix());
    }
  }

  int newLayer(PoBaseView *view) {
    const int index = static_cast<int>(m_layers.size());
    m_layers.emplace_back();
    LayerBuild &build = m_layers.back();
    build.layer.view = view;
    build.layer.origin = view->viewportOrigin.getValue();
    build.layer.size = view->viewportSize.getValue();
    build.layer.sensitive = view->isSensitiveOnEvents() != 0;
    build.camera = m_camera;
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
      SoGroup *mirror = frame.scope == Scope::None ? new SoGroup : new SoSeparator;
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

  struct Saved {
    int current;
    int camera;
    std::size_t state;
    SbMatrix model;
  };
  Saved save() const { return Saved{m_current, m_camera, m_state.size(), m_model}; }
  void restore(const Saved &saved) {
    m_current = saved.current;
    m_camera = saved.camera;
    m_state.resize(saved.state);
    m_model = saved.model;
  }
  // A transform separator keeps only the model matrix: the transformations
  // met inside no longer hold for later layers either.
  void restoreTransform(const Saved &saved) {
    m_model = saved.model;
    std::size_t kept = saved.state;
    for (std::size_t i = saved.state; i < m_state.size(); ++i)
      if (!m_state[i].node->isOfType(SoTransformation::getClassTypeId()))
        m_state[kept++] = m_state[i];
    m_state.resize(kept);
  }

  LayerBuild &current() { return m_layers[static_cast<std::size_t>(m_current)]; }

  // Rendering fixes a light to the eye of the camera in effect where it is
  // met (to the eye itself before any camera). A layer seen through another
  // camera gets a copy that lights its world the same way.
  void placeLights(LayerBuild &build) {
    const SbMatrix layerViewing =
        build.camera >= 0 ? viewingMatrix(*m_cameras[std::size_t(build.camera)].camera,
                                          m_cameras[std::size_t(build.camera)].model)
                          : SbMatrix::identity();
    for (const LightUse &use : build.lights) {
      if (use.camera == build.camera) continue;
      const SbMatrix lightViewing =
          use.camera >= 0 ? viewingMatrix(*m_cameras[std::size_t(use.camera)].camera,
                                          m_cameras[std::size_t(use.camera)].model)
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
        const CameraUse &use = m_cameras[std::size_t(build.camera)];
        build.layer.camera = use.camera;
        build.layer.camera->ref();
        build.layer.cameraModel = use.model;
      }
      m_out.push_back(build.layer);
    }
  }

  std::vector<ViewLayer> &m_out;
  std::vector<LayerBuild> m_layers;
  std::vector<CameraUse> m_cameras;
  std::vector<LightRecord> m_lightRecords;
  std::vector<Frame> m_frames;
  std::vector<StateEntry> m_state;
  std::unordered_map<SoNode *, bool> m_holds;
  unsigned m_nextSerial = 1;
  int m_current = 0;
  int m_camera = -1;
  SbMatrix m_model = SbMatrix::identity();
  bool m_cameraKitOnly = false;
  SoGetMatrixAction m_matrix;
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
