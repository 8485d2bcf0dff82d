#include "PoOffscreenRenderer.h"

#include "BandOutput.h"
#include "CameraViewVolume.h"
#include "DebugReport.h"
#include "GLTileTarget.h"
#include "LineWidthScale.h"
#include "PictureMemory.h"
#include "PixelText.h"
#include "SoDBImpl.h"
#include "TileLayout.h"
#include "TileMargin.h"
#include "TileState.h"
#include "ToolkitLayer.h"

#include <Inventor/SoDB.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoGroup.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Coin keeps viewport sizes in 16-bit integers; the message below says so.
// The views' logical-viewport mode works in them; tiles of the standard mode
// place views from the kept tile's 32-bit record, but a picture held whole
// is a QImage, which cannot be much larger anyway.
constexpr int kMaxPictureSide = 32767;
// One tile's GL buffers stay small next to the picture itself.
constexpr int kDefaultTileCap = 4096;
// A band of a 60000-pixel-wide poster is some 370 rows: with the library, one
// tile's GL buffers and poview's PNG encoder the process stays under 200 MB;
// narrower posters, with tiles of 4096 pixels square, near 360 MB.
constexpr long long kDefaultBandMemory = 64ll << 20;

// Sets the views' mode for the time of one render and restores the
// application's setting afterwards.
class ModeSwitch {
public:
  explicit ModeSwitch(bool logicalViewportMode) : m_saved(SoDBImpl::m_isZemba) {
    SoDBImpl::m_isZemba = logicalViewportMode ? 1 : 0;
  }
  ~ModeSwitch() { SoDBImpl::m_isZemba = m_saved; }
  ModeSwitch(const ModeSwitch &) = delete;
  ModeSwitch &operator=(const ModeSwitch &) = delete;

private:
  int m_saved;
};

} // namespace

PoOffscreenRenderer::BandSink::~BandSink() = default;

void PoOffscreenRenderer::BandSink::tileDone(int, int) {}

struct PoOffscreenRenderer::Impl {
  int width;
  int height;
  SbColor background{0.0f, 0.0f, 0.0f};
  Mode mode = STANDARD;
  int tileCap = 0;
  long long bandMemory = 0;
  float lineWidthScale = 1.0f;
  // The scale the action's render caches were made with: caches hold the
  // line widths GL got.
  float cachedLineWidthScale = 1.0f;
  std::string lastError;
  GLTileTarget target;
  std::unique_ptr<TileState> tileState;
  // Kept from render to render, as a render area keeps its action, so that
  // Coin's render caches of this context carry over.
  std::unique_ptr<SoGLRenderAction> action;
  // Narrows the cameras the action meets to each tile.
  std::unique_ptr<CameraViewVolume::GLRenderCameras> cameras;

  QImage fail(const std::string &message) {
    lastError = message;
    postReport("PoOffscreenRenderer::render", message.c_str());
    target.doneCurrent();
    return QImage();
  }

  int tileLimit() const {
    const int cap = tileCap > 0 ? tileCap : kDefaultTileCap;
    return std::min(cap, target.driverLimit());
  }

  bool prepare(SoNode *scene, int maxSide);
  QImage renderArea(SoNode *scene, const PixelTile &area, int columns, int rows);
  bool checkArea(const PixelTile &area, int columns, int rows);
  bool renderInBands(SoNode *scene, const PixelTile &area, int columns, int rows,
                     long long bandBytes, BandTarget &output);
  bool renderTiles(SoNode *scene, const PixelTile &area, const std::vector<PixelTile> &tiles,
                   int margin, BandTarget &output);
};

