#ifndef BRENNICQT_NESTEDSCENEVIEWBOUNDS_H
#define BRENNICQT_NESTEDSCENEVIEWBOUNDS_H

// While one lives on a thread, a bounding box taken there leaves out every
// scene view below the node the action is applied to: the box of a scene
// is then its own geometry, without the scenes of the views nested in it,
// which an export places elsewhere. Taking such boxes view by view down a
// nesting costs the size of each level, not of everything below it.
class NestedSceneViewsLeftOut {
public:
  NestedSceneViewsLeftOut();
  ~NestedSceneViewsLeftOut();
  NestedSceneViewsLeftOut(const NestedSceneViewsLeftOut &) = delete;
  NestedSceneViewsLeftOut &operator=(const NestedSceneViewsLeftOut &) = delete;

  static bool inForce();

private:
  bool m_previous;
};

#endif
