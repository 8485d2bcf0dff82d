#include "Arguments.h"
#include "Commands.h"
#include "OptionValues.h"
#include "PictureFile.h"
#include "ToolError.h"
#include "ToolOptions.h"

#ifdef POVIEW_HAVE_MPI
#include "wall/Wall.h"
#endif

#include <cstdio>
#include <cstdlib>

namespace {

const char *const kIntro =
    "Usage: mpirun -n C*R poview wall SCENE.iv --grid CxR --size WxH [-o OUT.png]\n"
    "                             [--show] [OPTIONS]\n"
    "\n"
    "Renders a scene file on a display wall: the WxH picture is split into C by R\n"
    "tiles, and each process of the MPI job (rank 0 the upper-left tile, ranks\n"
    "along rows) renders its own, possibly on another machine. A '%r' in SCENE is\n"
    "replaced by the rank. If one rank fails, is stopped by a signal or stops\n"
    "answering, every rank ends with one line naming that rank and the cause.\n"
    "\n";

const char *const kEnvironment =
    "\n"
    "Environment:\n"
    "  POVIEW_WALL_TIMEOUT     seconds one step (reading, rendering, writing) may\n"
    "                          take on a rank before rank 0 names it as not\n"
    "                          answering and ends the wall (default 60)\n";

#ifdef POVIEW_HAVE_MPI
constexpr int kMaxStepSeconds = 86400;

// The step time the environment asks for, in whole seconds.
double stepSeconds() {
  const char *text = std::getenv("POVIEW_WALL_TIMEOUT");
  if (!text || !*text) return 60;
  return parseBoundedNumber("POVIEW_WALL_TIMEOUT", text, 1, kMaxStepSeconds, "a number of seconds");
}
#endif

} // namespace

int runWall(const Invocation &invocation) {
  const Arguments arguments = Arguments::parse(invocation.words, optionRules(ForWall), 1, 1);
  if (arguments.helpRequested()) {
    std::fputs((kIntro + optionHelp(ForWall) + kEnvironment).c_str(), stdout);
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
  options.rendering = parseRenderingOptions(arguments);
  const ImageSize size = options.rendering.size;
  if (options.grid.columns > size.width || options.grid.rows > size.height)
    throw usageError("--grid " + quoted(arguments.value("--grid")) +
                     ": more tiles than pixels on a side");
  options.output = arguments.value("--output");
  if (!options.output.empty()) checkPictureFormat("--output", options.output);
  options.cameraScript = arguments.value("--camera-script");
  options.show = arguments.has("--show");
  options.logical = arguments.has("--logical");
  options.stepSeconds = stepSeconds();
  return runWallRank(options, invocation);
#endif
}
