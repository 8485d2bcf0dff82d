#ifndef BRENNICQT_TOPLEVELVIEWS_H
#define BRENNICQT_TOPLEVELVIEWS_H

#include "LayoutRect.h"

#include <vector>

class PoBaseView;
class SoNode;

// A view of a scene's top level (nested in no other view) and every view
// nested in it, at any depth. Nested rectangles are fractions of the whole
// window, so they move with their top-level view by the same map.
struct TopLevelView {
  PoBaseView *view;
  std::vector<PoBaseView *> nested;
};

// The top-level views below root in drawing order, switched off or not,
// each once (a view drawn in several places is laid out where it is drawn
// first), with the views nested in them unless withNested is false: looking
// for the views alone does not walk their scenes.
std::vector<TopLevelView> topLevelViews(SoNode *root, bool withNested = true);

// Only those switched on.
std::vector<TopLevelView> visibleTopLevelViews(SoNode *root, bool withNested = true);

// Index of view among views, -1 when it is not one of them.
int indexOf(const std::vector<TopLevelView> &views, const PoBaseView *view);

std::vector<LayoutRect> rectsOf(const std::vector<TopLevelView> &views);

// Gives the view the rectangle `to`; its nested views keep their place
// relative to it.
void placeView(const TopLevelView &view, const LayoutRect &to);

#endif
