#ifndef BRENNICQT_VIEWWALK_H
#define BRENNICQT_VIEWWALK_H

#include "PoViewList.h"

#include <Inventor/SbMatrix.h>

#include <unordered_set>
#include <vector>

class PoBaseView;
class SoCamera;
class SoChildList;
class SoNode;

// The one walk over a scene graph that every part of the library asking
// "which views, in drawing order, with which camera and scene" goes through:
// view lookup, both exports and the tool's listing. It reaches nodes the way
// Coin's actions do, children in order and the chosen child of a switch, and
// keeps what Coin's separators keep to themselves (the camera in effect and
// the model matrix) to the part of the graph they hold. Nothing is changed.
//
// A view is walked as rendering reaches what it shows: its camera kit, then
// (for a scene view) its "scene". Its own separators, traversal callback and
// decorations are no part of the walk. Graphs are walked without recursion,
// so a deep graph costs heap, not stack.

// How a node with children keeps traversal state to itself.
enum class NodeScope {
  None,          // a plain group: what it sets holds after it
  Separator,     // keeps everything (Coin's separators, VRML grouping nodes)
  TransformOnly  // keeps the model matrix only (SoTransformSeparator)
};
NodeScope scopeOf(const SoNode *node);

struct ViewWalkRules {
  // Every child of a switch instead of the chosen one: what a conversion
  // that keeps switches (VRML97) must see.
  bool allSwitchChoices = false;
  // Into the insides of node kits, views included. Coin's search goes into
  // kits only when SoBaseKit::setSearchingChildren says so; the lookup
  // follows it.
  bool intoKits = true;
  // A node shared in several places is walked only where it is met first.
  bool eachNodeOnce = false;
  // Views switched off (isVisible FALSE) too. Without, such a view is passed
  // by with all it holds, as every action but searching and writing passes it
  // by: a scene view alone, a plain view (or another kit without a separator
  // of its own) with the rest of its scope up to the enclosing separator.
  bool invisibleViews = false;
};

// A camera met on the walk and the model matrix it was met with.
struct CameraUse {
  SoCamera *camera;
  SbMatrix model;
};

// Where the walk stands.
struct WalkPlace {
  int viewDepth = 0;   // views around this place
  int camera = -1;     // the camera in effect: index into cameraUses(), -1 none
  SbMatrix model = SbMatrix::identity();
};

class ViewWalkVisitor {
public:
  virtual ~ViewWalkVisitor() = default;
  // A view met (place: where it stands). Answers whether to walk its camera
  // kit and scene; leaveView follows either way.
  virtual bool enterView(PoBaseView *, const WalkPlace &) { return true; }
  virtual void leaveView(PoBaseView *) {}
  // A node with children that is no view. Answers whether to walk its
  // children; a node not walked into is met as a leaf instead.
  virtual bool enterGroup(SoNode *, NodeScope) { return true; }
  virtual void leaveGroup(SoNode *, NodeScope) {}
  // Any other node, cameras included (the place already has them in effect).
  virtual void leaf(SoNode *, const WalkPlace &) {}
};

class ViewWalk {
public:
  explicit ViewWalk(const ViewWalkRules &rules = ViewWalkRules());
  ViewWalk(const ViewWalk &) = delete;
  ViewWalk &operator=(const ViewWalk &) = delete;

  void run(SoNode *root, ViewWalkVisitor &visitor);

  // Every camera met so far, in the order met.
  const std::vector<CameraUse> &cameraUses() const { return m_cameras; }

private:
  // A node being walked: a group's children, or the parts of a view.
  struct Frame {
    SoNode *node;
    PoBaseView *view; // non-null for a view
    NodeScope scope;
    const SoChildList *children;
    SoNode *parts[2];
    int next;
    int last;
    WalkPlace saved;

    SoNode *child(int index) const;
  };

  void push(SoNode *node, ViewWalkVisitor &visitor);
  void passRestOfScope();
  void meetLeaf(SoNode *node, ViewWalkVisitor &visitor);
  void trackMatrix(SoNode *node);

  ViewWalkRules m_rules;
  WalkPlace m_place;
  std::vector<Frame> m_frames;
  std::vector<CameraUse> m_cameras;
  std::unordered_set<SoNode *> m_seen; // with eachNodeOnce
};

using ViewEntry = PoViewList::Entry;

// The views of the graph below root in drawing order, as PoViewList lists
// them, under other rules if need be.
std::vector<ViewEntry> listViews(SoNode *root, const ViewWalkRules &rules = ViewWalkRules());

#endif
