#include "Arguments.h"
#include "CoinMessages.h"
#include "Commands.h"
#include "ToolError.h"
#include "ToolOptions.h"
#include "ViewReport.h"

#include <Inventor/nodes/SoSeparator.h>

#include <cstdio>

namespace {

const char *const kIntro =
    "Usage: poview info SCENE.iv [--json]\n"
    "\n"
    "Lists the views of a scene file, one per line, in traversal order; views\n"
    "nested in other views are indented (up to 32 levels; deeper lines start with\n"
    "\"(depth N)\"). Each line gives the type, the DEF name if any, the viewport\n"
    "(origin and size, as fractions of the window), the camera type, whether\n"
    "the background and border are shown (\"-\" for views that have none),\n"
    "for scene views the colour of each and the border's width in pixels, and\n"
    "\"navigation PAN\" for views that only pan. A view with a label adds it, in\n"
    "quotes, and its colour (label \"Top\" color 1 1 1); one that shows its axis\n"
    "triad adds \"axes on\". Camera links follow, one per line: the views they\n"
    "link, by their place in the list, and what they carry. --json gives every\n"
    "view all of these, the active border's colour of scene views too.\n"
    "\n";

} // namespace

int runInfo(const Invocation &invocation) {
  const Arguments arguments = Arguments::parse(invocation.words, optionRules(ForInfo), 1, 1);
  if (arguments.helpRequested()) {
    std::fputs((kIntro + optionHelp(ForInfo)).c_str(), stdout);
    return ExitSuccess;
  }
  const std::string scenePath = arguments.positional()[0];
  initSceneDatabase();
  CoinMessages messages;
  LoadedScene scene(scenePath, messages);
  const std::vector<LinkRecord> links = findLinks(scene.root(), scene.views());
  const std::string report = arguments.has("--json")
                                 ? formatViewJson(scenePath, scene.views(), links)
                                 : formatViewLines(scene.views(), links);
  std::fputs(report.c_str(), stdout);
  messages.printWarnings("poview info: ");
  warnAboutViewsWithoutCamera(scene.views(), "poview info: ");
  return ExitSuccess;
}
