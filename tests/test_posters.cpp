// Posters: pictures rendered band by band into a sink, and tiles that leave
// out the views they cannot show.
#include "BorderLayouts.h"
#include "PoOffscreenRenderer.h"
#include "PoSceneView.h"
#include "PoView.h"
#include "SceneFiles.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Counts how often GL rendering draws it, for the view it stands in: a
// shape that is reached but skips itself does not count.
class CountingCube : public SoCube {
public:
  explicit CountingCube(int &count) : m_count(count) {}
  void GLRender(SoGLRenderAction *action) override {
    if (shouldGLRender(action)) ++m_count;
    SoCube::GLRender(action);
  }

private:
  int &m_count;
};

// Collects the bands into one picture, checking they come top to bottom.
class CollectingSink : public PoOffscreenRenderer::BandSink {
public:
  CollectingSink(int width, int height, int stopAfterBands = -1)
      : picture(width, height, QImage::Format_RGB888), m_stopAfter(stopAfterBands) {}
  bool takeRows(const unsigned char *rows, int top, int count, int bytesPerLine) override {
    EXPECT_EQ(top, nextRow);
    for (int row = 0; row < count && top + row < picture.height(); ++row)
      std::memcpy(picture.scanLine(top + row), rows + std::ptrdiff_t(row) * bytesPerLine,
                  std::size_t(picture.width()) * 3);
    nextRow = top + count;
    ++bands;
    return bands != m_stopAfter;
  }
  void tileDone(int done, int total) override {
    EXPECT_EQ(done, tilesDone + 1);
    tilesDone = done;
    tilesTotal = total;
  }
  QImage picture;
  int nextRow = 0, bands = 0, tilesDone = 0, tilesTotal = 0;

private:
  int m_stopAfter;
};

struct PixelRect {
  int x, y, width, height;
  bool meets(const PixelRect &o) const {
    return x < o.x + o.width && o.x < x + width && y < o.y + o.height && o.y < y + height;
  }
};

// A 600 x 400 layout whose views each hold a counting cube: A and B at the
// window's level, C nested in B but lying outside it (drawn all the same),
// D nested in B and inside it, and E a plain view whose cube follows it.
constexpr int kLayoutWidth = 600, kLayoutHeight = 400;
struct LayoutView {
  const char *name;
  PixelRect pixels;
};
const LayoutView kLayoutViews[] = {{"A", {0, 0, 150, 100}},
                                   {"B", {300, 200, 300, 200}},
                                   {"C", {0, 300, 120, 100}},
                                   {"D", {450, 300, 150, 100}},
                                   {"E", {150, 0, 150, 200}}};

class CountedLayout {
public:
  CountedLayout() : m_root(new SoSeparator) {
    m_root->ref();
    auto *flat = new SoLightModel;
    flat->model = SoLightModel::BASE_COLOR;
    m_root->addChild(flat);
    PoSceneView *a = sceneView(0), *b = sceneView(1);
    m_root->addChild(a);
    m_root->addChild(b);
    sceneOf(b)->addChild(sceneView(2));
    sceneOf(b)->addChild(sceneView(3));
    auto *plain = new SoSeparator;
    auto *e = new PoView;
    place(e, kLayoutViews[4].pixels);
    e->getCamera()->position.setValue(0, 0, 5);
    plain->addChild(e);
    plain->addChild(new CountingCube(counts[4]));
    m_root->addChild(plain);
  }
  ~CountedLayout() { m_root->unref(); }
  SoSeparator *root() const { return m_root; }
  void reset() { std::fill(std::begin(counts), std::end(counts), 0); }

