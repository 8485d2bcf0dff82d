#ifndef BRENNICQT_QUIETVRMLGROUPS_H
#define BRENNICQT_QUIETVRMLGROUPS_H

#include <vector>

class SoNode;

// Keeps Coin's VRML97 conversion linear in the depth of the scene.
//
// Coin's SoToVRML2Action builds its result from the top down: each node it
// adds goes into a group that already hangs below all the groups above it,
// and the notification of that change climbs to the top every time, so a
// scene n levels deep costs n * n notifications. While an object of this
// class lives on a thread, the grouping nodes that Coin makes there (VRML
// Group, Transform, Switch and LOD, made through Coin's type system as the
// conversion does) start with notification off, and stop the climb where it
// starts; when it ends, they notify again. Nothing has seen the new nodes in
// the meantime, so no cache or sensor misses a change. Other threads, and
// this one before and after, make these nodes as Coin always does.
class QuietVRMLGroups {
public:
  QuietVRMLGroups();
  ~QuietVRMLGroups();
  QuietVRMLGroups(const QuietVRMLGroups &) = delete;
  QuietVRMLGroups &operator=(const QuietVRMLGroups &) = delete;

  // Called for each grouping node made on this thread while this is active.
  void note(SoNode *made);

private:
  QuietVRMLGroups *m_enclosing;
  std::vector<SoNode *> m_made;
};

#endif
