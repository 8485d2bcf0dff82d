#include "PoOffscreenRenderer.h"

#include "CameraViewVolume.h"
#include "DebugReport.h"
#include "GLTileTarget.h"
#include "LineWidthScale.h"
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

namespace {

// Coin keeps viewport sizes in 16-bit integers; the message below says so.
constexpr int kMaxPictureSide = 32767;
// One tile's GL buffers stay small next to the picture itself.
constexpr int kDefaultTileCap = 4096;

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

// GL gives rows from the bottom; a QImage keeps them from the top.
void flipRows(QImage &image) {
  const int bytes = image.bytesPerLine();
  for (int top = 0, bottom = image.height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(image.scanLine(top), image.scanLine(top) + bytes, image.scanLine(bottom));
}

} // namespace

struct PoOffscreenRenderer::Impl {
  int width;
  int height;
  SbColor background{0.0f, 0.0f, 0.0f};
  Mode mode = STANDARD;
  int tileCap = 0;
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

  bool prepare(SoNode *scene);
  QImage renderArea(SoNode *scene, const PixelTile &area, int columns, int rows);
};

bool PoOffscreenRenderer::Impl::prepare(SoNode *scene) {
  lastError.clear();
  const auto refuse = [this](const std::string &message) {
    fail(message);
    return false;
  };
  if (!scene) return refuse("no scene to render");
  if (!SoDB::isInitialized()) return refuse("Coin is not initialised (SoDB::init)");
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide)
    return refuse("a picture of " + sizeText(width, height) +
                  " pixels: each side must be 1 to 32767");
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
  if (!prepare(scene)) return QImage();
  if (area.x < 0 || area.y < 0 || area.width < 1 || area.height < 1 ||
      area.x + area.width > width || area.y + area.height > height)
    return fail("the tile " + sizeText(area.width, area.height) + " at " +
                pixelPair(area.x, area.y, ',') + " lies outside the picture of " +
                sizeText(width, height));
  if (columns < 1 || rows < 1 || columns > area.width || rows > area.height)
    return fail(sizeText(columns, rows) + " tiles for " +
                sizeText(area.width, area.height) + " pixels: need 1 to one tile per pixel");

  const PixelTile whole{0, 0, width, height};
  const int limit = tileLimit();
  int margin = 0;
  if (partsNeeded(area.width, limit, columns) > 1 || partsNeeded(area.height, limit, rows) > 1 ||
      area.width != width || area.height != height)
    margin = std::min(TileMargin::of(scene, lineWidthScale), limit / 4);
  columns = partsNeeded(area.width, limit - 2 * margin, columns);
  rows = partsNeeded(area.height, limit - 2 * margin, rows);
  QImage picture(area.width, area.height, QImage::Format_RGB888);
  if (picture.isNull())
    return fail("cannot hold a picture of " + sizeText(area.width, area.height) +
                " pixels in memory");

  // The scene leaves with the reference count it came with, as from an
  // action applied to it: a root nobody has referenced yet (a file just read)
  // must not go with the group it is rendered under.
  scene->ref();
  SoGroup *root = new SoGroup;
  root->ref();
  root->addChild(tileState->node());
  root->addChild(scene);
  const auto release = [root, scene] {
    root->unref();
    scene->unrefNoDelete();
  };
  {
    const ModeSwitch modeSwitch(mode == LOGICAL_VIEWPORT);
    const LineWidthScale::Scope lineWidths(lineWidthScale);
    for (const PixelTile &tile : splitIntoTiles(area, columns, rows)) {
      const PixelTile drawn = TileMargin::around(tile, margin, whole);
      if (!target.beginTile(drawn.width, drawn.height, background)) {
        release();
        return fail(target.error());
      }
      tileState->set(drawn, width, height, mode == LOGICAL_VIEWPORT, lineWidthScale != 1.0f);
      action->setViewportRegion(SbViewportRegion(short(drawn.width), short(drawn.height)));
      action->apply(root);
      cameras->renderDone();
      unsigned char *corner = picture.bits() +
                              std::ptrdiff_t(tile.y - area.y) * picture.bytesPerLine() +
                              std::ptrdiff_t(tile.x - area.x) * 3;
      target.readTile(tile.x - drawn.x, tile.y - drawn.y, tile.width, tile.height, corner,
                      area.width);
    }
  }
  release();
  target.doneCurrent();
  flipRows(picture);
  return picture;
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

QImage PoOffscreenRenderer::renderTile(SoNode *root, int x, int y, int width, int height) {
  return m_impl->renderArea(root, {x, y, width, height}, 1, 1);
}

const std::string &PoOffscreenRenderer::getLastError() const { return m_impl->lastError; }
