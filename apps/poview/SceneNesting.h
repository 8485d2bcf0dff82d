#ifndef POVIEW_SCENENESTING_H
#define POVIEW_SCENENESTING_H

#include <Inventor/SoInput.h>

#include <cstddef>

class SoNode;

// The deepest scene poview takes: nodes on the longest chain from a node at
// the top of the file down to a leaf, node kits' own inner nodes included (a
// scene view nested in another's "scene" adds four levels: the view, its two
// inner separators and the "scene" group).
constexpr int kMaxSceneNesting = 100000;

// The most node visits one traversal of a scene may make. A node used in n
// places is visited n times, so a few lines of USE can make a traversal that
// never ends; real scenes stay far below this.
constexpr double kMaxSceneVisits = 1e8;

// Each command runs on a stack this large. Coin reads, traverses, converts
// and destroys a scene with one chain of calls per level: up to about 1.5 KB
// a level measured (VRML groups being read), 0.5 to 1 KB in the traversals.
constexpr std::size_t kCommandStackBytes = std::size_t(512) << 20;

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

// Coin's reader calls itself once per level of nesting. This input stops
// handing out names (and every later character) when the thread's stack gets
// close to its end, so the read fails instead of overflowing the stack.
class NestingGuardInput : public SoInput {
public:
  NestingGuardInput();
  using SoInput::read;
  SbBool read(SbName &name, SbBool validIdent = FALSE) override;
  SbBool read(char &c) override;
  bool ranOutOfStack() const { return m_ranOut; }

private:
  bool roomLeft();
  const char *m_stopBelow; // stack addresses below this are too close to its end
  bool m_ranOut;
};

#endif
