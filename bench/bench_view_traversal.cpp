// One traversal of a view by a callback action and by a pick action, against
// the cheapest node an action can meet there: a callback node with an empty
// function. Compare each view figure with its baseline in the same run.
#include "PoView.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/nodes/SoCallback.h>
#include <benchmark/benchmark.h>

namespace {

void emptyCB(void *, SoAction *) {}

SoNode *makeBareCallback() {
  auto *node = new SoCallback;
  node->setCallback(&emptyCB, nullptr);
  return node;
}

SoNode *makeView() {
  auto *view = new PoView;
  view->viewportOrigin.setValue(0.25f, 0.25f);
  view->viewportSize.setValue(0.5f, 0.5f);
  return view;
}

template <class Action> void traverse(benchmark::State &state, SoNode *node, Action &action) {
  node->ref();
  action.apply(node);
  for (auto _ : state) action.apply(node);
  node->unref();
}

void BM_CallbackAction_BareCallback(benchmark::State &state) {
  SoCallbackAction action(SbViewportRegion(640, 480));
  traverse(state, makeBareCallback(), action);
}

void BM_CallbackAction_View(benchmark::State &state) {
  SoCallbackAction action(SbViewportRegion(640, 480));
  traverse(state, makeView(), action);
}

void BM_RayPick_BareCallback(benchmark::State &state) {
  SoRayPickAction action(SbViewportRegion(640, 480));
  action.setPoint(SbVec2s(320, 240));
  traverse(state, makeBareCallback(), action);
}

void BM_RayPick_View(benchmark::State &state) {
  SoRayPickAction action(SbViewportRegion(640, 480));
  action.setPoint(SbVec2s(320, 240));
  traverse(state, makeView(), action);
}

} // namespace

BENCHMARK(BM_CallbackAction_BareCallback);
BENCHMARK(BM_CallbackAction_View);
BENCHMARK(BM_RayPick_BareCallback);
BENCHMARK(BM_RayPick_View);
