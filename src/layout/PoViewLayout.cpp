#include "PoViewLayout.h"

#include "DebugReport.h"
#include "EqualSplit.h"
#include "LayoutSnapshot.h"
#include "PoBaseView.h"
#include "SharedEdge.h"
#include "TopLevelViews.h"

#include <Inventor/Qt/viewers/SoQtViewer.h>
#include <Inventor/nodes/SoNode.h>

#include <algorithm>

namespace {

const char *const kNotTopLevel = "the view is not a top-level view of the layout's scene";

// Places the views with their edges on the grid, edges on one line on the
// same value, so that rendering gives neighbours the same pixel edge.
void placeOnGrid(const std::vector<TopLevelView> &views, std::vector<LayoutRect> rects) {
  snapToEdgeGrid(rects);
  for (std::size_t i = 0; i < views.size(); ++i) placeView(views[i], rects[i]);
}

} // namespace

PoViewLayout::PoViewLayout(SoNode *root)
    : m_root(nullptr), m_viewer(nullptr), m_beforeMaximize(new LayoutSnapshot),
      m_maximized(nullptr), m_minimumSize(0.05f, 0.05f) {
  setSceneGraph(root);
}

PoViewLayout::~PoViewLayout() {
  delete m_beforeMaximize;
  if (m_root) m_root->unref();
}

void PoViewLayout::setSceneGraph(SoNode *root) {
  if (root) root->ref();
  if (m_root) m_root->unref();
  m_root = root;
}

SoNode *PoViewLayout::getSceneGraph() const { return currentRoot(); }

SoNode *PoViewLayout::currentRoot() const { return m_viewer ? m_viewer->getSceneGraph() : m_root; }

int PoViewLayout::getNumViews() const {
  return int(topLevelViews(currentRoot(), false).size());
}

PoBaseView *PoViewLayout::getView(int index) const {
  const std::vector<TopLevelView> views = topLevelViews(currentRoot(), false);
  return index >= 0 && index < int(views.size()) ? views[std::size_t(index)].view : nullptr;
}

PoBaseView *PoViewLayout::getViewAt(float x, float y) const {
  const std::vector<TopLevelView> views = visibleTopLevelViews(currentRoot(), false);
  for (auto view = views.rbegin(); view != views.rend(); ++view)
    if (rectOf(*view->view).contains(x, y)) return view->view;
  return nullptr;
}

SbBool PoViewLayout::maximize(PoBaseView *view) {
  if (view && view == m_maximized) return TRUE;
  const std::vector<TopLevelView> views = topLevelViews(currentRoot());
  const int index = indexOf(views, view);
  if (index < 0) {
    postReport("PoViewLayout::maximize", kNotTopLevel);
    return FALSE;
  }
  endMaximize();
  m_beforeMaximize->take(views);
  for (const TopLevelView &other : views)
    if (other.view != view) other.view->isVisible.setValue(FALSE);
  placeView(views[std::size_t(index)], kWindowRect);
  if (!view->isVisible.getValue()) view->isVisible.setValue(TRUE);
  m_maximized = view;
  return TRUE;
}

void PoViewLayout::restore() {
  m_beforeMaximize->restore();
  m_beforeMaximize->clear();
  m_maximized = nullptr;
}

void PoViewLayout::endMaximize() {
  if (m_maximized) restore();
}

PoBaseView *PoViewLayout::getMaximized() const { return m_maximized; }

SbBool PoViewLayout::arrange(int columns, int rows) {
  if (columns < 1 || rows < 1) {
    postReport("PoViewLayout::arrange", "a grid needs at least one column and one row");
    return FALSE;
  }
  endMaximize();
  const std::vector<TopLevelView> views = topLevelViews(currentRoot());
  const long long cells = static_cast<long long>(columns) * rows;
  for (std::size_t i = 0; i < views.size(); ++i) {
    const TopLevelView &view = views[i];
    const bool inGrid = static_cast<long long>(i) < cells;
    if (inGrid) placeView(view, gridCell(static_cast<long long>(i), columns, rows));
    if ((view.view->isVisible.getValue() != FALSE) != inGrid)
      view.view->isVisible.setValue(inGrid ? TRUE : FALSE);
  }
  return TRUE;
}

void PoViewLayout::equalize() {
  endMaximize();
  // Views whose rectangles are no numbers to split (not finite, far off the
  // window) are left as they are, and leave the others alone.
  std::vector<TopLevelView> views = visibleTopLevelViews(currentRoot());
  views.erase(std::remove_if(views.begin(), views.end(),
                             [](const TopLevelView &v) { return !isWithinReach(rectOf(*v.view)); }),
              views.end());
  std::vector<LayoutRect> rects = rectsOf(views);
  snapToEdgeGrid(rects);
  placeOnGrid(views, equalSplit(rects));
}

SbBool PoViewLayout::swap(PoBaseView *first, PoBaseView *second) {
  const std::vector<TopLevelView> views = topLevelViews(currentRoot());
  const int one = indexOf(views, first), other = indexOf(views, second);
  if (one < 0 || other < 0) {
    postReport("PoViewLayout::swap", kNotTopLevel);
    return FALSE;
  }
  endMaximize();
  const LayoutRect firstRect = rectOf(*first), secondRect = rectOf(*second);
  placeView(views[std::size_t(one)], secondRect);
  placeView(views[std::size_t(other)], firstRect);
  const std::vector<TopLevelView> shown = visibleTopLevelViews(currentRoot());
  placeOnGrid(shown, rectsOf(shown));
  return TRUE;
}

SbBool PoViewLayout::moveEdge(PoBaseView *view, Side side, float position) {
  endMaximize();
  const std::vector<TopLevelView> views = visibleTopLevelViews(currentRoot());
  const int index = indexOf(views, view);
  if (index < 0) {
    postReport("PoViewLayout::moveEdge", "the view is not a top-level view switched on");
    return FALSE;
  }
  std::vector<LayoutRect> rects = rectsOf(views);
  const SharedEdge edge = edgeAlong(rects, index, side);
  if (!edge.isShared()) return FALSE;
  const float to = onEdgeGrid(limitEdge(rects, edge, position, m_minimumSize));
  moveEdgeTo(rects, edge, to);
  placeOnGrid(views, rects);
  return TRUE;
}

void PoViewLayout::setMinimumSize(const SbVec2f &size) { m_minimumSize = size; }

const SbVec2f &PoViewLayout::getMinimumSize() const { return m_minimumSize; }
