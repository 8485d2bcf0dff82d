// getView against the bare search it is built on: the lookup should cost the
// search plus one pass over the paths it found.
//
// The views tile the window in a grid and the pointer lies in the first
// view met, so the backward walk tests every view before it finds one.

#include "PoBaseView.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodekits/SoSubKit.h>
#include <Inventor/nodes/SoSeparator.h>
#include <benchmark/benchmark.h>

#include <cmath>

// The smallest concrete view; getView looks at nothing but the base kit.
class BenchViewKit : public PoBaseView {
  SO_KIT_HEADER(BenchViewKit);

public:
  static void initClass() { SO_KIT_INIT_CLASS(BenchViewKit, PoBaseView, "PoBaseView"); }
  BenchViewKit() {
    SO_KIT_CONSTRUCTOR(BenchViewKit);
    SO_KIT_INIT_INSTANCE();
  }

protected:
  ~BenchViewKit() override {}
};

SO_KIT_SOURCE(BenchViewKit);

namespace {

enum class Layout { Flat, Nested };

// A scene of `count` sensitive views in a grid. Flat: all are children of
// the root. Nested: each view sits in a separator that also holds the
// separator of the next one, so the search walks ever deeper paths.
struct Scene {
  Scene(int count, Layout layout) {
    static bool registered = false;
    if (!registered) BenchViewKit::initClass();
    registered = true;

    root = new SoSeparator;
    root->ref();
    const int side = int(std::ceil(std::sqrt(double(count))));
    const float cell = 1.0f / side;
    SoGroup *parent = root;
    for (int i = 0; i < count; ++i) {
      auto *view = new BenchViewKit;
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

BENCHMARK_CAPTURE(BM_SearchOnly, flat, Layout::Flat)->RangeMultiplier(10)->Range(1, 1000);
BENCHMARK_CAPTURE(BM_GetView, flat, Layout::Flat)->RangeMultiplier(10)->Range(1, 1000);
BENCHMARK_CAPTURE(BM_SearchOnly, nested, Layout::Nested)->RangeMultiplier(10)->Range(1, 1000);
BENCHMARK_CAPTURE(BM_GetView, nested, Layout::Nested)->RangeMultiplier(10)->Range(1, 1000);
