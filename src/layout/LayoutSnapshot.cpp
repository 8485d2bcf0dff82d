#include "LayoutSnapshot.h"

#include "PoBaseView.h"

LayoutSnapshot::~LayoutSnapshot() { clear(); }

void LayoutSnapshot::keep(PoBaseView *view) {
  view->ref();
  m_saved.push_back(Saved{view, view->viewportOrigin.getValue(), view->viewportSize.getValue(),
                          view->isVisible.getValue() != FALSE});
}

void LayoutSnapshot::take(const std::vector<TopLevelView> &views) {
  clear();
  for (const TopLevelView &top : views) {
    keep(top.view);
    for (PoBaseView *nested : top.nested) keep(nested);
  }
}

void LayoutSnapshot::restore() const {
  for (const Saved &saved : m_saved) {
    PoBaseView &view = *saved.view;
    if (view.viewportOrigin.getValue() != saved.origin) view.viewportOrigin.setValue(saved.origin);
    if (view.viewportSize.getValue() != saved.size) view.viewportSize.setValue(saved.size);
    if ((view.isVisible.getValue() != FALSE) != saved.visible)
      view.isVisible.setValue(saved.visible ? TRUE : FALSE);
  }
}

void LayoutSnapshot::clear() {
  // Released after the list is emptied: a view's destruction may not reach
  // back into a half-cleared list.
  std::vector<Saved> saved;
  saved.swap(m_saved);
  for (const Saved &entry : saved) entry.view->unref();
}
