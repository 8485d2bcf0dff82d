#ifndef BRENNICQT_TOVRMLSTAGE_H
#define BRENNICQT_TOVRMLSTAGE_H

// Part of BrennicQt's inside: installed only because a public header needs
// it. Applications do not include it themselves.

class SoConvertGuts;
class SoNode;
class SoPath;
class SoPathList;

// The first of the two conversion stages. Coin converts Inventor nodes to
// VRML97 in one go, so this stage has no intermediate graph to build: it
// walks the graph the way Coin's conversion reaches it (every child of every
// group, all choices of a switch, the insides of node kits) and lets its
// converter see every group and node kit met, each once. Its result is the
// graph itself, which the VRML2 stage then converts.
//
// The stage owns its converter from one run to the next, as an action owns
// it; the result is referenced only while a conversion needs it.
class ToVRMLStage {
public:
  ToVRMLStage();
  ~ToVRMLStage();
  ToVRMLStage(const ToVRMLStage &) = delete;
  ToVRMLStage &operator=(const ToVRMLStage &) = delete;

  // Walks the graph under node with guts, which the stage takes over
  // (freeing the converter of the previous run).
  void apply(SoNode *node, SoConvertGuts *guts);
  // Walks the nodes of the path from its head and the whole graph under
  // its tail; nothing off the path is met.
  void apply(SoPath *path, SoConvertGuts *guts);
  // Walks every path of the list, in order, with the one converter.
  void apply(const SoPathList &paths, SoConvertGuts *guts);

  SoConvertGuts *getConvertGuts() const { return m_guts; }
  SoNode *getVRMLSceneGraph() const { return m_result; }
  // Lets go of the result once the conversion is done with it. A graph the
  // caller never referenced is left alive, as Coin's actions leave it.
  void releaseResult();

private:
  void takeConverter(SoConvertGuts *guts);
  void keepResult(SoNode *node);
  void walkPath(SoPath *path);

  SoConvertGuts *m_guts;
  SoNode *m_result;
};

#endif
