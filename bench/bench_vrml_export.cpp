// Export time of a scene of about 200,000 triangles seen by 16 scene views,
// against Coin's plain SoToVRML2Action on the same graph in the same run.
//
// Two graphs: "shared", one model every view shows (how an application shows
// one scene in several views), and "split", sixteen models of 1/16 the size,
// one per view. Compare PoToVRML2Action/<graph> with PlainCoin/<graph>.
//
// The X3D export against the VRML97 export, each all the way to the text of
// a file: compare X3DFile_<graph> with VRML97File_<graph>.

#include "PoSceneView.h"
#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"

#include <Inventor/SoOutput.h>
#include <Inventor/actions/SoWriteAction.h>

#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/actions/SoToVRML2Action.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoIndexedFaceSet.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/nodes/SoSeparator.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kViews = 16;
constexpr int kTriangles = 200000;

// A grid of quads, two triangles each, as one indexed face set.
SoSeparator *model(int triangles) {
  const int side = static_cast<int>(std::ceil(std::sqrt(triangles / 2.0)));
  SoSeparator *separator = new SoSeparator;
  separator->addChild(new SoMaterial);
  std::vector<SbVec3f> points;
  for (int j = 0; j <= side; ++j)
    for (int i = 0; i <= side; ++i)
      points.emplace_back(float(i), float(j), std::sin(i * 0.1f) * std::cos(j * 0.1f));
  SoCoordinate3 *coordinates = new SoCoordinate3;
  coordinates->point.setValues(0, static_cast<int>(points.size()), points.data());
  separator->addChild(coordinates);
  std::vector<int32_t> indices;
  for (int j = 0; j < side; ++j)
    for (int i = 0; i < side; ++i) {
      const int a = j * (side + 1) + i;
      const int32_t quad[] = {a, a + 1, a + side + 2, -1, a, a + side + 2, a + side + 1, -1};
      indices.insert(indices.end(), quad, quad + 8);
    }
  SoIndexedFaceSet *faces = new SoIndexedFaceSet;
  faces->coordIndex.setValues(0, static_cast<int>(indices.size()), indices.data());
  separator->addChild(faces);
  return separator;
}

// Sixteen views in a 4 x 4 grid over the window.
SoSeparator *graph(bool shared) {
  SoSeparator *root = new SoSeparator;
  root->ref();
  SoSeparator *one = shared ? model(kTriangles) : nullptr;
  for (int i = 0; i < kViews; ++i) {
    PoSceneView *view = new PoSceneView;
    view->viewportOrigin.setValue(0.25f * (i % 4), 0.25f * (i / 4));
    view->viewportSize.setValue(0.25f, 0.25f);
    view->getPart("cameraKit.camera", TRUE);
    static_cast<SoGroup *>(view->getPart("scene", TRUE))
        ->addChild(shared ? one : model(kTriangles / kViews));
    root->addChild(view);
  }
  return root;
}

template <class Action> void exportGraph(benchmark::State &state, bool shared) {
  SoSeparator *root = graph(shared);
  for (auto _ : state) {
    Action action;
    action.apply(root);
    benchmark::DoNotOptimize(action.getVRML2SceneGraph());
  }
  root->unref();
}

void PlainCoin_shared(benchmark::State &state) { exportGraph<SoToVRML2Action>(state, true); }
void PoToVRML2Action_shared(benchmark::State &state) { exportGraph<PoToVRML2Action>(state, true); }
void PlainCoin_split(benchmark::State &state) { exportGraph<SoToVRML2Action>(state, false); }
void PoToVRML2Action_split(benchmark::State &state) { exportGraph<PoToVRML2Action>(state, false); }

void *grow(void *buffer, std::size_t size) { return std::realloc(buffer, size); }

void vrml97File(benchmark::State &state, bool shared) {
  SoSeparator *root = graph(shared);
  for (auto _ : state) {
    PoToVRML2Action action;
    action.apply(root);
    SoOutput output;
    output.setBuffer(nullptr, 0, grow);
    output.setHeaderString("#VRML V2.0 utf8");
    SoWriteAction write(&output);
    write.apply(action.getVRML2SceneGraph());
    void *text = nullptr;
    std::size_t size = 0;
    output.getBuffer(text, size);
    state.counters["bytes"] = static_cast<double>(size);
    output.resetBuffer();
    std::free(text);
  }
  root->unref();
}

void x3dFile(benchmark::State &state, bool shared) {
  SoSeparator *root = graph(shared);
  for (auto _ : state) {
    PoToX3DAction action;
    action.apply(root);
    state.counters["bytes"] = static_cast<double>(action.getX3DText().size());
  }
  root->unref();
}

void VRML97File_shared(benchmark::State &state) { vrml97File(state, true); }
void X3DFile_shared(benchmark::State &state) { x3dFile(state, true); }
void VRML97File_split(benchmark::State &state) { vrml97File(state, false); }
void X3DFile_split(benchmark::State &state) { x3dFile(state, false); }

} // namespace

BENCHMARK(VRML97File_shared)->Unit(benchmark::kMillisecond);
BENCHMARK(X3DFile_shared)->Unit(benchmark::kMillisecond);
BENCHMARK(VRML97File_split)->Unit(benchmark::kMillisecond);
BENCHMARK(X3DFile_split)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainCoin_shared)->Unit(benchmark::kMillisecond);
BENCHMARK(PoToVRML2Action_shared)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainCoin_split)->Unit(benchmark::kMillisecond);
BENCHMARK(PoToVRML2Action_split)->Unit(benchmark::kMillisecond);
