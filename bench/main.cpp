// Benchmarks run with Coin, the Qt binding and the module initialised, as an
// application would have them.

#include "PoBaseView.h"

#include <Inventor/Qt/SoQt.h>
#include <benchmark/benchmark.h>

int main(int argc, char **argv) {
  ::benchmark::Initialize(&argc, argv);
  if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SoQt::init(argc, argv, "brennicqt_bench");
  PoBaseView::initClasses();
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  PoBaseView::exitClasses();
  return 0;
}
