// Runs every benchmark with Coin, the Qt binding and the module initialised,
// as an application would have them.
#include "PoBaseView.h"

#include <Inventor/Qt/SoQt.h>
#include <benchmark/benchmark.h>

int main(int argc, char **argv) {
  ::benchmark::Initialize(&argc, argv);
  SoQt::init(argc, argv, "brennicqt_bench");
  PoBaseView::initClasses();
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
