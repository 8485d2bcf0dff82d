#include "ViewWalk.h"

#include "PoSceneView.h"
#include "PoView.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/fields/SoSFNode.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoResetTransform.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSwitch.h>
#include <Inventor/nodes/SoTransformSeparator.h>
#include <Inventor/nodes/SoTransformation.h>


NodeScope scopeOf(const SoNode *node) {
  if (node->isOfType(SoSeparator::getClassTypeId())) return NodeScope::Separator;
  if (node->isOfType(SoTransformSeparator::getClassTypeId())) return NodeScope::TransformOnly;
  // VRML grouping nodes keep their state to themselves too.
  if (node->getNodeType() & SoNode::VRML2) return NodeScope::Separator;
  return NodeScope::None;
}

namespace {

// A part as its kit holds it, read from the part's field: nothing is made,
// and no part name is taken apart or checked on the way.
SoNode *heldPart(const SoNode *kit, const SbName &name) {
  if (!kit || !kit->isOfType(SoBaseKit::getClassTypeId())) return nullptr;
  SoField *field = kit->getField(name);
  return field && field->isOfType(SoSFNode::getClassTypeId())
             ? static_cast<SoSFNode *>(field)->getValue()
             : nullptr;
}

const SbName &cameraKitPart() {
  static const SbName name("cameraKit");
  return name;
}

const SbName &scenePart() {
  static const SbName name("scene");
  return name;
}

// The children a walk takes of a group: all of them, or a switch's choice.
void childRange(SoNode *group, const SoChildList &children, bool allChoices, int &first,
                int &last) {
  first = 0;
  last = children.getLength() - 1;
  if (allChoices || !group->isOfType(SoSwitch::getClassTypeId())) return;
  const int which = static_cast<SoSwitch *>(group)->whichChild.getValue();
  if (which >= 0)
    first = last = which; // out of range: nothing
  else if (which != SO_SWITCH_ALL)
    last = -1;
}

} // namespace

SoNode *ViewWalk::Frame::child(int index) const {
  return view ? parts[index] : (*children)[index];
}

ViewWalk::ViewWalk(const ViewWalkRules &rules) : m_rules(rules) {}

void ViewWalk::run(SoNode *root, ViewWalkVisitor &visitor) {
  m_place = WalkPlace();
  m_frames.clear();
  m_cameras.clear();
  m_seen.clear();
  if (!root) return;
  push(root, visitor);
  while (!m_frames.empty()) {
    Frame &frame = m_frames.back();
    if (frame.next <= frame.last && (frame.view || frame.next < frame.children->getLength())) {
      SoNode *child = frame.child(frame.next++);
      if (child) push(child, visitor);
      continue;
    }
    const Frame done = frame;
    m_frames.pop_back();
    if (done.scope == NodeScope::Separator)
      m_place = done.saved;
    else if (done.scope == NodeScope::TransformOnly)
      m_place.model = done.saved.model;
    if (done.view) {
      // A plain view leaves its camera in effect for what follows it.
      m_place.viewDepth = done.saved.viewDepth;
      visitor.leaveView(done.view);
    } else {
      visitor.leaveGroup(done.node, done.scope);
    }
  }
}

