// What a scene view pays to show its border again, against building the same
// five nodes by hand and hanging them into a separator: the kit adds its
// part handling and the immediate sensor on top of that work.
#include "PoSceneView.h"

#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoLineSet.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPickStyle.h>
#include <Inventor/nodes/SoSeparator.h>
#include <benchmark/benchmark.h>

namespace {

void BM_BorderBuiltByHand(benchmark::State &state) {
  static const SbVec3f vertices[8] = {
      SbVec3f(-1, -1, -1), SbVec3f(1, -1, -1), SbVec3f(1, -1, -1), SbVec3f(1, 1, -1),
      SbVec3f(1, 1, -1),   SbVec3f(-1, 1, -1), SbVec3f(-1, 1, -1), SbVec3f(-1, -1, -1)};
  static const int32_t counts[4] = {2, 2, 2, 2};
  SoSeparator *holder = new SoSeparator;
  holder->ref();
  holder->addChild(new SoGroup);
  for (auto _ : state) {
    SoLineSet *lines = new SoLineSet;
    SoCoordinate3 *coordinates = new SoCoordinate3;
    coordinates->point.setValues(0, 8, vertices);
    lines->numVertices.setValues(0, 4, counts);
    SoPickStyle *style = new SoPickStyle;
    style->style = SoPickStyle::UNPICKABLE;
    SoOrthographicCamera *camera = new SoOrthographicCamera;
    camera->viewportMapping = SoCamera::LEAVE_ALONE;
    SoGroup *group = new SoGroup;
    group->addChild(camera);
    group->addChild(style);
    group->addChild(coordinates);
    group->addChild(lines);
    holder->replaceChild(0, group);
  }
  holder->unref();
}
BENCHMARK(BM_BorderBuiltByHand);

void BM_SceneViewShowsBorder(benchmark::State &state) {
  PoSceneView *view = new PoSceneView;
  view->ref();
  for (auto _ : state) view->isBorderVisible = TRUE; // rebuilt at every setting
  view->unref();
}
BENCHMARK(BM_SceneViewShowsBorder);

// Building a whole scene view, against Coin's own kit with a similar tree.
void BM_SeparatorKitConstruction(benchmark::State &state) {
  for (auto _ : state) {
    SoNode *kit = static_cast<SoNode *>(SoType::fromName("SeparatorKit").createInstance());
    kit->ref();
    kit->unref();
  }
}
BENCHMARK(BM_SeparatorKitConstruction);

void BM_SceneViewConstruction(benchmark::State &state) {
  for (auto _ : state) {
    PoSceneView *view = new PoSceneView;
    view->ref();
    view->unref();
  }
}
BENCHMARK(BM_SceneViewConstruction);

} // namespace
