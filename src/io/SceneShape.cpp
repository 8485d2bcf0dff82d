#include "SceneShape.h"

#include <Inventor/fields/SoFieldData.h>
#include <Inventor/fields/SoMFNode.h>
#include <Inventor/fields/SoSFNode.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoGroup.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

// One reference from a node to another: a child (field null) or the value
// of a node field. Traversals follow children; releasing a node follows both.
struct Reference {
  SoNode *to;
  SoField *field;
  bool isChild() const { return field == nullptr; }
};

// What a traversal or the release of the node follows: its children (a
// kit's inner nodes for a kit, a VRML node's children, appearance and
// geometry) and, for nodes not built into Coin, the nodes in its node fields.
// A built-in node's field table is its class's, and a file that declares
// fields on such a node ("Separator { fields [ SFNode a ] ... }") makes Coin
// add them to the class's table at offsets that fit that one node only;
// reading them through any other node reads astray. Built-in nodes hold no
// node that their children do not show anyway.
std::vector<Reference> referencesOf(SoNode *node) {
  std::vector<Reference> references;
  if (const SoChildList *children = node->getChildren())
    for (int i = 0; i < children->getLength(); ++i)
      if ((*children)[i]) references.push_back({(*children)[i], nullptr});
  if (node->getIsBuiltIn()) return references;
  const SoFieldData *fields = node->getFieldData();
  const int numFields = fields ? fields->getNumFields() : 0;
  for (int i = 0; i < numFields; ++i) {
    SoField *field = fields->getField(node, i);
    if (field->isOfType(SoSFNode::getClassTypeId())) {
      if (SoNode *value = static_cast<SoSFNode *>(field)->getValue())
        references.push_back({value, field});
    } else if (field->isOfType(SoMFNode::getClassTypeId())) {
      const SoMFNode *list = static_cast<SoMFNode *>(field);
      for (int k = 0; k < list->getNum(); ++k)
        if (SoNode *value = (*list)[k]) references.push_back({value, field});
    }
  }
  return references;
}

struct Measure {
  bool done = false;
  int depth = 0;     // levels from this node down, itself included
  double visits = 0; // nodes a traversal from here visits, itself included
};

struct ShapeFrame {
  SoNode *node;
  std::vector<Reference> references;
  std::size_t next = 0;
  int deepest = 0; // of the references followed so far
  double visits = 0;
};

void cut(SoNode *from, const Reference &reference) {
  if (reference.isChild()) {
    // Only a plain group's children are its own to change; a kit's inner
    // nodes and a VRML node's children are cut through their fields.
    if (!from->isOfType(SoGroup::getClassTypeId())) return;
    SoGroup *group = static_cast<SoGroup *>(from);
    for (int i; (i = group->findChild(reference.to)) >= 0;) group->removeChild(i);
  } else if (reference.field->isOfType(SoSFNode::getClassTypeId())) {
    static_cast<SoSFNode *>(reference.field)->setValue(nullptr);
  } else {
    SoMFNode *list = static_cast<SoMFNode *>(reference.field);
    for (int i; (i = list->find(reference.to)) >= 0;) list->deleteValues(i, 1);
  }
}

} // namespace

SceneShape measureScene(SoNode *root) {
  SceneShape shape;
  if (!root) return shape;
  std::unordered_map<SoNode *, Measure> measured;
  std::vector<std::pair<SoNode *, Reference>> loops;
  std::vector<ShapeFrame> path;
  measured[root];
  path.push_back(ShapeFrame{root, referencesOf(root)});
  while (!path.empty()) {
    ShapeFrame &frame = path.back();
    if (frame.next < frame.references.size()) {
      const Reference reference = frame.references[frame.next++];
      auto found = measured.find(reference.to);
      if (found == measured.end()) {
        measured[reference.to];
        path.push_back(ShapeFrame{reference.to, referencesOf(reference.to)});
      } else if (!found->second.done) {
        // Still on the path: the node holds itself.
        loops.emplace_back(frame.node, reference);
      } else {
        frame.deepest = std::max(frame.deepest, found->second.depth);
        if (reference.isChild()) frame.visits += found->second.visits;
      }
      continue;
    }
    Measure &result = measured[frame.node];
    result.done = true;
    result.depth = frame.deepest + 1;
    result.visits = frame.visits + 1;
    path.pop_back();
    if (!path.empty()) {
      ShapeFrame &parent = path.back();
      parent.deepest = std::max(parent.deepest, result.depth);
      if (parent.references[parent.next - 1].isChild()) parent.visits += result.visits;
    }
  }
  for (const auto &loop : loops) cut(loop.first, loop.second);
  const Measure &top = measured[root];
  shape.depth = top.depth - 1;
  shape.visits = top.visits;
  shape.loops = static_cast<int>(loops.size());
  return shape;
}
