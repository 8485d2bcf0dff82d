#include "SoToVRMLStage.h"

#include "SoConvertGuts.h"

#include <Inventor/SoPath.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoGroup.h>

#include <unordered_set>
#include <vector>

namespace {

// Whether the walk may go on below node, asking the converter about groups
// and kits. Kits come first: a converter that treats a kit itself must be
// asked before the kit's children are reached.
bool enter(SoConvertGuts &guts, SoNode *node) {
  if (node->isOfType(SoBaseKit::getClassTypeId()))
    return guts.convertSoBaseKit(static_cast<SoBaseKit *>(node)) != 0;
  if (node->isOfType(SoGroup::getClassTypeId()))
    return guts.convertSoGroup(static_cast<SoGroup *>(node)) != 0;
  return true;
}

// Depth first, children in order, each node once however often it is shared.
// An explicit stack keeps deep graphs off the call stack.
void walk(SoConvertGuts &guts, SoNode *root, std::unordered_set<SoNode *> &seen) {
  std::vector<SoNode *> stack{root};
  while (!stack.empty()) {
    SoNode *node = stack.back();
    stack.pop_back();
    if (!node || !seen.insert(node).second) continue;
    if (!enter(guts, node)) continue;
    SoChildList *children = node->getChildren();
    if (!children) continue;
    for (int i = children->getLength() - 1; i >= 0; --i) stack.push_back((*children)[i]);
  }
}

} // namespace

SoToVRMLStage::SoToVRMLStage() : m_guts(nullptr), m_result(nullptr) {}

SoToVRMLStage::~SoToVRMLStage() {
  releaseResult();
  delete m_guts;
}

void SoToVRMLStage::takeConverter(SoConvertGuts *guts) {
  if (guts != m_guts) delete m_guts;
  m_guts = guts;
  if (m_guts) m_guts->reset();
}

void SoToVRMLStage::keepResult(SoNode *node) {
  if (node) node->ref();
  releaseResult();
  m_result = node;
}

void SoToVRMLStage::releaseResult() {
  if (m_result) m_result->unrefNoDelete();
  m_result = nullptr;
}

void SoToVRMLStage::apply(SoNode *node, SoConvertGuts *guts) {
  takeConverter(guts);
  keepResult(node);
  if (!node || !m_guts) return;
  std::unordered_set<SoNode *> seen;
  walk(*m_guts, node, seen);
}

void SoToVRMLStage::apply(SoPath *path, SoConvertGuts *guts) {
  takeConverter(guts);
  keepResult(path ? path->getHead() : nullptr);
  walkPath(path);
}

void SoToVRMLStage::apply(const SoPathList &paths, SoConvertGuts *guts) {
  takeConverter(guts);
  keepResult(paths.getLength() > 0 ? paths[0]->getHead() : nullptr);
  for (int i = 0; i < paths.getLength(); ++i) walkPath(paths[i]);
}

void SoToVRMLStage::walkPath(SoPath *path) {
  if (!path || path->getLength() == 0 || !m_guts) return;
  // Along the path only the path's own nodes are met; a node the converter
  // keeps to itself ends the walk there.
  const int last = path->getLength() - 1;
  for (int i = 0; i < last; ++i)
    if (!enter(*m_guts, path->getNode(i))) return;
  std::unordered_set<SoNode *> seen;
  walk(*m_guts, path->getNode(last), seen);
}
