// A pan carried by a camera link to the 15 other views of the 16-view grid,
// against the same pan set by hand on 15 cameras of the grid unlinked: what
// the link adds to every change it carries (finding the change, its views'
// sizes, the wave's bookkeeping). Compare the two figures of one run, e.g.
//   LP_NUM_THREADS=0 xvfb-run -a brennicqt_bench --benchmark_filter=CameraLink
//     --benchmark_repetitions=5 (one line)
#include "ViewGrid.h"

#include "PoCameraLink.h"
#include "PoView.h"

#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Grid {
  SoSeparator *root;
  std::vector<SoCamera *> cameras;
};

Grid makeGrid(bool linked) {
  Grid grid{makeViewGrid(makeSharedGridScene()), {}};
  grid.root->ref();
  auto *link = linked ? new PoCameraLink : nullptr;
  for (int i = 0; i < grid.root->getNumChildren(); ++i) {
    auto *cell = static_cast<SoSeparator *>(grid.root->getChild(i));
    auto *view = static_cast<PoView *>(cell->getChild(0));
    grid.cameras.push_back(view->getCamera());
    if (link) link->views.set1Value(i, view);
  }
  if (link) grid.root->addChild(link);
  // The link learns the window's shape as a viewer's frame tells it.
  SoGetBoundingBoxAction(SbViewportRegion(512, 512)).apply(grid.root);
  return grid;
}

// Back and forth, so that the cameras stay where they started.
SbVec3f step(int n) { return SbVec3f(n % 2 ? 0.01f : -0.01f, 0, 0); }

void BM_CameraLink_PanByHandOn15Cameras(benchmark::State &state) {
  Grid grid = makeGrid(false);
  int n = 0;
  for (auto _ : state) {
    const SbVec3f by = step(n++);
    for (std::size_t i = 1; i < grid.cameras.size(); ++i)
      grid.cameras[i]->position = grid.cameras[i]->position.getValue() + by;
  }
  grid.root->unref();
}

void BM_CameraLink_PanCarriedTo15Cameras(benchmark::State &state) {
  Grid grid = makeGrid(true);
  int n = 0;
  for (auto _ : state) grid.cameras[0]->position = grid.cameras[0]->position.getValue() + step(n++);
  if (grid.cameras[15]->position.getValue() != grid.cameras[0]->position.getValue())
    state.SkipWithError("the pan was not carried");
  grid.root->unref();
}

} // namespace

BENCHMARK(BM_CameraLink_PanByHandOn15Cameras);
BENCHMARK(BM_CameraLink_PanCarriedTo15Cameras);
