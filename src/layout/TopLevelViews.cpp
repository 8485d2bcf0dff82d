#include "TopLevelViews.h"

#include "PoBaseView.h"
#include "ViewWalk.h"

#include <algorithm>
#include <unordered_set>

std::vector<TopLevelView> topLevelViews(SoNode *root) {
  ViewWalkRules rules;
  rules.invisibleViews = true;
  const std::vector<ViewEntry> entries = listViews(root, rules);
  std::vector<TopLevelView> views;
  std::unordered_set<PoBaseView *> placed;
  // Entries come in drawing order, each view before those nested in it.
  std::vector<int> topOf(entries.size(), -1);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ViewEntry &entry = entries[i];
    if (entry.parent < 0) {
      if (!placed.insert(entry.view).second) continue;
      topOf[i] = int(views.size());
      views.push_back(TopLevelView{entry.view, {}});
      continue;
    }
    const int top = topOf[std::size_t(entry.parent)];
    topOf[i] = top;
    if (top < 0) continue;
    std::vector<PoBaseView *> &nested = views[std::size_t(top)].nested;
    if (entry.view != views[std::size_t(top)].view &&
        std::find(nested.begin(), nested.end(), entry.view) == nested.end())
      nested.push_back(entry.view);
  }
  return views;
}

std::vector<TopLevelView> visibleTopLevelViews(SoNode *root) {
  std::vector<TopLevelView> views = topLevelViews(root);
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
