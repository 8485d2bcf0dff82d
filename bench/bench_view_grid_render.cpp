// A frame of 16 views in a 4 x 4 grid over one shared scene, against the same
// 16 viewports placed by a hand-written callback that only sets the viewport
// region element: the cheapest way to place a viewport. And the grid with 15
// of its views switched off against the one view left, alone in a scene. Both render into the
// same real GL context; compare the two figures of one run.
//
// With Mesa's software renderer the frame is drawn by worker threads, so wall
// time follows whatever else the machine runs. For stable figures run with
// LP_NUM_THREADS=0 (drawing on the calling thread) and compare CPU times, e.g.
//   LP_NUM_THREADS=0 xvfb-run -a brennicqt_bench --benchmark_filter=Grid
//     --benchmark_repetitions=5 (one line)
#include "PoView.h"
#include "ViewGrid.h"

#include "PoCameraLink.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/system/gl.h>
#include <benchmark/benchmark.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <memory>

namespace {

const short kWindow = 512;

// A GL context current on this thread with a framebuffer to render into.
class BenchGLContext {
public:
  BenchGLContext() {
    QSurfaceFormat format;
    format.setDepthBufferSize(24);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    m_surface.setFormat(format);
    m_surface.create();
    m_context.setFormat(format);
    if (!m_context.create() || !m_context.makeCurrent(&m_surface)) return;
    m_framebuffer.reset(new QOpenGLFramebufferObject(
        kWindow, kWindow, QOpenGLFramebufferObject::CombinedDepthStencil));
    m_valid = m_framebuffer->isValid() && m_framebuffer->bind();
  }
  ~BenchGLContext() {
    m_context.makeCurrent(&m_surface);
    m_framebuffer.reset();
    m_context.doneCurrent();
  }
  bool isValid() const { return m_valid; }

private:
  QOffscreenSurface m_surface;
  QOpenGLContext m_context;
  std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
  bool m_valid = false;
};

// The cheapest placement: the action's region with the cell's rectangle.
void placeCellCB(void *data, SoAction *action) {
  if (!action->isOfType(SoGLRenderAction::getClassTypeId())) return;
  const GridCell *cell = static_cast<const GridCell *>(data);
  SbViewportRegion region = static_cast<SoGLRenderAction *>(action)->getViewportRegion();
  region.setViewport(cell->origin, cell->size);
  SoViewportRegionElement::set(action->getState(), region);
}

enum class Placement { HandPlaced, Views, ViewsWithOverlays };

SoSeparator *makeGrid(Placement placement, GridCell *cells, SoNode *shared) {
  if (placement != Placement::HandPlaced)
    return makeViewGrid(shared, placement == Placement::ViewsWithOverlays);
  auto *root = new SoSeparator;
  for (int i = 0; i < kGridSide * kGridSide; ++i) {
    cells[i] = gridCell(i);
    auto *cellRoot = new SoSeparator;
    auto *placer = new SoCallback;
    placer->setCallback(&placeCellCB, &cells[i]);
    cellRoot->addChild(placer);
    auto *camera = new SoPerspectiveCamera;
    camera->position.setValue(0, 0, 8);
    cellRoot->addChild(camera);
    cellRoot->addChild(shared);
    root->addChild(cellRoot);
  }
  return root;
}

// A viewer's frame loop renders with one action and runs a bounding-box
// pass (automatic clipping) before each frame; with render caching on, Coin
// replays the cells it cached. An examiner viewer also sets the near and far
// distance of the camera it drives, every frame; with every view in one
// camera link, the link hears of each of these changes.
struct FrameLoop {
  bool boundingBoxPass;
  bool forceRenderCaching;
  bool clipsACamera = false;
  bool linked = false;
};

// A link of every view of the grid, after them.
void linkAllViews(SoSeparator *root) {
  auto *link = new PoCameraLink;
  for (int i = 0; i < root->getNumChildren(); ++i)
    link->views.set1Value(i, static_cast<SoSeparator *>(root->getChild(i))->getChild(0));
  root->addChild(link);
}

SoCamera *firstCamera(SoSeparator *root) {
  return static_cast<PoView *>(static_cast<SoSeparator *>(root->getChild(0))->getChild(0))
      ->getCamera();
}

void forceCaching(SoSeparator *root) {
  root->renderCaching = SoSeparator::ON;
  for (int i = 0; i < root->getNumChildren(); ++i)
    static_cast<SoSeparator *>(root->getChild(i))->renderCaching = SoSeparator::ON;
}

// Renders frames of root (referenced by the caller) for the benchmark.
void renderFrames(benchmark::State &state, SoSeparator *root, FrameLoop loop = {false, false}) {
  BenchGLContext gl;
  if (!gl.isValid()) {
    state.SkipWithError("no GL context");
    return;
  }
  if (loop.forceRenderCaching) forceCaching(root);
  if (loop.linked) linkAllViews(root);
  SoCamera *clipped = loop.clipsACamera ? firstCamera(root) : nullptr;
  int frames = 0;
  const SbViewportRegion window(kWindow, kWindow);
  SoGLRenderAction action(window);
  action.setCacheContext(SoGLCacheContextElement::getUniqueCacheContext());
  SoGetBoundingBoxAction boundingBox(window);
  auto frame = [&] {
    if (loop.boundingBoxPass) boundingBox.apply(root);
    if (clipped) {
      clipped->nearDistance = frames % 2 ? 4.0f : 4.5f;
      clipped->farDistance = frames++ % 2 ? 12.0f : 12.5f;
    }
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, kWindow, kWindow);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    action.apply(root);
    glFinish();
  };
  frame();
  for (auto _ : state) frame();
}

