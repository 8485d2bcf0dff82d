// poview: renders, converts, shows and lists the views of scene files.
#include "Commands.h"
#include "PoSceneReader.h"
#include "SceneFile.h"
#include "ToolError.h"

#include <Inventor/Qt/SoQt.h>
#include <Inventor/SoDB.h>

#include <QtGlobal>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const Command kCommands[] = {
    {"render", "render a scene file once into a picture (PNG, JPEG, ...)", runRender},
    {"export", "convert a scene file to VRML97, X3D or a web page", runExport},
    {"view", "show a scene file in a viewer that follows clicks into views", runView},
    {"info", "list the views of a scene file", runInfo},
    {"wall", "render a scene file on a display wall of MPI processes", runWall},
};

void printHelp(std::FILE *stream) {
  std::fputs("Usage: poview COMMAND SCENE.iv [OPTIONS]\n"
             "\n"
             "Works on Coin scene files (.iv) holding PoView and PoSceneView nodes.\n"
             "\n"
             "Commands:\n",
             stream);
  for (const Command &command : kCommands)
    std::fprintf(stream, "  %-8s %s\n", command.name, command.summary);
  std::fprintf(stream,
               "\n"
               "Scene files may nest up to %d levels deep (nodes inside nodes, a node\n"
               "kit's own inner nodes included); deeper ones are refused, as are scenes\n"
               "that hold themselves (a USE inside its own DEF).\n",
               kMaxSceneNesting);
  std::fputs("\n"
             "'poview COMMAND --help' describes a command's options; 'poview --version'\n"
             "tells the versions of poview and of the libraries it runs on.\n"
             "Exit status: 0 on success, 1 when a file cannot be used, 2 on bad usage.\n",
             stream);
}

// The libraries' versions as loaded, which is what a bug report needs.
void printVersion() {
  std::printf("poview %s (BrennicQt %s, %s, SoQt %s, Qt %s)\n", POVIEW_VERSION,
              POVIEW_VERSION, SoDB::getVersion(), SoQt::getVersionString(), qVersion());
}

const Command *findCommand(const char *name) {
  for (const Command &command : kCommands)
    if (std::strcmp(command.name, name) == 0) return &command;
  return nullptr;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fputs("poview: error: missing the command (try 'poview --help')\n", stderr);
    return ExitUsageError;
  }
  const std::string first = argv[1];
  if (first == "--help" || first == "-h" || first == "help") {
    printHelp(stdout);
    return ExitSuccess;
  }
  if (first == "--version") {
    printVersion();
    return ExitSuccess;
  }
  const Command *command = findCommand(argv[1]);
  if (!command) {
    std::fprintf(stderr, "poview: error: unknown command '%s' (try 'poview --help')\n", argv[1]);
    return ExitUsageError;
  }
  Invocation invocation{argc, argv, std::vector<std::string>(argv + 2, argv + argc)};
  try {
    int status = ExitSuccess;
    if (!PoSceneReader::runOnStack(kCommandStackBytes, [&] {
          CurrentGLContextRelease release;
          status = command->run(invocation);
        }))
      throw userError("cannot start a thread with a " + std::to_string(kCommandStackBytes >> 20) +
                      " MB stack");
    return status;
  } catch (const ToolError &error) {
    return printToolError(command->name, error);
  }
}