  int counts[5] = {};

private:
  static void place(PoBaseView *view, const PixelRect &pixels) {
    view->viewportOrigin.setValue(float(pixels.x) / kLayoutWidth, float(pixels.y) / kLayoutHeight);
    view->viewportSize.setValue(float(pixels.width) / kLayoutWidth,
                                float(pixels.height) / kLayoutHeight);
  }
  static SoGroup *sceneOf(PoSceneView *view) {
    return static_cast<SoGroup *>(view->getPart("scene", TRUE));
  }
  PoSceneView *sceneView(int index) {
    auto *view = new PoSceneView;
    place(view, kLayoutViews[index].pixels);
    view->isBackgroundVisible = TRUE;
    view->isBorderVisible = TRUE;
    view->setBackgroundColor(SbColor(0.1f * index, 0.2f, 0.5f));
    view->setBorderWidth(2.0f + index);
    view->getCamera()->position.setValue(0, 0, 5);
    sceneOf(view)->addChild(new CountingCube(counts[index]));
    return view;
  }
  SoSeparator *m_root;
};

std::vector<PixelRect> gridOf(int width, int height, int columns, int rows) {
  std::vector<PixelRect> tiles;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      const int x0 = column * width / columns, x1 = (column + 1) * width / columns;
      const int y0 = row * height / rows, y1 = (row + 1) * height / rows;
      tiles.push_back({x0, y0, x1 - x0, y1 - y0});
    }
  return tiles;
}

} // namespace

// Grids over a layout whose views lie in few tiles: each tile draws exactly
// the views that meet it (nested ones deciding for themselves, a plain view's
// following shapes with it), and the tiles put together are, pixel for
// pixel, the picture rendered whole.
TEST(TilesSkipViews, EachTileDrawsTheViewsThatMeetIt) {
  CountedLayout layout;
  PoOffscreenRenderer renderer(kLayoutWidth, kLayoutHeight);
  layout.reset();
  const QImage whole = renderer.render(layout.root());
  ASSERT_FALSE(whole.isNull()) << renderer.getLastError();
  for (int count : layout.counts) EXPECT_EQ(count, 1);

  const int grids[][2] = {{2, 2}, {4, 4}, {3, 2}, {1, 4}, {6, 1}};
  for (const auto &grid : grids) {
    SCOPED_TRACE(testing::Message() << grid[0] << "x" << grid[1] << " tiles");
    QImage tiled(kLayoutWidth, kLayoutHeight, QImage::Format_RGB888);
    int skipped = 0;
    for (const PixelRect &tile : gridOf(kLayoutWidth, kLayoutHeight, grid[0], grid[1])) {
      SCOPED_TRACE(testing::Message() << "tile at " << tile.x << "," << tile.y);
      layout.reset();
      const QImage part = renderer.renderTile(layout.root(), tile.x, tile.y, tile.width,
                                              tile.height);
      ASSERT_FALSE(part.isNull()) << renderer.getLastError();
      for (int view = 0; view < 5; ++view) {
        const bool meets = kLayoutViews[view].pixels.meets(tile);
        EXPECT_EQ(layout.counts[view], meets ? 1 : 0) << "view " << kLayoutViews[view].name;
        skipped += meets ? 0 : 1;
      }
      for (int row = 0; row < tile.height; ++row)
        std::memcpy(tiled.scanLine(kLayoutHeight - tile.y - tile.height + row) + tile.x * 3,
                    part.constScanLine(row), std::size_t(tile.width) * 3);
    }
    EXPECT_GT(skipped, 0);
    EXPECT_EQ(tiled, whole);
    // The renderer's own grid leaves out the same views.
    layout.reset();
    EXPECT_EQ(renderer.render(layout.root(), grid[0], grid[1]), whole);
    int drawn = 0;
    for (int count : layout.counts) drawn += count;
    EXPECT_EQ(drawn, grid[0] * grid[1] * 5 - skipped);
  }
}

