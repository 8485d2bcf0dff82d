#ifndef BRENNICQT_SCENESHAPE_H
#define BRENNICQT_SCENESHAPE_H

class SoNode;

// The shape of a scene that has been read.
struct SceneShape {
  int depth = 0;          // levels below the root (the root itself not counted)
  double visits = 0;      // node visits of one traversal from the root
  int loops = 0;          // references back into a node that holds them
};

// Measures the scene below root without recursion, each shared node once.
// A node that holds itself (a USE inside its own DEF) makes a loop no
// traversal gets out of; each reference closing one is cut, so that releasing
// the root frees the whole scene.
SceneShape measureScene(SoNode *root);

#endif
