#include "VRMLTestScenes.h"

#include "PoConvertGuts.h"

#include <Inventor/SoOutput.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/fields/SoMFNode.h>
#include <Inventor/fields/SoSFNode.h>
#include <Inventor/lists/SoFieldList.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSphere.h>

#include <cstdlib>
#include <regex>
#include <set>

namespace {

// The nodes a node holds: node fields first, then the child list unless a
// children field already lists the same nodes.
std::vector<SoNode *> below(SoNode *node) {
  std::vector<SoNode *> nodes;
  SoFieldList fields;
  bool listedChildren = false;
  const int numFields = node->getFields(fields);
  for (int i = 0; i < numFields; ++i) {
    SoField *field = fields[i];
    if (field->isOfType(SoSFNode::getClassTypeId())) {
      if (SoNode *value = static_cast<SoSFNode *>(field)->getValue()) nodes.push_back(value);
    } else if (field->isOfType(SoMFNode::getClassTypeId())) {
      SoMFNode *list = static_cast<SoMFNode *>(field);
      for (int k = 0; k < list->getNum(); ++k) nodes.push_back((*list)[k]);
      listedChildren = true;
    }
  }
  if (!listedChildren)
    if (SoChildList *children = node->getChildren())
      for (int k = 0; k < children->getLength(); ++k) nodes.push_back((*children)[k]);
  return nodes;
}

void collect(SoNode *node, std::set<SoNode *> &seen) {
  if (!node || !seen.insert(node).second) return;
  for (SoNode *child : below(node)) collect(child, seen);
}

} // namespace

PoSceneView *VRMLTestScenes::sceneView(const SbVec2f &origin, const SbVec2f &size, SoNode *scene,
                                       SoCamera *camera) {
  PoSceneView *view = new PoSceneView;
  view->viewportOrigin.setValue(origin);
  view->viewportSize.setValue(size);
  if (camera)
    view->setPart("cameraKit.camera", camera);
  else
    view->getPart("cameraKit.camera", TRUE);
  if (scene) static_cast<SoGroup *>(view->getPart("scene", TRUE))->addChild(scene);
  return view;
}

SoNode *VRMLTestScenes::smallScene() {
  SoSeparator *scene = new SoSeparator;
  scene->addChild(new SoCube);
  scene->addChild(new SoSphere);
  return scene;
}

int VRMLTestScenes::numSceneViews(const PoToVRML2Action &action) {
  const PoConvertGuts *guts = static_cast<const PoConvertGuts *>(action.getConvertGuts());
  return guts ? guts->getSceneViewInfoNum() : 0;
}

SoVRMLParent *VRMLTestScenes::viewGroup(const PoToVRML2Action &action, int index) {
  const PoConvertGuts *guts = static_cast<const PoConvertGuts *>(action.getConvertGuts());
  const PoConvertGuts::SceneViewInfo *entry = guts ? guts->getSceneViewInfo(index) : nullptr;
  return entry ? entry->vrmlGroup : nullptr;
}

std::string VRMLTestScenes::shape(SoNode *node) {
  if (!node) return "null";
  std::string text = node->getTypeId().getName().getString();
  std::vector<SoNode *> nodes = below(node);
  if (nodes.empty()) return text;
  text += "[";
  for (std::size_t i = 0; i < nodes.size(); ++i) text += (i ? " " : "") + shape(nodes[i]);
  return text + "]";
}

int VRMLTestScenes::count(SoNode *root, SoType type) {
  std::set<SoNode *> seen;
  collect(root, seen);
  int n = 0;
  for (SoNode *node : seen)
    if (node->isOfType(type)) ++n;
  return n;
}

bool VRMLTestScenes::contains(SoNode *root, const SoNode *node) {
  std::set<SoNode *> seen;
  collect(root, seen);
  return seen.count(const_cast<SoNode *>(node)) > 0;
}

std::string VRMLTestScenes::writeVRML(SoNode *root) {
  SoOutput output;
  output.setBuffer(nullptr, 0, std::realloc);
  output.setHeaderString("#VRML V2.0 utf8");
  SoWriteAction write(&output);
  write.apply(root);
  void *buffer = nullptr;
  std::size_t size = 0;
  output.getBuffer(buffer, size);
  std::string text(static_cast<const char *>(buffer), size);
  std::free(buffer);
  return text;
}

std::vector<std::string> VRMLTestScenes::definedNames(const std::string &file) {
  std::vector<std::string> names;
  static const std::regex name(R"((?:DEF|USE|ROUTE|TO)\s+([^\s.{]+))");
  for (auto it = std::sregex_iterator(file.begin(), file.end(), name); it != std::sregex_iterator(); ++it)
    names.push_back((*it)[1]);
  return names;
}
