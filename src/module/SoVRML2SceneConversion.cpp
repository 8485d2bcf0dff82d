#include "SoVRML2SceneConversion.h"

#include <Inventor/SbName.h>
#include <Inventor/SbString.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLNavigationInfo.h>
#include <Inventor/VRMLnodes/SoVRMLWorldInfo.h>
#include <Inventor/actions/SoToVRML2Action.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>

#include <algorithm>
#include <memory>

namespace {

// Coin carries a separator's name over to the group it converts it to; the
// names find each scene's group among the converted ones. They are cleared
// again before the results are handed out.
SbName sceneName(std::size_t index) {
  SbString name("PoToVRML2Action_Scene_");
  name.addIntString(static_cast<int>(index));
  return SbName(name);
}

} // namespace

SoVRML2SceneConversion::SoVRML2SceneConversion(const std::vector<SoNode *> &scenes)
    : m_roots(scenes.size(), nullptr) {
  convert(scenes);
}

SoVRML2SceneConversion::~SoVRML2SceneConversion() {
  for (SoVRMLGroup *root : m_roots)
    if (root) root->unref();
  for (SoNode *header : m_headerNodes) header->unref();
}

SoVRMLGroup *SoVRML2SceneConversion::getVRML2SceneGraph(int index) const {
  if (index < 0 || index >= getNumScenes()) return nullptr;
  return m_roots[static_cast<std::size_t>(index)];
}

int SoVRML2SceneConversion::isHeaderNode(const SoNode *node) const {
  return std::find(m_headerNodes.begin(), m_headerNodes.end(), node) != m_headerNodes.end();
}

void SoVRML2SceneConversion::addHeaderNodes(SoVRMLGroup *top) {
  SoVRMLWorldInfo *info = new SoVRMLWorldInfo;
  SoVRMLNavigationInfo *navigation = new SoVRMLNavigationInfo;
  info->ref();
  navigation->ref();
  m_headerNodes.push_back(info);
  m_headerNodes.push_back(navigation);
  top->insertChild(info, 0);
  top->insertChild(navigation, 1);
}

void SoVRML2SceneConversion::convert(const std::vector<SoNode *> &scenes) {
  SoGroup *batch = new SoGroup;
  batch->ref();
  std::vector<SbName> names(scenes.size());
  for (std::size_t i = 0; i < scenes.size(); ++i) {
    if (!scenes[i]) continue;
    SoSeparator *wrapper = new SoSeparator;
    names[i] = sceneName(i);
    wrapper->setName(names[i]);
    wrapper->addChild(scenes[i]);
    batch->addChild(wrapper);
  }
  if (batch->getNumChildren() > 0) {
    std::unique_ptr<SoToVRML2Action> action(new SoToVRML2Action);
    action->apply(batch);
    // The batch is a plain group, which Coin does not convert to a node of
    // its own: each wrapper's group is a direct child of the root.
    SoVRMLGroup *converted = action->getVRML2SceneGraph();
    const int numConverted = converted ? converted->getNumChildren() : 0;
    for (int k = 0; k < numConverted; ++k) {
      SoNode *top = converted->getChild(k);
      if (!top->isOfType(SoVRMLGroup::getClassTypeId())) continue;
      auto found = std::find(names.begin(), names.end(), top->getName());
      if (found == names.end() || *found == SbName::empty()) continue;
      std::size_t index = static_cast<std::size_t>(found - names.begin());
      if (m_roots[index]) continue;
      top->setName("");
      addHeaderNodes(static_cast<SoVRMLGroup *>(top));
      SoVRMLGroup *root = new SoVRMLGroup;
      root->ref();
      root->addChild(top);
      m_roots[index] = root;
    }
  }
  for (int k = 0; k < batch->getNumChildren(); ++k) batch->getChild(k)->setName("");
  batch->unref();
}
