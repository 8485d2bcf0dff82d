#ifndef BRENNICQT_VRML2SCENECONVERSION_H
#define BRENNICQT_VRML2SCENECONVERSION_H

#include <vector>

class SbName;
class SoConvertGutsVRML2;
class SoGroup;
class SoNode;
class SoToVRML2Action;
class SoVRMLGroup;

// Standalone VRML97 conversions of several scenes, each as a fresh
// SoToVRML2Action with default settings would convert it on its own: scene
// i comes out under getVRML2SceneGraph(i), whose child 0 is the scene's top
// node. As in the toolkit, the top node starts with two header nodes, a
// WorldInfo and a NavigationInfo, followed by the converted scene.
//
// The scenes are converted in one traversal of Coin's converter, each under
// a separator of its own so that no state leaks from one into the next. A
// subgraph the scenes share is therefore converted once and shared by their
// results, as Coin shares it within one conversion, instead of being
// converted again for every scene.
class VRML2SceneConversion {
public:
  // Null scenes are allowed and give no result. With an engine the scenes
  // are converted by that action (non-virtually, with Coin's default
  // settings, its own settings put back afterwards) instead of by a new one:
  // Coin's actions are costly to construct.
  // With keepEngineSettings the engine converts with its own settings
  // instead. With a converter, the conversion runs through it, so that it
  // can take over the node kits met (SoConvertGutsVRML2::convertSoBaseKit);
  // its own six settings then hold.
  explicit VRML2SceneConversion(const std::vector<SoNode *> &scenes,
                                  SoToVRML2Action *engine = nullptr,
                                  bool keepEngineSettings = false,
                                  SoConvertGutsVRML2 *converter = nullptr);
  ~VRML2SceneConversion();
  VRML2SceneConversion(const VRML2SceneConversion &) = delete;
  VRML2SceneConversion &operator=(const VRML2SceneConversion &) = delete;

  int getNumScenes() const { return static_cast<int>(m_tops.size()); }
  // The top node of scene index's conversion, or null if there is none.
  SoVRMLGroup *getTopNode(int index) const;
  // Whether node is one of the header nodes this conversion put at the head
  // of a top node.
  int isHeaderNode(const SoNode *node) const;
  // The top node of scene index less the two header nodes at its head (taken
  // away from it, once): the scene's own converted nodes. Null if there is
  // none.
  SoVRMLGroup *takeScene(int index) const;

private:
  void convert(const std::vector<SoNode *> &scenes, SoToVRML2Action &engine,
               SoConvertGutsVRML2 *converter);
  void takeTops(SoVRMLGroup *converted, const std::vector<SbName> &names);
  void addHeaderNodes(SoVRMLGroup *top);

  std::vector<SoVRMLGroup *> m_tops;
  // The scenes under their separators, kept as long as the conversion: Coin's
  // action remembers what it converted by address, and a later conversion on
  // it must not meet a new node where one of these lay.
  SoGroup *m_batch;
  std::vector<SoNode *> m_headerNodes;
};

#endif
