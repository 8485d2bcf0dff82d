// PoOffscreenRenderer on the four-quadrant example at 1920x1080 from C++:
// the reference bench/python_render.py holds the same render from Python to.
#include "PoOffscreenRenderer.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/nodes/SoSeparator.h>
#include <benchmark/benchmark.h>

static void BM_FourQuadrantsPicture_1920x1080(benchmark::State &state) {
  SoInput input;
  if (!input.openFile(BRENNICQT_EXAMPLES_DIR "/four_quadrants.iv")) {
    state.SkipWithError("cannot open examples/four_quadrants.iv");
    return;
  }
  SoSeparator *root = SoDB::readAll(&input);
  root->ref();
  PoOffscreenRenderer renderer(1920, 1080);
  for (auto _ : state) {
    const QImage picture = renderer.render(root);
    benchmark::DoNotOptimize(picture.constBits());
  }
  root->unref();
}
BENCHMARK(BM_FourQuadrantsPicture_1920x1080)->Unit(benchmark::kMillisecond);
