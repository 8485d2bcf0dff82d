#ifndef BRENNICQT_LAYOUTSNAPSHOT_H
#define BRENNICQT_LAYOUTSNAPSHOT_H

#include "TopLevelViews.h"

#include <Inventor/SbVec2f.h>

#include <vector>

// The rectangles and visibility of a set of views, kept to be put back
// exactly: the field values themselves, not a rectangle computed from them.
// Holds a reference to each view, so views taken out of the scene meanwhile
// are still there to restore.
class LayoutSnapshot {
public:
  LayoutSnapshot() = default;
  ~LayoutSnapshot();
  LayoutSnapshot(const LayoutSnapshot &) = delete;
  LayoutSnapshot &operator=(const LayoutSnapshot &) = delete;

  // Every top-level view and every view nested in one.
  void take(const std::vector<TopLevelView> &views);
  // Writes back the values taken, each field only where it changed.
  void restore() const;
  void clear();
  bool isEmpty() const { return m_saved.empty(); }

private:
  struct Saved {
    PoBaseView *view;
    SbVec2f origin;
    SbVec2f size;
    bool visible;
  };
  void keep(PoBaseView *view);
  std::vector<Saved> m_saved;
};

#endif
