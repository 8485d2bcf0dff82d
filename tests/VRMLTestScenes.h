#ifndef BRENNICQT_TESTS_VRMLTESTSCENES_H
#define BRENNICQT_TESTS_VRMLTESTSCENES_H

#include "PoSceneView.h"
#include "PoToVRML2Action.h"

#include <Inventor/SbVec2f.h>

#include <string>
#include <vector>

class SoNode;
class SoCamera;
class SoGroup;
class SoVRMLParent;

// Builders and probes shared by the VRML export tests.
namespace VRMLTestScenes {

// A new scene view (unreferenced) with the given viewport, a camera kit
// whose camera is made (a perspective camera unless camera is given) and a
// "scene" part holding scene, if given.
PoSceneView *sceneView(const SbVec2f &origin, const SbVec2f &size, SoNode *scene,
                       SoCamera *camera = nullptr);
// A separator with a cube and a sphere.
SoNode *smallScene();

// The group standing for entry index of the action's last conversion.
SoVRMLParent *viewGroup(const PoToVRML2Action &action, int index);
int numSceneViews(const PoToVRML2Action &action);

// The type names of the graph below node, depth first, children and node
// fields alike, with brackets around each node's contents. Two graphs of the
// same shape give the same text.
std::string shape(SoNode *node);

// How many nodes of type below root (root included), each shared node once.
int count(SoNode *root, SoType type);
// Whether node occurs below root.
bool contains(SoNode *root, const SoNode *node);

// The graph written as a VRML97 file.
std::string writeVRML(SoNode *root);
// The DEF and USE names of a written file, in order.
std::vector<std::string> definedNames(const std::string &file);

} // namespace VRMLTestScenes

#endif
