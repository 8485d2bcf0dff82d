// Searching and bounding-box actions pass a scene view's background and
// border by.
//
// Each decoration carries its own orthographic camera and draws in fixed
// coordinates of the view's rectangle, not in the world. A viewer adopts the
// first camera its search meets (SoQt searches inside node kits), so a search
// that found the background camera handed it to the viewer, whose automatic
// clipping then rewrote its reversed depth range and the background covered
// the view's scene. Bounding boxes that held the decorations' squares pulled
// -1..1 into every scene's box (view all, automatic clipping), and left a
// bounding-box cache on the decoration shapes, with which Coin then culled
// the background against its own reversed view volume: the background went
// missing from the next frame on.

#include "PoSceneView.h"

#include "NestedSceneViewBounds.h"

#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/nodes/SoSeparator.h>

namespace {

bool isAmong(const SoNode *node, SoNode *const *nodes, int count) {
  for (int i = 0; i < count; ++i)
    if (node == nodes[i]) return true;
  return false;
}

// Traverses the children of a node that lies above a hidden part, one by one
// so that the action's path stays the one Coin builds: the hidden parts are
// left out, the nodes above them are walked the same way, everything else is
// traversed as usual.
void traverseChildrenWithout(SoAction *action, SoChildList &children, SoNode *const *hidden,
                             SoNode *const *above) {
  for (int i = 0; i < children.getLength() && !action->hasTerminated(); ++i) {
    SoNode *child = children[i];
    if (isAmong(child, hidden, 2)) continue;
    SoChildList *grandChildren = child->getChildren();
    if (!grandChildren || !isAmong(child, above, 3)) {
      children.traverse(action, i, i);
      continue;
    }
    // A separator keeps what its subtree sets from reaching what follows.
    const bool separates = child->isOfType(SoSeparator::getClassTypeId());
    action->pushCurPath(i, child);
    if (separates) action->getState()->push();
    traverseChildrenWithout(action, *grandChildren, hidden, above);
    if (separates) action->getState()->pop();
    action->popCurPath();
  }
}

} // namespace

bool PoSceneView::traverseWithoutDecorations(SoAction *action) {
  // An action applied to a path into the kit goes where the path leads.
  int pathLength = 0;
  const int *pathIndices = nullptr;
  if (action->getPathCode(pathLength, pathIndices) == SoAction::IN_PATH) return false;
  SoNode *const hidden[] = {background.getValue(), border.getValue()};
  if (!hidden[0] && !hidden[1]) return false;
  // The parts the shown decorations hang under, from the catalog: looking
  // for them through the kit's subtree instead would walk the scene, and
  // every view nested in it, at every view.
  SoNode *const above[] = {topSep.getValue(), hidden[0] ? backgroundSep.getValue() : nullptr,
                           hidden[1] ? borderSep.getValue() : nullptr};
  traverseChildrenWithout(action, *getChildren(), hidden, above);
  return true;
}

void PoSceneView::search(SoSearchAction *action) {
  SoNode::search(action);
  if (action->isFound() || !isSearchingChildren()) return;
  if (!traverseWithoutDecorations(action)) SoBaseKit::doAction(action);
}

void PoSceneView::getBoundingBox(SoGetBoundingBoxAction *action) {
  if (NestedSceneViewsLeftOut::inForce() && action->getCurPath()->getLength() > 1) return;
  if (!traverseWithoutDecorations(action)) SoBaseKit::getBoundingBox(action);
}

namespace {
thread_local bool t_nestedSceneViewsLeftOut = false;
} // namespace

NestedSceneViewsLeftOut::NestedSceneViewsLeftOut() : m_previous(t_nestedSceneViewsLeftOut) {
  t_nestedSceneViewsLeftOut = true;
}

NestedSceneViewsLeftOut::~NestedSceneViewsLeftOut() { t_nestedSceneViewsLeftOut = m_previous; }

bool NestedSceneViewsLeftOut::inForce() { return t_nestedSceneViewsLeftOut; }
