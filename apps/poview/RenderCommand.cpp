#include "Arguments.h"
#include "CoinMessages.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "Headlight.h"
#include "OptionValues.h"
#include "PictureFile.h"
#include "PoOffscreenRenderer.h"
#include "ToolError.h"
#include "ViewReport.h"
#include "VirtualDisplay.h"

#include <Inventor/nodes/SoSeparator.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const char *const kHelp =
    "Usage: poview render SCENE.iv -o OUT.png [--size WxH] [--background R,G,B]\n"
    "                     [--no-headlight] [--tiles CxR] [--line-scale S|auto]\n"
    "\n"
    "Reads a scene file holding views and renders it once, off screen, into a\n"
    "picture, lit as 'poview view' shows it: with the viewer's headlight, a light\n"
    "that shines from every view's camera, besides the scene's own lights.\n"
    "Without a display the command starts a virtual X server (Xvfb) of its own\n"
    "for the time it renders. A picture larger than one tile (4096 pixels a side,\n"
    "or less where the OpenGL driver says so) is rendered tile by tile.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.png    the picture to write (replaced only once complete);\n"
    "                          its extension chooses the format: png, jpg, ppm, bmp\n"
    "                          or any other Qt writes (PNG without an extension);\n"
    "                          - writes PNG to standard output\n"
    "  --size WxH              picture size in pixels (default 640x480, at most 32767)\n"
    "  --background R,G,B      colour where no view draws, components 0 to 1\n"
    "                          (default 0,0,0)\n"
    "  --no-headlight          only the scene's own lights\n"
    "  --tiles CxR             render as C columns by R rows of tiles, at least\n"
    "  --line-scale S|auto     draw lines (borders too) S times as wide, e.g. for a\n"
    "                          poster; auto: the picture's size over the default\n"
    "                          640x480 the scene is taken to be made for (the\n"
    "                          smaller of width/640 and height/480); default 1\n"
    "  -h, --help              show this help\n"
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

// The picture size of a render without --size, which "--line-scale auto"
// takes as the window a scene was made for.
const ImageSize kDefaultSize{640, 480};

// "auto" or a number from 0.01 to 100: the factor line widths are drawn with.
float parseLineScale(const std::string &text, ImageSize size) {
  if (text == "auto")
    return std::min(float(size.width) / kDefaultSize.width,
                    float(size.height) / kDefaultSize.height);
  char *end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(value >= 0.01 && value <= 100.0))
    throw usageError("--line-scale " + quoted(text) +
                     ": expected auto or a number from 0.01 to 100");
  return float(value);
}

QImage renderPicture(SoNode *root, ImageSize size, Colour background, TileGrid tiles,
                     int maxTileSize, float lineScale) {
  PoOffscreenRenderer renderer(size.width, size.height);
  renderer.setLineWidthScale(lineScale);
  renderer.setBackgroundColor(SbColor(background.red, background.green, background.blue));
  renderer.setMaximumTileSize(maxTileSize);
  const QImage image = renderer.render(root, tiles.columns, tiles.rows);
  if (image.isNull()) throw userError(renderer.getLastError());
  return image;
}

} // namespace

int runRender(const Invocation &invocation) {
  const Arguments arguments = Arguments::parse(
      invocation.words,
      {{"--output", "-o", true},
       {"--size", "", true},
       {"--background", "", true},
       {"--no-headlight", "", false},
       {"--tiles", "", true},
       {"--line-scale", "", true}},
      1, 1);
  if (arguments.helpRequested()) {
    std::fputs(kHelp, stdout);
    return ExitSuccess;
  }
  if (!arguments.has("--output")) throw usageError("missing the output file: -o OUT.png");
  const std::string scenePath = arguments.positional()[0];
  const std::string output = arguments.value("--output");
  const ImageSize size = parseImageSize("--size", arguments.value("--size", "640x480"));
  const float lineScale = parseLineScale(arguments.value("--line-scale", "1"), size);
  const Colour background = parseColour("--background", arguments.value("--background", "0,0,0"));
  checkPictureFormat("--output", output);
  const TileGrid tiles = parseTileGrid("--tiles", arguments.value("--tiles", "1x1"));
  if (tiles.columns > size.width || tiles.rows > size.height)
    throw usageError("--tiles " + quoted(arguments.value("--tiles")) +
                     ": more tiles than pixels on a side");
  const int maxTileSize = maximumTileSize();

  initSceneDatabase();
  CoinMessages messages;
  LoadedScene scene(scenePath, messages);
  checkOutput(output);
  const std::unique_ptr<VirtualDisplay> virtualDisplay = startOffscreenGui(invocation);
  const LitScene lit(scene.root(), !arguments.has("--no-headlight"));
  const QImage image = renderPicture(lit.root(), size, background, tiles, maxTileSize, lineScale);
  writePicture(image, output);
  messages.printWarnings("poview render: ");
  warnAboutViewsWithoutCamera(scene.views(), "poview render: ");
  return ExitSuccess;
}
