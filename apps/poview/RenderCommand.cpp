#include "Arguments.h"
#include "CoinMessages.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "Headlight.h"
#include "OptionValues.h"
#include "PictureBands.h"
#include "PictureFile.h"
#include "PoBaseView.h"
#include "PoOffscreenRenderer.h"
#include "PoViewLayout.h"
#include "RenderProgress.h"
#include "ToolError.h"
#include "ToolOptions.h"
#include "ViewReport.h"
#include "VirtualDisplay.h"

#include <Inventor/nodes/SoSeparator.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const char *const kIntro =
    "Usage: poview render SCENE.iv -o OUT.png [OPTIONS]\n"
    "\n"
    "Reads a scene file holding views and renders it once, off screen, into a\n"
    "picture, lit as 'poview view' shows it: with the viewer's headlight, a light\n"
    "that shines from every view's camera, besides the scene's own lights.\n"
    "Without a display the command starts a virtual X server (Xvfb) of its own\n"
    "for the time it renders. A picture larger than one tile (4096 pixels a side,\n"
    "or less where the OpenGL driver says so) is rendered tile by tile.\n"
    "\n";

const char *const kEnvironment =
    "\n"
    "Environment:\n"
    "  POVIEW_MAX_TILE_SIZE    caps the tile side in pixels, e.g. to save GL memory\n";

// The tile side the environment asks for, or 0 for the renderer's own.
int maximumTileSize() {
  const char *text = std::getenv("POVIEW_MAX_TILE_SIZE");
  if (!text || !*text) return 0;
  char *end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < 1 || value > kMaxImageSide)
    throw usageError("POVIEW_MAX_TILE_SIZE " + quoted(text) + ": expected a number of pixels");
  return static_cast<int>(value);
}

void configure(PoOffscreenRenderer &renderer, const RenderingOptions &rendering,
               int maxTileSize) {
  renderer.setLineWidthScale(rendering.lineScale);
  const Colour &background = rendering.background;
  renderer.setBackgroundColor(SbColor(background.red, background.green, background.blue));
  renderer.setMaximumTileSize(maxTileSize);
}

// Formats Qt writes take the picture whole.
void renderWhole(SoNode *root, const RenderingOptions &rendering, TileGrid tiles,
                 int maxTileSize, const std::string &output) {
  PoOffscreenRenderer renderer(rendering.size.width, rendering.size.height);
  configure(renderer, rendering, maxTileSize);
  const QImage image = renderer.render(root, tiles.columns, tiles.rows);
  if (image.isNull()) throw userError(renderer.getLastError());
  writePicture(image, output);
}

// Hands each band to the file's encoder as it is rendered, and shows how far
// the render has come.
class EncodingSink : public PoOffscreenRenderer::BandSink {
public:
  EncodingSink(BandEncoder &encoder, RenderProgress &progress)
      : m_encoder(encoder), m_progress(progress) {}
  bool takeRows(const unsigned char *rows, int top, int count, int bytesPerLine) override {
    if (m_encoder.takeRows(rows, top, count, bytesPerLine)) return true;
    m_writeError = errno;
    return false;
  }
  void tileDone(int done, int total) override { m_progress.update(done, total); }
  // The errno of a write that failed, 0 while none has.
  int writeError() const { return m_writeError; }

private:
  BandEncoder &m_encoder;
  RenderProgress &m_progress;
  int m_writeError = 0;
};

// PNG and PPM are written band by band as they are rendered: the picture is
// never whole in memory, and the file is replaced only once it is complete.
void renderInBands(SoNode *root, const RenderingOptions &rendering, TileGrid tiles,
                   int maxTileSize, const std::string &output) {
  PoOffscreenRenderer renderer(rendering.size.width, rendering.size.height);
  configure(renderer, rendering, maxTileSize);
  writeOutput(output, [&](int fd) {
    RenderProgress progress("poview render");
    const std::unique_ptr<BandEncoder> encoder =
        BandEncoder::forOutput(output, fd, rendering.size.width, rendering.size.height);
    EncodingSink sink(*encoder, progress);
    if (renderer.renderBands(root, sink, tiles.columns, tiles.rows)) return encoder->finish();
    if (!sink.writeError()) throw userError(renderer.getLastError());
    errno = sink.writeError();
    return false;
  });
}

// Lays the scene out with the named top-level view filling the picture.
void maximizeNamed(SoNode *root, const std::string &name) {
  PoViewLayout layout(root);
  for (int i = 0; i < layout.getNumViews(); ++i) {
    PoBaseView *view = layout.getView(i);
    if (name == view->getName().getString() && layout.maximize(view)) return;
  }
  throw usageError("--maximize " + quoted(name) + ": the scene has no top-level view of that name");
}

} // namespace

int runRender(const Invocation &invocation) {
  const Arguments arguments = Arguments::parse(invocation.words, optionRules(ForRender), 1, 1);
  if (arguments.helpRequested()) {
    std::fputs((kIntro + optionHelp(ForRender) + kEnvironment).c_str(), stdout);
    return ExitSuccess;
  }
  if (!arguments.has("--output")) throw usageError("missing the output file: -o OUT.png");
  const std::string scenePath = arguments.positional()[0];
  const std::string output = arguments.value("--output");
  const RenderingOptions rendering =
      parseRenderingOptions(arguments, PoOffscreenRenderer::kMaxBandedSide);
  const ImageSize size = rendering.size;
  checkPictureFormat("--output", output);
  if (!isBandedFormat(output) && (size.width > kMaxImageSide || size.height > kMaxImageSide))
    throw usageError("--size " + quoted(arguments.value("--size")) + ": a " +
                     pictureFormatOf(output) + " picture is held whole in memory, at most " +
                     std::to_string(kMaxImageSide) +
                     " pixels a side; PNG and PPM are written in bands, up to " +
                     std::to_string(PoOffscreenRenderer::kMaxBandedSide));
  const TileGrid tiles = parseTileGrid("--tiles", arguments.value("--tiles", "1x1"));
  if (tiles.columns > size.width || tiles.rows > size.height)
    throw usageError("--tiles " + quoted(arguments.value("--tiles")) +
                     ": more tiles than pixels on a side");
  const int maxTileSize = maximumTileSize();

  initSceneDatabase();
  CoinMessages messages;
  LoadedScene scene(scenePath, messages);
  if (arguments.has("--maximize")) maximizeNamed(scene.root(), arguments.value("--maximize"));
  checkOutput(output);
  const std::unique_ptr<VirtualDisplay> virtualDisplay = startOffscreenGui(invocation);
  const LitScene lit(scene.root(), rendering.headlight);
  if (isBandedFormat(output))
    renderInBands(lit.root(), rendering, tiles, maxTileSize, output);
  else
    renderWhole(lit.root(), rendering, tiles, maxTileSize, output);
  messages.printWarnings("poview render: ");
  warnAboutViewsWithoutCamera(scene.views(), "poview render: ");
  return ExitSuccess;
}
