// getView against the bare search it is built on: the lookup should cost the
// search plus one pass over the paths it found.
//
// The views tile the window in a grid and the pointer lies in the first
// view met, so the backward walk tests every view before it finds one.

#include "PoView.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoSeparator.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

enum class Layout { Flat, Nested };

// A scene of `count` sensitive views in a grid. Flat: all are children of
// the root. Nested: each view sits in a separator that also holds the
// separator of the next one, so the search walks ever deeper paths.
struct Scene {
  Scene(int count, Layout layout) {
    root = new SoSeparator;
    root->ref();
    const int side = int(std::ceil(std::sqrt(double(count))));
    const float cell = 1.0f / side;
    SoGroup *parent = root;
    for (int i = 0; i < count; ++i) {
      auto *view = new PoView;
      view->viewportOrigin.setValue((i % side) * cell, (i / side) * cell);
      view->viewportSize.setValue(cell, cell);
      view->sensitiveOnEvents(1);
      if (layout == Layout::Nested) {
        auto *level = new SoSeparator;
        parent->addChild(level);
        parent = level;
      }
      parent->addChild(view);
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
  }

  SoSeparator *root;
  SoQtRenderArea *area;
  int x, y;
};

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
  for (Layout layout : {Layout::Flat, Layout::Nested})
    for (int count : {1, 10, 100, 1000}) {
      const char *name = layout == Layout::Flat ? "flat" : "nested";
      benchmark::RegisterBenchmark((std::string("SearchOnly/") + name).c_str(), BM_SearchOnly, layout)
          ->Arg(count);
      benchmark::RegisterBenchmark((std::string("GetView/") + name).c_str(), BM_GetView, layout)
          ->Arg(count);
    }
  return true;
}();
