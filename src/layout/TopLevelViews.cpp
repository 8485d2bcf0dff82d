#include "TopLevelViews.h"

#include "PoBaseView.h"
#include "ViewWalk.h"

#include <algorithm>
#include <unordered_set>

namespace {

// Collects the top-level views, each once, and the views nested in them;
// without nested views the walk stays out of the views' parts (their
// scenes, which hold most of a graph).
class TopLevelLister : public ViewWalkVisitor {
public:
  TopLevelLister(std::vector<TopLevelView> &out, bool withNested)
      : m_out(out), m_withNested(withNested) {}

  bool enterView(PoBaseView *view, const WalkPlace &place) override {
    if (place.viewDepth == 0) {
      m_current = m_placed.insert(view).second ? int(m_out.size()) : -1;
      if (m_current >= 0) m_out.push_back(TopLevelView{view, {}});
    } else if (m_current >= 0) {
      std::vector<PoBaseView *> &nested = m_out[std::size_t(m_current)].nested;
      if (view != m_out[std::size_t(m_current)].view &&
          std::find(nested.begin(), nested.end(), view) == nested.end())
        nested.push_back(view);
    }
    return m_withNested;
  }

private:
  std::vector<TopLevelView> &m_out;
  const bool m_withNested;
  std::unordered_set<PoBaseView *> m_placed;
  int m_current = -1;
};

std::vector<TopLevelView> listTopLevel(SoNode *root, bool withNested) {
  ViewWalkRules rules;
  rules.invisibleViews = true;
  std::vector<TopLevelView> views;
  TopLevelLister lister(views, withNested);
  ViewWalk(rules).run(root, lister);
  return views;
}

} // namespace

std::vector<TopLevelView> topLevelViews(SoNode *root, bool withNested) {
  return listTopLevel(root, withNested);
}

std::vector<TopLevelView> visibleTopLevelViews(SoNode *root, bool withNested) {
  std::vector<TopLevelView> views = listTopLevel(root, withNested);
  views.erase(std::remove_if(views.begin(), views.end(),
                             [](const TopLevelView &v) { return !v.view->isVisible.getValue(); }),
              views.end());
  return views;
}

int indexOf(const std::vector<TopLevelView> &views, const PoBaseView *view) {
  for (std::size_t i = 0; i < views.size(); ++i)
    if (views[i].view == view) return int(i);
  return -1;
}

std::vector<LayoutRect> rectsOf(const std::vector<TopLevelView> &views) {
  std::vector<LayoutRect> rects;
  rects.reserve(views.size());
  for (const TopLevelView &view : views) rects.push_back(rectOf(*view.view));
  return rects;
}

void placeView(const TopLevelView &view, const LayoutRect &to) {
  const LayoutRect from = rectOf(*view.view);
  if (from == to) return;
  setRect(*view.view, to);
  for (PoBaseView *nested : view.nested) setRect(*nested, mapRect(rectOf(*nested), from, to));
}
