#ifndef BRENNICQT_POVIEWLIST_H
#define BRENNICQT_POVIEWLIST_H

#include <vector>

class PoBaseView;
class SoCamera;
class SoNode;

// The views of a scene graph in drawing order, found the way rendering
// reaches them: children in order, the chosen child of a switch, the parts of
// node kits (views nested in a scene view's "scene" included). A view comes
// before the views nested in it. Listing changes nothing in the graph: a view
// without a camera lists none rather than getting one made. Views switched off
// (isVisible FALSE) are left out with all they hold, as rendering leaves them
// out, unless withInvisibleViews asks for them too.
//
// The list holds no references: it is valid while the graph is unchanged.
class PoViewList {
public:
  struct Entry {
    PoBaseView *view;
    int parent;       // index of the view this one is nested in, -1 at the top
    int depth;        // number of views it is nested in
    SoCamera *camera; // the view's own camera ("cameraKit.camera"), or null
    SoNode *scene;    // a scene view's "scene" part, or null
  };

  explicit PoViewList(SoNode *root, bool withInvisibleViews = false);

  int getLength() const { return static_cast<int>(m_entries.size()); }
  // Index from 0 to getLength() - 1.
  const Entry &operator[](int index) const { return m_entries[static_cast<std::size_t>(index)]; }

private:
  std::vector<Entry> m_entries;
};

#endif