bool PoOffscreenRenderer::Impl::prepare(SoNode *scene, int maxSide) {
  lastError.clear();
  const auto refuse = [this](const std::string &message) {
    fail(message);
    return false;
  };
  if (!scene) return refuse("no scene to render");
  if (!SoDB::isInitialized()) return refuse("Coin is not initialised (SoDB::init)");
  if (mode == LOGICAL_VIEWPORT) maxSide = std::min(maxSide, kMaxPictureSide);
  if (width < 1 || height < 1 || width > maxSide || height > maxSide)
    return refuse("a picture of " + sizeText(width, height) + " pixels: each side must be 1 to " +
                  countText(maxSide) +
                  (maxSide > kMaxPictureSide ? "" : " (larger ones in bands, standard mode)"));
  ToolkitLayer::init();
  if (!target.makeCurrent()) return refuse(target.error());
  if (target.driverLimit() < 1) return refuse("the OpenGL driver reports no framebuffer size");
  if (!tileState) tileState.reset(new TileState);
  if (!action) {
    action.reset(new SoGLRenderAction(SbViewportRegion(1, 1)));
    action->setCacheContext(target.cacheContext());
    cameras.reset(new CameraViewVolume::GLRenderCameras(*action));
    cachedLineWidthScale = 1.0f;
  }
  if (lineWidthScale != cachedLineWidthScale) {
    action->setCacheContext(lineWidthScale == 1.0f
                                ? target.cacheContext()
                                : SoGLCacheContextElement::getUniqueCacheContext());
    cachedLineWidthScale = lineWidthScale;
  }
  return true;
}

QImage PoOffscreenRenderer::Impl::renderArea(SoNode *scene, const PixelTile &area, int columns,
                                             int rows) {
  if (!prepare(scene, kMaxPictureSide) || !checkArea(area, columns, rows)) return QImage();
  QImage picture = newRgbPicture(area.width, area.height);
  if (picture.isNull())
    return fail("cannot hold a picture of " + sizeText(area.width, area.height) +
                " pixels in memory");
  PictureTarget output(picture, area);
  if (!renderInBands(scene, area, columns, rows, 0, output)) return QImage();
  return picture;
}

bool PoOffscreenRenderer::Impl::checkArea(const PixelTile &area, int columns, int rows) {
  if (area.x < 0 || area.y < 0 || area.width < 1 || area.height < 1 ||
      area.x + area.width > width || area.y + area.height > height) {
    fail("the tile " + sizeText(area.width, area.height) + " at " +
         pixelPair(area.x, area.y, ',') + " lies outside the picture of " +
         sizeText(width, height));
    return false;
  }
  if (columns < 1 || rows < 1 || columns > area.width || rows > area.height) {
    fail(sizeText(columns, rows) + " tiles for " + sizeText(area.width, area.height) +
         " pixels: need 1 to one tile per pixel");
    return false;
  }
  return true;
}

bool PoOffscreenRenderer::Impl::renderInBands(SoNode *scene, const PixelTile &area, int columns,
                                              int rows, long long bandBytes,
                                              BandTarget &output) {
  if (!checkArea(area, columns, rows)) return false;

  const int limit = tileLimit();
  int margin = 0;
  if (partsNeeded(area.width, limit, columns) > 1 || partsNeeded(area.height, limit, rows) > 1 ||
      area.width != width || area.height != height)
    margin = std::min(TileMargin::of(scene, lineWidthScale), limit / 4);
  // A band's rows fit in its memory (at least one row), a tile in GL.
  int bandRows = limit - 2 * margin;
  if (bandBytes > 0)
    bandRows = int(std::max(1ll, std::min<long long>(bandRows, bandBytes / (3ll * area.width))));
  if (bandRows < area.height && margin == 0) {
    // Bands alone split the picture: their seams need the margin too.
    margin = std::min(TileMargin::of(scene, lineWidthScale), limit / 4);
    bandRows = std::max(1, std::min(bandRows, limit - 2 * margin));
  }
  columns = partsNeeded(area.width, limit - 2 * margin, columns);
  rows = partsNeeded(area.height, bandRows, rows);
  return renderTiles(scene, area, splitIntoTiles(area, columns, rows), margin, output);
}

