#include "Arguments.h"
#include "Commands.h"
#include "OptionValues.h"
#include "PictureFile.h"
#include "ToolError.h"

#ifdef POVIEW_HAVE_MPI
#include "wall/Wall.h"
#endif

#include <cstdio>

namespace {

const char *const kHelp =
    "Usage: mpirun -n C*R poview wall SCENE.iv --grid CxR --size WxH [-o OUT.png]\n"
    "                             [--show] [--logical] [--camera-script FILE]\n"
    "                             [--no-headlight]\n"
    "\n"
    "Renders a scene file on a display wall: the WxH picture is split into C by R\n"
    "tiles, and each process of the MPI job (rank 0 the upper-left tile, ranks\n"
    "along rows) renders its own, possibly on another machine. A '%r' in SCENE is\n"
    "replaced by the rank. If one rank fails or stops answering, every rank ends\n"
    "within seconds with one line naming the rank and the cause.\n"
    "\n"
    "Options:\n"
    "  --grid CxR              columns and rows of the wall; C*R processes\n"
    "  --size WxH              the whole picture in pixels, at most 32767 a side\n"
    "  -o, --output OUT.png    rank 0 gathers the tiles and writes the picture, in\n"
    "                          the format its extension names (- for standard\n"
    "                          output)\n"
    "  --show                  each rank shows its tile in a borderless window on\n"
    "                          its DISPLAY; rank 0 also opens an examiner viewer\n"
    "                          on the whole scene, whose camera moves the wall\n"
    "                          frame by frame (press a view to drive its camera)\n"
    "  --logical               the views' logical-viewport mode\n"
    "  --camera-script FILE    rank 0 applies one line a frame, 'NAME FIELDS' with\n"
    "                          NAME a view or camera, e.g. 'TopLeft position 0 0 9'\n"
    "  --no-headlight          only the scene's own lights\n"
    "  -h, --help              show this help\n";

} // namespace

int runWall(const Invocation &invocation) {
  const Arguments arguments = Arguments::parse(
      invocation.words,
      {{"--output", "-o", true},
       {"--grid", "", true},
       {"--size", "", true},
       {"--show", "", false},
       {"--logical", "", false},
       {"--camera-script", "", true},
       {"--no-headlight", "", false}},
      1, 1);
  if (arguments.helpRequested()) {
    std::fputs(kHelp, stdout);
    return ExitSuccess;
  }
#ifndef POVIEW_HAVE_MPI
  throw usageError("this poview was built without MPI: no walls (install Open MPI and rebuild)");
#else
  if (!arguments.has("--grid")) throw usageError("missing the wall's grid: --grid CxR");
  if (!arguments.has("--size")) throw usageError("missing the picture's size: --size WxH");
  if (!arguments.has("--output") && !arguments.has("--show"))
    throw usageError("nothing to do: give -o OUT.png, --show, or both");
  WallOptions options;
  options.scene = arguments.positional()[0];
  options.grid = parseTileGrid("--grid", arguments.value("--grid"));
  options.size = parseImageSize("--size", arguments.value("--size"));
  if (options.grid.columns > options.size.width || options.grid.rows > options.size.height)
    throw usageError("--grid " + quoted(arguments.value("--grid")) +
                     ": more tiles than pixels on a side");
  options.output = arguments.value("--output");
  if (!options.output.empty()) checkPictureFormat("--output", options.output);
  options.cameraScript = arguments.value("--camera-script");
  options.show = arguments.has("--show");
  options.logical = arguments.has("--logical");
  options.headlight = !arguments.has("--no-headlight");
  return runWallRank(options, invocation);
#endif
}
