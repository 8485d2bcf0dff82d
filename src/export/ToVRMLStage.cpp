#include "ToVRMLStage.h"

#include "SoConvertGuts.h"
#include "PoBaseView.h"
#include "ViewWalk.h"

#include <Inventor/SoPath.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoGroup.h>


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

// Lets the converter see every group and kit the conversion reaches.
class ConverterVisitor : public ViewWalkVisitor {
public:
  explicit ConverterVisitor(SoConvertGuts &guts) : m_guts(guts) {}
  bool enterView(PoBaseView *view, const WalkPlace &) override { return enter(m_guts, view); }
  bool enterGroup(SoNode *group, NodeScope) override { return enter(m_guts, group); }

private:
  SoConvertGuts &m_guts;
};

// Coin's conversion keeps every choice of a switch and meets a shared node
// once; so does the converter.
void walk(SoConvertGuts &guts, SoNode *root) {
  ViewWalkRules rules;
  rules.allSwitchChoices = true;
  rules.eachNodeOnce = true;
  ConverterVisitor visitor(guts);
  ViewWalk(rules).run(root, visitor);
}

} // namespace

ToVRMLStage::ToVRMLStage() : m_guts(nullptr), m_result(nullptr) {}

ToVRMLStage::~ToVRMLStage() {
  releaseResult();
  delete m_guts;
}

void ToVRMLStage::takeConverter(SoConvertGuts *guts) {
  if (guts != m_guts) delete m_guts;
  m_guts = guts;
  if (m_guts) m_guts->reset();
}

void ToVRMLStage::keepResult(SoNode *node) {
  if (node) node->ref();
  releaseResult();
  m_result = node;
}

void ToVRMLStage::releaseResult() {
  if (m_result) m_result->unrefNoDelete();
  m_result = nullptr;
}

void ToVRMLStage::apply(SoNode *node, SoConvertGuts *guts) {
  takeConverter(guts);
  keepResult(node);
  if (!node || !m_guts) return;
  walk(*m_guts, node);
}

void ToVRMLStage::apply(SoPath *path, SoConvertGuts *guts) {
  takeConverter(guts);
  keepResult(path ? path->getHead() : nullptr);
  walkPath(path);
}

void ToVRMLStage::apply(const SoPathList &paths, SoConvertGuts *guts) {
  takeConverter(guts);
  keepResult(paths.getLength() > 0 ? paths[0]->getHead() : nullptr);
  for (int i = 0; i < paths.getLength(); ++i) walkPath(paths[i]);
}

void ToVRMLStage::walkPath(SoPath *path) {
  if (!path || path->getLength() == 0 || !m_guts) return;
  // Along the path only the path's own nodes are met; a node the converter
  // keeps to itself ends the walk there.
  const int last = path->getLength() - 1;
  for (int i = 0; i < last; ++i)
    if (!enter(*m_guts, path->getNode(i))) return;
  walk(*m_guts, path->getNode(last));
}