void renderGrid(benchmark::State &state, Placement placement, FrameLoop loop = {false, false}) {
  GridCell cells[kGridSide * kGridSide];
  SoSeparator *root = makeGrid(placement, cells, makeSharedGridScene());
  root->ref();
  renderFrames(state, root, loop);
  root->unref();
}

// The grid with every view but one switched off, against a scene that holds
// that one view alone: what the hidden views cost a frame.
const int kShownCell = 5;

void BM_GridRender_OneViewAlone(benchmark::State &state) {
  SoSeparator *grid = makeViewGrid(makeSharedGridScene());
  grid->ref();
  auto *root = new SoSeparator;
  root->ref();
  root->addChild(grid->getChild(kShownCell));
  renderFrames(state, root);
  root->unref();
  grid->unref();
}

void BM_GridRender_FifteenViewsHidden(benchmark::State &state) {
  SoSeparator *root = makeViewGrid(makeSharedGridScene());
  root->ref();
  for (int i = 0; i < root->getNumChildren(); ++i)
    if (i != kShownCell)
      static_cast<PoView *>(static_cast<SoGroup *>(root->getChild(i))->getChild(0))
          ->isVisible = FALSE;
  renderFrames(state, root);
  root->unref();
}

void BM_GridRender_HandPlacedViewports(benchmark::State &state) {
  renderGrid(state, Placement::HandPlaced);
}
void BM_GridRender_Views(benchmark::State &state) { renderGrid(state, Placement::Views); }
// Every view with a label and an axis triad, against BM_GridRender_Views.
void BM_GridRender_ViewsWithOverlays(benchmark::State &state) {
  renderGrid(state, Placement::ViewsWithOverlays);
}
void BM_GridFrameLoop_HandPlacedViewports(benchmark::State &state) {
  renderGrid(state, Placement::HandPlaced, {true, true});
}
void BM_GridFrameLoop_Views(benchmark::State &state) {
  renderGrid(state, Placement::Views, {true, true});
}
void BM_GridFrameLoop_ViewsWithOverlays(benchmark::State &state) {
  renderGrid(state, Placement::ViewsWithOverlays, {true, true});
}
void BM_GridFrameLoop_ViewsClipped(benchmark::State &state) {
  renderGrid(state, Placement::Views, {true, true, true, false});
}
void BM_GridFrameLoop_ViewsClippedAllLinked(benchmark::State &state) {
  renderGrid(state, Placement::Views, {true, true, true, true});
}

} // namespace

BENCHMARK(BM_GridRender_HandPlacedViewports)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridRender_Views)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridRender_ViewsWithOverlays)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFrameLoop_HandPlacedViewports)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFrameLoop_Views)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFrameLoop_ViewsWithOverlays)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFrameLoop_ViewsClipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFrameLoop_ViewsClippedAllLinked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridRender_OneViewAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridRender_FifteenViewsHidden)->Unit(benchmark::kMillisecond);
