#include "VRML2SceneConversion.h"

#include "QuietVRMLGroups.h"
#include "SoConvertGutsVRML2.h"
#include "VRML2Settings.h"

#include <Inventor/SbName.h>
#include <Inventor/SbString.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLNavigationInfo.h>
#include <Inventor/VRMLnodes/SoVRMLWorldInfo.h>
#include <Inventor/actions/SoToVRML2Action.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>

#include <algorithm>

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

VRML2SceneConversion::VRML2SceneConversion(const std::vector<SoNode *> &scenes,
                                               SoToVRML2Action *engine, bool keepEngineSettings,
                                               SoConvertGutsVRML2 *converter)
    : m_tops(scenes.size(), nullptr), m_batch(nullptr) {
  if (engine && keepEngineSettings) {
    convert(scenes, *engine, converter);
  } else if (engine) {
    const VRML2Settings own = VRML2Settings::of(*engine);
    VRML2Settings::defaults().applyTo(*engine);
    convert(scenes, *engine, converter);
    own.applyTo(*engine);
  } else {
    SoToVRML2Action fresh;
    convert(scenes, fresh, converter);
  }
}

VRML2SceneConversion::~VRML2SceneConversion() {
  if (m_batch) m_batch->unref();
  for (SoVRMLGroup *top : m_tops)
    if (top) top->unref();
  for (SoNode *header : m_headerNodes) header->unref();
}

SoVRMLGroup *VRML2SceneConversion::getTopNode(int index) const {
  if (index < 0 || index >= getNumScenes()) return nullptr;
  return m_tops[static_cast<std::size_t>(index)];
}

int VRML2SceneConversion::isHeaderNode(const SoNode *node) const {
  return std::find(m_headerNodes.begin(), m_headerNodes.end(), node) != m_headerNodes.end();
}

SoVRMLGroup *VRML2SceneConversion::takeScene(int index) const {
  SoVRMLGroup *top = getTopNode(index);
  if (top && top->getNumChildren() >= 2 && isHeaderNode(top->getChild(0)) &&
      isHeaderNode(top->getChild(1))) {
    top->removeChild(0);
    top->removeChild(0);
  }
  return top;
}

// One WorldInfo and one NavigationInfo head every top node of a conversion:
// they are only there to be taken away again, so the tops share them.
void VRML2SceneConversion::addHeaderNodes(SoVRMLGroup *top) {
  if (m_headerNodes.empty()) {
    m_headerNodes.push_back(new SoVRMLWorldInfo);
    m_headerNodes.push_back(new SoVRMLNavigationInfo);
    for (SoNode *header : m_headerNodes) header->ref();
  }
  top->insertChild(m_headerNodes[0], 0);
  top->insertChild(m_headerNodes[1], 1);
}

void VRML2SceneConversion::convert(const std::vector<SoNode *> &scenes,
                                     SoToVRML2Action &engine, SoConvertGutsVRML2 *converter) {
  SoGroup *batch = new SoGroup;
  batch->ref();
  m_batch = batch;
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
    if (converter) {
      converter->setEngine(&engine);
      takeTops(converter->convertTovrinToVRML2(batch), names);
    } else {
      const QuietVRMLGroups quiet;
      engine.SoToVRML2Action::apply(batch);
      takeTops(engine.SoToVRML2Action::getVRML2SceneGraph(), names);
    }
  }
  for (int k = 0; k < batch->getNumChildren(); ++k) batch->getChild(k)->setName("");
}

// The batch is a plain group, which Coin does not convert to a node of its
// own: each wrapper's group is a direct child of the converted root.
void VRML2SceneConversion::takeTops(SoVRMLGroup *converted, const std::vector<SbName> &names) {
  const int numConverted = converted ? converted->getNumChildren() : 0;
  for (int k = 0; k < numConverted; ++k) {
    SoNode *top = converted->getChild(k);
    if (!top->isOfType(SoVRMLGroup::getClassTypeId())) continue;
    auto found = std::find(names.begin(), names.end(), top->getName());
    if (found == names.end() || *found == SbName::empty()) continue;
    std::size_t index = static_cast<std::size_t>(found - names.begin());
    if (m_tops[index]) continue;
    top->setName("");
    top->ref();
    addHeaderNodes(static_cast<SoVRMLGroup *>(top));
    m_tops[index] = static_cast<SoVRMLGroup *>(top);
  }
}