bool PoOffscreenRenderer::Impl::renderTiles(SoNode *scene, const PixelTile &area,
                                            const std::vector<PixelTile> &tiles, int margin,
                                            BandTarget &output) {
  const PixelTile whole{0, 0, width, height};
  int largestWidth = 0, largestHeight = 0;
  for (const PixelTile &tile : tiles) {
    const PixelTile drawn = TileMargin::around(tile, margin, whole);
    largestWidth = std::max(largestWidth, drawn.width);
    largestHeight = std::max(largestHeight, drawn.height);
  }
  if (!target.reserve(largestWidth, largestHeight)) {
    fail(target.error());
    return false;
  }
  // The scene leaves with the reference count it came with, as from an
  // action applied to it: a root nobody has referenced yet (a file just read)
  // must not go with the group it is rendered under.
  scene->ref();
  SoGroup *root = new SoGroup;
  root->ref();
  root->addChild(tileState->node());
  root->addChild(scene);
  std::string failure;
  {
    const ModeSwitch modeSwitch(mode == LOGICAL_VIEWPORT);
    const LineWidthScale::Scope lineWidths(lineWidthScale);
    BandFiller bands(target, output, area, int(tiles.size()));
    for (std::size_t index : topBandFirst(tiles)) {
      const PixelTile &tile = tiles[index];
      const PixelTile drawn = TileMargin::around(tile, margin, whole);
      if (!target.beginTile(drawn.width, drawn.height, background)) {
        failure = target.error();
        break;
      }
      tileState->set(tile, drawn, margin, width, height, mode == LOGICAL_VIEWPORT,
                     lineWidthScale != 1.0f);
      action->setViewportRegion(SbViewportRegion(short(drawn.width), short(drawn.height)));
      action->apply(root);
      cameras->renderDone();
      if (!bands.read(tile, drawn, failure)) break;
    }
  }
  root->unref();
  scene->unrefNoDelete();
  if (!failure.empty()) {
    fail(failure);
    return false;
  }
  target.doneCurrent();
  return true;
}

PoOffscreenRenderer::PoOffscreenRenderer(int width, int height) : m_impl(new Impl) {
  setSize(width, height);
}

PoOffscreenRenderer::~PoOffscreenRenderer() = default;

void PoOffscreenRenderer::setSize(int width, int height) {
  m_impl->width = width;
  m_impl->height = height;
}

int PoOffscreenRenderer::getWidth() const { return m_impl->width; }
int PoOffscreenRenderer::getHeight() const { return m_impl->height; }

void PoOffscreenRenderer::setBackgroundColor(const SbColor &color) { m_impl->background = color; }
const SbColor &PoOffscreenRenderer::getBackgroundColor() const { return m_impl->background; }

void PoOffscreenRenderer::setMode(Mode mode) { m_impl->mode = mode; }
PoOffscreenRenderer::Mode PoOffscreenRenderer::getMode() const { return m_impl->mode; }

void PoOffscreenRenderer::setLineWidthScale(float scale) {
  if (!std::isfinite(scale) || scale <= 0.0f) {
    postReport("PoOffscreenRenderer::setLineWidthScale",
               "the scale must be a positive number; the scale is kept");
    return;
  }
  m_impl->lineWidthScale = scale;
}

float PoOffscreenRenderer::getLineWidthScale() const { return m_impl->lineWidthScale; }

void PoOffscreenRenderer::setMaximumTileSize(int pixels) { m_impl->tileCap = std::max(0, pixels); }

int PoOffscreenRenderer::getMaximumTileSize() {
  if (!m_impl->target.makeCurrent()) return 0;
  m_impl->target.doneCurrent();
  return m_impl->tileLimit();
}

QImage PoOffscreenRenderer::render(SoNode *root) { return render(root, 1, 1); }

QImage PoOffscreenRenderer::render(SoNode *root, int columns, int rows) {
  return m_impl->renderArea(root, {0, 0, m_impl->width, m_impl->height}, columns, rows);
}

bool PoOffscreenRenderer::renderBands(SoNode *root, BandSink &sink, int columns, int rows) {
  if (!m_impl->prepare(root, kMaxBandedSide)) return false;
  const PixelTile whole{0, 0, m_impl->width, m_impl->height};
  SinkTarget output(sink, whole);
  return m_impl->renderInBands(root, whole, columns, rows, getBandMemory(), output);
}

void PoOffscreenRenderer::setBandMemory(long long bytes) {
  m_impl->bandMemory = std::max(0ll, bytes);
}

long long PoOffscreenRenderer::getBandMemory() const {
  return m_impl->bandMemory > 0 ? m_impl->bandMemory : kDefaultBandMemory;
}

QImage PoOffscreenRenderer::renderTile(SoNode *root, int x, int y, int width, int height) {
  return m_impl->renderArea(root, {x, y, width, height}, 1, 1);
}

const std::string &PoOffscreenRenderer::getLastError() const { return m_impl->lastError; }
