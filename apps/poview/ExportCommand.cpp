#include "Arguments.h"
#include "CoinMessages.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "PoToVRML2Action.h"
#include "ToolError.h"
#include "ViewReport.h"

#include <Inventor/SoOutput.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/nodes/SoSeparator.h>

#include <cstdio>
#include <cstdlib>

namespace {

const char *const kHelp =
    "Usage: poview export SCENE.iv -o OUT.wrl [--navigable]\n"
    "\n"
    "Converts a scene file holding scene views to VRML97. Each scene view becomes\n"
    "an overlay fixed in front of the VRML viewer, placed where its viewport is.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT.wrl   the VRML97 file to write (replaced only once complete);\n"
    "                         - writes to standard output\n"
    "  --navigable            make the first scene view a navigable viewpoint\n"
    "                         instead of a fixed overlay\n"
    "  -h, --help             show this help\n";

void *growBuffer(void *buffer, std::size_t size) { return std::realloc(buffer, size); }

// Coin writes into a buffer it grows itself; the text then goes to the file
// in one piece, so a failed write can be noticed and no partial file kept.
std::string writeVrml(SoNode *graph) {
  SoOutput output;
  const std::size_t initialSize = 4096;
  output.setBuffer(std::malloc(initialSize), initialSize, growBuffer);
  output.setHeaderString("#VRML V2.0 utf8");
  SoWriteAction write(&output);
  write.apply(graph);
  void *buffer = nullptr;
  std::size_t size = 0;
  output.getBuffer(buffer, size);
  std::string text(static_cast<const char *>(buffer), size);
  output.resetBuffer();
  std::free(buffer);
  return text;
}

} // namespace

int runExport(const Invocation &invocation) {
  const Arguments arguments = Arguments::parse(
      invocation.words, {{"--output", "-o", true}, {"--navigable", "", false}}, 1, 1);
  if (arguments.helpRequested()) {
    std::fputs(kHelp, stdout);
    return ExitSuccess;
  }
  if (!arguments.has("--output")) throw usageError("missing the output file: -o OUT.wrl");
  const std::string scenePath = arguments.positional()[0];
  const std::string output = arguments.value("--output");

  initSceneDatabase();
  CoinMessages messages;
  LoadedScene scene(scenePath, messages);
  checkOutput(output);

  PoToVRML2Action convert;
  convert.setFirstSceneViewSensitive(arguments.has("--navigable") ? 1 : 0);
  convert.apply(scene.root());
  SoNode *vrml = convert.getVRML2SceneGraph();
  if (!vrml) throw userError(quoted(scenePath) + ": the conversion to VRML97 gave no scene");
  writeOutput(output, writeVrml(vrml));
  messages.printWarnings("poview export: ");
  warnAboutViewsWithoutCamera(scene.views(), "poview export: ");
  return ExitSuccess;
}
