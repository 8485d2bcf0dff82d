#include "HiddenParts.h"

#include <Inventor/actions/SoAction.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/misc/SoState.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoSeparator.h>

#include <algorithm>

namespace {

bool isAmong(const SoNode *node, std::initializer_list<SoNode *> nodes) {
  return node && std::find(nodes.begin(), nodes.end(), node) != nodes.end();
}

// Traverses the children of a node that lies above a hidden part, one by one
// so that the action's path stays the one Coin builds: the hidden parts are
// left out, the nodes above them are walked the same way, everything else is
// traversed as usual.
void traverseChildrenWithout(SoAction *action, SoChildList &children,
                             std::initializer_list<SoNode *> hidden,
                             std::initializer_list<SoNode *> above) {
  for (int i = 0; i < children.getLength() && !action->hasTerminated(); ++i) {
    SoNode *child = children[i];
    if (isAmong(child, hidden)) continue;
    SoChildList *grandChildren = child->getChildren();
    if (!grandChildren || !isAmong(child, above)) {
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

bool traverseWithoutParts(SoBaseKit *kit, SoAction *action,
                          std::initializer_list<SoNode *> hidden,
                          std::initializer_list<SoNode *> above) {
  int pathLength = 0;
  const int *pathIndices = nullptr;
  if (action->getPathCode(pathLength, pathIndices) == SoAction::IN_PATH) return false;
  if (std::none_of(hidden.begin(), hidden.end(), [](SoNode *node) { return node; })) return false;
  traverseChildrenWithout(action, *kit->getChildren(), hidden, above);
  return true;
}