void ViewWalk::push(SoNode *node, ViewWalkVisitor &visitor) {
  if (m_rules.eachNodeOnce && !m_seen.insert(node).second) return;
  Frame frame{node, nullptr, NodeScope::None, nullptr, {nullptr, nullptr}, 0, -1, m_place};
  if (node->isOfType(PoBaseView::getClassTypeId())) {
    frame.view = static_cast<PoBaseView *>(node);
    const bool isSceneView = node->isOfType(PoSceneView::getClassTypeId());
    if (!m_rules.invisibleViews && !frame.view->isVisible.getValue()) {
      if (!isSceneView) passRestOfScope();
      return;
    }
    if (visitor.enterView(frame.view, m_place) && m_rules.intoKits &&
        (isSceneView || node->isOfType(PoView::getClassTypeId()))) {
      // Parts as they are: a walk changes nothing.
      frame.parts[0] = heldPart(frame.view, cameraKitPart());
      if (isSceneView) frame.parts[1] = heldPart(frame.view, scenePart());
      frame.last = isSceneView ? 1 : 0;
    }
    // A scene view keeps what it sets under its own separator.
    frame.scope = isSceneView ? NodeScope::Separator : NodeScope::None;
    ++m_place.viewDepth;
    m_frames.push_back(frame);
    return;
  }
  const SoChildList *children = node->getChildren();
  const bool isKit = node->isOfType(SoBaseKit::getClassTypeId());
  if (!children || (isKit && !m_rules.intoKits)) {
    meetLeaf(node, visitor);
    return;
  }
  frame.scope = scopeOf(node);
  if (!visitor.enterGroup(node, frame.scope)) {
    meetLeaf(node, visitor);
    return;
  }
  frame.children = children;
  childRange(node, *children, m_rules.allSwitchChoices, frame.next, frame.last);
  m_frames.push_back(frame);
}

// What follows a hidden view that keeps no state to itself, up to the end of
// the innermost separator: transform separators and plain groups keep in
// force what the view would have set.
void ViewWalk::passRestOfScope() {
  for (auto frame = m_frames.rbegin(); frame != m_frames.rend(); ++frame) {
    frame->next = frame->last + 1;
    if (frame->scope == NodeScope::Separator) return;
  }
}

void ViewWalk::meetLeaf(SoNode *node, ViewWalkVisitor &visitor) {
  if (node->isOfType(SoCamera::getClassTypeId())) {
    m_place.camera = static_cast<int>(m_cameras.size());
    m_cameras.push_back(CameraUse{static_cast<SoCamera *>(node), m_place.model});
  } else {
    trackMatrix(node);
  }
  visitor.leaf(node, m_place);
}

void ViewWalk::trackMatrix(SoNode *node) {
  if (node->isOfType(SoResetTransform::getClassTypeId())) {
    if (static_cast<SoResetTransform *>(node)->whatToReset.getValue() &
        SoResetTransform::TRANSFORM)
      m_place.model = SbMatrix::identity();
  } else if (node->isOfType(SoTransformation::getClassTypeId())) {
    SoGetMatrixAction matrix{SbViewportRegion()};
    matrix.apply(node);
    m_place.model.multLeft(matrix.getMatrix());
  }
}

namespace {

class ViewLister : public ViewWalkVisitor {
public:
  explicit ViewLister(std::vector<ViewEntry> &out) : m_out(out) {}

  bool enterView(PoBaseView *view, const WalkPlace &place) override {
    const int parent = m_open.empty() ? -1 : m_open.back();
    static const SbName cameraPart("camera");
    SoNode *camera = heldPart(heldPart(view, cameraKitPart()), cameraPart);
    ViewEntry entry{view, parent, place.viewDepth,
                    camera && camera->isOfType(SoCamera::getClassTypeId())
                        ? static_cast<SoCamera *>(camera)
                        : nullptr,
                    view->isOfType(PoSceneView::getClassTypeId()) ? heldPart(view, scenePart())
                                                                  : nullptr};
    m_open.push_back(static_cast<int>(m_out.size()));
    m_out.push_back(entry);
    return true;
  }
  void leaveView(PoBaseView *) override { m_open.pop_back(); }

private:
  std::vector<ViewEntry> &m_out;
  std::vector<int> m_open;
};

} // namespace

std::vector<ViewEntry> listViews(SoNode *root, const ViewWalkRules &rules) {
  std::vector<ViewEntry> views;
  ViewLister lister(views);
  ViewWalk walk(rules);
  walk.run(root, lister);
  return views;
}

namespace {
ViewWalkRules listRules(bool withInvisibleViews) {
  ViewWalkRules rules;
  rules.invisibleViews = withInvisibleViews;
  return rules;
}
} // namespace

PoViewList::PoViewList(SoNode *root, bool withInvisibleViews)
    : m_entries(listViews(root, listRules(withInvisibleViews))) {}
