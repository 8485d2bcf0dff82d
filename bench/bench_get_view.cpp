// getView against Coin's search for all views, which it used to be built on:
// that search keeps a path to every view, so nested views cost the cube of
// their number; the lookup walks the same nodes and keeps only the views, and
// should grow linearly in every layout.
//
// The views tile the window in a grid and the pointer lies in the first
// view met, so the backward walk tests every view before it finds one.

#include "PoSceneView.h"
#include "PoView.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoSeparator.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <utility>

namespace {

enum class Layout { Flat, Nested, InSceneViews, InBorderedSceneViews };

// A scene of `count` sensitive views in a grid. Flat: all are children of
// the root. Nested: each view sits in a separator that also holds the
// separator of the next one, so the search walks ever deeper paths.
// InSceneViews: each scene view holds the next in its "scene" part, and
// Coin's searches look inside kits while the scene lives. InBorderedSceneViews:
// the same with every border shown, which searches pass by.
struct Scene {
  Scene(int count, Layout layout) : searchesKits(layout == Layout::InSceneViews ||
                                                 layout == Layout::InBorderedSceneViews) {
    if (searchesKits) SoBaseKit::setSearchingChildren(TRUE);
    root = new SoSeparator;
    root->ref();
    const int side = int(std::ceil(std::sqrt(double(count))));
    const float cell = 1.0f / side;
    SoGroup *parent = root;
    for (int i = 0; i < count; ++i) {
      PoBaseView *view = searchesKits ? static_cast<PoBaseView *>(new PoSceneView)
                                      : static_cast<PoBaseView *>(new PoView);
      view->viewportOrigin.setValue((i % side) * cell, (i / side) * cell);
      view->viewportSize.setValue(cell, cell);
      view->sensitiveOnEvents(1);
      if (layout == Layout::InBorderedSceneViews)
        static_cast<PoSceneView *>(view)->isBorderVisible = TRUE;
      if (layout == Layout::Nested) {
        auto *level = new SoSeparator;
        parent->addChild(level);
        parent = level;
      }
      parent->addChild(view);
      if (searchesKits) parent = static_cast<SoGroup *>(view->getPart("scene", TRUE));
    }
    area = new SoQtRenderArea;
    area->getSceneManager()->setWindowSize(SbVec2s(1000, 1000));
    area->setSceneGraph(root);
    // A pixel inside the first view, at the lower-left corner of the window.
    x = 0;
    y = 999;
  }
  ~Scene() {
    area->setSceneGraph(nullptr);
    delete area;
    root->unref();
    if (searchesKits) SoBaseKit::setSearchingChildren(FALSE);
  }

  const bool searchesKits;
  SoSeparator *root;
  SoQtRenderArea *area;
  int x, y;
};

bool searchesKits(Layout layout) {
  return layout == Layout::InSceneViews || layout == Layout::InBorderedSceneViews;
}

void BM_GetView(benchmark::State &state, Layout layout) {
  Scene scene(int(state.range(0)), layout);
  PoBaseView *expected = PoBaseView::getView(scene.area, scene.x, scene.y);
  if (!expected) state.SkipWithError("the first view was not found");
  for (auto _ : state) benchmark::DoNotOptimize(PoBaseView::getView(scene.area, scene.x, scene.y));
}

void BM_SearchOnly(benchmark::State &state, Layout layout) {
  Scene scene(int(state.range(0)), layout);
  for (auto _ : state) {
    SoSearchAction search;
    search.setInterest(SoSearchAction::ALL);
    search.setType(PoBaseView::getClassTypeId(), TRUE);
    search.apply(scene.root);
    benchmark::DoNotOptimize(search.getPaths().getLength());
  }
}

} // namespace

// Each lookup runs right after its baseline on the same graph size, so
// that both see the same load on a shared machine.
[[maybe_unused]] const bool registered = [] {
  const std::pair<Layout, const char *> layouts[] = {
      {Layout::Flat, "flat"}, {Layout::Nested, "nested"}, {Layout::InSceneViews, "in_scene_views"},
      {Layout::InBorderedSceneViews, "in_bordered_scene_views"}};
  for (const auto &[layout, name] : layouts)
    for (int count : {1, 10, 100, 1000}) {
      // A thousand scene views each inside the last make a single search
      // for all of them take about a second: the paths alone hold half a
      // million nodes.
      if (!searchesKits(layout) || count <= 100)
        benchmark::RegisterBenchmark((std::string("SearchOnly/") + name).c_str(), BM_SearchOnly,
                                     layout)
            ->Arg(count);
      benchmark::RegisterBenchmark((std::string("GetView/") + name).c_str(), BM_GetView, layout)
          ->Arg(count);
    }
  return true;
}();
