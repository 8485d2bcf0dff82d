#ifndef BRENNICQT_POVIEWLAYOUT_H
#define BRENNICQT_POVIEWLAYOUT_H

#include <Inventor/SbBasic.h>
#include <Inventor/SbVec2f.h>

class LayoutSnapshot;
class PoBaseView;
class SoNode;
class SoQtViewer;

// Layout control over the views of a scene: maximize one view and restore
// the layout, arrange the views in a grid, give neighbours equal sizes, swap
// two views, move the edge between views.
//
// It works on the scene's top-level views (those nested in no other view), in
// drawing order; a view drawn in several places counts where it is drawn
// first. Views nested in a top-level view keep their place relative to it
// when it moves or resizes (their rectangles, like all rectangles, are
// fractions of the whole window). The layout is the views' own fields
// (viewportOrigin, viewportSize, isVisible), so a file written from the scene
// keeps the layout as it stands, a maximized one included.
//
// Edges the layout computes lie on a grid of 1/65536 of the window, and
// views that share an edge share its value exactly: rendered at any window
// size, neighbours meet with no gap and no pixel drawn by both.
//
// Misuse (a view that is not one of the top-level views, a grid of no cells)
// is reported through SoDebugError and changes nothing.
class PoViewLayout {
public:
  enum Side { LEFT, RIGHT, BOTTOM, TOP };

  // Holds a reference to root (when given) while it is the layout's scene.
  explicit PoViewLayout(SoNode *root = nullptr);
  // Leaves the scene as it stands, a maximized view included: call restore()
  // first to put the layout from before back.
  ~PoViewLayout();
  PoViewLayout(const PoViewLayout &) = delete;
  PoViewLayout &operator=(const PoViewLayout &) = delete;

  // The scene laid out. A layout a viewer uses (install) follows the viewer's
  // scene graph instead.
  void setSceneGraph(SoNode *root);
  SoNode *getSceneGraph() const;

  // The top-level views in drawing order, switched off ones included.
  int getNumViews() const;
  PoBaseView *getView(int index) const;
  // The top-level view shown at the window-normalised point: of the views
  // switched on that hold it (edges included), the one drawn last. Null when
  // there is none.
  PoBaseView *getViewAt(float x, float y) const;

  // The view fills the window and every other top-level view is switched
  // off. restore() puts every rectangle and visibility back exactly as it
  // was before (nested views included). Maximizing another view first
  // restores; maximizing the maximized view changes nothing.
  SbBool maximize(PoBaseView *view);
  void restore();
  // The view maximize() made fill the window, until restore() or another
  // change of the layout; null otherwise.
  PoBaseView *getMaximized() const;

  // The changes below end a maximize first, as restore() does.

  // The top-level views, in drawing order, fill a grid of columns by rows
  // cells from the upper left, row by row, and are switched on; views beyond
  // the last cell are switched off. Cells without a view stay empty.
  SbBool arrange(int columns, int rows);
  // Neighbours along a shared edge get equal sizes: the views switched on
  // are split into columns and rows by the lines that cross their whole
  // extent, and the parts of each split get equal shares, level by level.
  // Views that no such line separates keep their proportions.
  void equalize();
  // Two top-level views exchange rectangles.
  SbBool swap(PoBaseView *first, PoBaseView *second);
  // Moves an edge the given side of a view shares with other views switched
  // on to `position` (an x for LEFT and RIGHT, a y for BOTTOM and TOP, in
  // window fractions). Every view whose side lies on that line, joined to
  // this one along it, moves with it; the position is limited so that each
  // of them keeps at least the minimum size (a view already smaller keeps
  // its size). FALSE, with nothing changed, for a side no view switched on
  // lies across from.
  SbBool moveEdge(PoBaseView *view, Side side, float position);

  // The smallest width and height moveEdge leaves a view, in window
  // fractions; (0.05, 0.05) unless set.
  void setMinimumSize(const SbVec2f &size);
  const SbVec2f &getMinimumSize() const;

  // Lets the user lay out the viewer's scene with the mouse, in viewing
  // mode: a double click in a view maximizes it, and restores the layout
  // when a view is maximized; a press within a few pixels of an edge two
  // top-level views share drags that edge until the button is released
  // (the pointer shows a split cursor there), and neither the viewer nor its
  // event callback sees those events. Every other event goes on as before,
  // so it works beside installViewingEventCB and any event callback,
  // installed before or after. Answers the layout the viewer uses, which
  // lives as long as the viewer; a second call answers the same one. Null
  // for a null viewer.
  static PoViewLayout *install(SoQtViewer *viewer);

private:
  friend class ViewerLayoutEvents;
  SoNode *currentRoot() const;
  void endMaximize();

  SoNode *m_root;
  SoQtViewer *m_viewer; // set for the layout a viewer uses
  LayoutSnapshot *m_beforeMaximize;
  PoBaseView *m_maximized;
  SbVec2f m_minimumSize;
};

#endif
