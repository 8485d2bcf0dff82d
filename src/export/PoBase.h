#ifndef BRENNICQT_POBASE_H
#define BRENNICQT_POBASE_H

// The visualisation core library's switch that keeps its nodes from
// rebuilding their derived geometry. It is process-wide, not tied to a scene:
// while it is on, no core-library node rebuilds, in any scene. The VRML
// export turns it on across a whole conversion so that the graph it walks
// cannot change under it.
class PoBase {
public:
  static void blockRebuild(int flag);
  static int isRebuildBlocked();
};

// Keeps the core library's nodes from rebuilding for as long as it lives.
class PoRebuildBlock {
public:
  PoRebuildBlock() { PoBase::blockRebuild(1); }
  ~PoRebuildBlock() { PoBase::blockRebuild(0); }
  PoRebuildBlock(const PoRebuildBlock &) = delete;
  PoRebuildBlock &operator=(const PoRebuildBlock &) = delete;
};

#endif