// Bands are the rows of tiles of render(): pixel for pixel the same picture
// while a band may be a tile high, and render() with as many rows when
// memory makes the bands lower. The sink gets every row once, top to
// bottom, and hears of every tile.
TEST(BandedRendering, BandsAreThePictureRenderedInTiles) {
  HeldScene scene(cadLayout());
  const int sizes[][2] = {{1001, 777}, {333, 251}};
  for (auto mode : {PoOffscreenRenderer::STANDARD, PoOffscreenRenderer::LOGICAL_VIEWPORT}) {
    SCOPED_TRACE(mode == PoOffscreenRenderer::STANDARD ? "standard" : "logical viewport");
    for (const auto &size : sizes) {
      SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
      PoOffscreenRenderer renderer(size[0], size[1]);
      renderer.setMode(mode);
      renderer.setLineWidthScale(1.5f);
      renderer.setMaximumTileSize(128);
      const QImage tiled = renderer.render(scene.root(), 2, 3);
      ASSERT_FALSE(tiled.isNull()) << renderer.getLastError();

      CollectingSink sink(size[0], size[1]);
      ASSERT_TRUE(renderer.renderBands(scene.root(), sink, 2, 3)) << renderer.getLastError();
      EXPECT_EQ(sink.nextRow, size[1]);
      EXPECT_EQ(sink.tilesDone, sink.tilesTotal);
      EXPECT_EQ(sink.picture, tiled);

      // Bands of 40 rows: more of them than the tile size would need.
      renderer.setBandMemory(40ll * size[0] * 3);
      CollectingSink low(size[0], size[1]);
      ASSERT_TRUE(renderer.renderBands(scene.root(), low, 2, 3)) << renderer.getLastError();
      EXPECT_EQ(low.bands, (size[1] + 39) / 40);
      EXPECT_EQ(low.nextRow, size[1]);
      EXPECT_EQ(low.picture, renderer.render(scene.root(), 2, low.bands));
    }
  }
}

// A poster wider than Coin's 16-bit viewports places its views on the same
// whole pixels as a small picture; a sink that stops ends the render with a
// reason; sizes no mode can render are refused.
TEST(BandedRendering, PostersBeyondSixteenBitsAndLimits) {
  auto *root = new SoSeparator;
  auto *view = new PoSceneView;
  view->viewportOrigin.setValue(0.5f, 0.0f);
  view->viewportSize.setValue(0.25f, 1.0f);
  view->isBackgroundVisible = TRUE;
  view->setBackgroundColor(SbColor(0.0f, 1.0f, 0.0f));
  root->addChild(view);
  HeldScene scene(root);

  const int wide = 50000;
  PoOffscreenRenderer renderer(wide, 3);
  EXPECT_TRUE(renderer.render(scene.root()).isNull());
  CollectingSink sink(wide, 3);
  ASSERT_TRUE(renderer.renderBands(scene.root(), sink)) << renderer.getLastError();
  const unsigned char *row = sink.picture.constScanLine(1);
  for (int x : {0, 24999, 25000, 37499, 37500, wide - 1}) {
    SCOPED_TRACE(x);
    const bool inside = x >= 25000 && x < 37500;
    EXPECT_EQ(row[x * 3 + 1], inside ? 255 : 0);
  }

  renderer.setSize(4000, 3000);
  renderer.setBandMemory(4000 * 3 * 100);
  CollectingSink stopsAtOnce(4000, 3000, 1);
  EXPECT_FALSE(renderer.renderBands(scene.root(), stopsAtOnce));
  EXPECT_EQ(stopsAtOnce.bands, 1);
  EXPECT_FALSE(renderer.getLastError().empty());

  struct Refused {
    int width, height;
    PoOffscreenRenderer::Mode mode;
  };
  const Refused refused[] = {
      {PoOffscreenRenderer::kMaxBandedSide + 1, 2, PoOffscreenRenderer::STANDARD},
      {40000, 2, PoOffscreenRenderer::LOGICAL_VIEWPORT},
      {0, 2, PoOffscreenRenderer::STANDARD}};
  for (const Refused &size : refused) {
    SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
    renderer.setSize(size.width, size.height);
    renderer.setMode(size.mode);
    CollectingSink never(1, 1);
    EXPECT_FALSE(renderer.renderBands(scene.root(), never));
    EXPECT_EQ(never.bands, 0);
    EXPECT_FALSE(renderer.getLastError().empty());
  }
}
