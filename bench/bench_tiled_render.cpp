// The 16-view grid as one 4096 x 4096 picture, rendered in one go and in 16
// tiles of 1024 x 1024 by the same renderer: compare the two figures of one
// run. The poster benchmarks render 16384 x 16384 pixels once, in bands and
// whole, and report the peak memory the process grew by against the size of
// the RGB picture. bench/poster.sh measures the tool's posters.
//
// As for the grid benchmark, LP_NUM_THREADS=0 and CPU times give the steadier
// figures on Mesa's software renderer, e.g.
//   LP_NUM_THREADS=0 xvfb-run -a brennicqt_bench --benchmark_filter=Picture
#include "PoOffscreenRenderer.h"
#include "ViewGrid.h"

#include <Inventor/nodes/SoSeparator.h>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

constexpr int kPicture = 4096;

void renderGridPicture(benchmark::State &state, int tilesPerSide) {
  SoSeparator *root = makeViewGrid(makeSharedGridScene());
  root->ref();
  PoOffscreenRenderer renderer(kPicture, kPicture);
  if (renderer.render(root).isNull()) state.SkipWithError(renderer.getLastError().c_str());
  for (auto _ : state) {
    const QImage picture = renderer.render(root, tilesPerSide, tilesPerSide);
    benchmark::DoNotOptimize(picture.constBits());
  }
  root->unref();
}

void BM_GridPicture_OneRender(benchmark::State &state) { renderGridPicture(state, 1); }
void BM_GridPicture_16Tiles(benchmark::State &state) { renderGridPicture(state, 4); }

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

// Takes the bands and keeps nothing, as a file encoder would.
class DiscardingSink : public PoOffscreenRenderer::BandSink {
public:
  bool takeRows(const unsigned char *rows, int, int, int) override {
    benchmark::DoNotOptimize(rows);
    return true;
  }
};

// The same poster handed over in bands; runs first, since the peak only grows.
void BM_PosterBandsPeakMemory(benchmark::State &state) {
  constexpr int kPoster = 16384;
  SoSeparator *root = makeViewGrid(makeSharedGridScene());
  root->ref();
  PoOffscreenRenderer renderer(kPoster, kPoster);
  DiscardingSink sink;
  const double before = peakMegabytes();
  for (auto _ : state)
    if (!renderer.renderBands(root, sink)) state.SkipWithError(renderer.getLastError().c_str());
  state.counters["picture_MB"] = double(kPoster) * kPoster * 3 / (1024.0 * 1024.0);
  state.counters["peak_growth_MB"] = peakMegabytes() - before;
  root->unref();
}

void BM_PosterPeakMemory(benchmark::State &state) {
  constexpr int kPoster = 16384;
  SoSeparator *root = makeViewGrid(makeSharedGridScene());
  root->ref();
  PoOffscreenRenderer renderer(kPoster, kPoster);
  const double before = peakMegabytes();
  for (auto _ : state) {
    const QImage poster = renderer.render(root);
    if (poster.isNull()) state.SkipWithError(renderer.getLastError().c_str());
    benchmark::DoNotOptimize(poster.constBits());
  }
  state.counters["picture_MB"] = double(kPoster) * kPoster * 3 / (1024.0 * 1024.0);
  state.counters["peak_growth_MB"] = peakMegabytes() - before;
  root->unref();
}

} // namespace

BENCHMARK(BM_GridPicture_OneRender)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPicture_16Tiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PosterBandsPeakMemory)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_PosterPeakMemory)->Unit(benchmark::kSecond)->Iterations(1);
