#include "Arguments.h"
#include "CoinMessages.h"
#include "Commands.h"
#include "PoBaseView.h"
#include "ToolError.h"
#include "VirtualDisplay.h"

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const char *const kHelp =
    "Usage: poview view SCENE.iv [--exit-after MS]\n"
    "\n"
    "Shows a scene file in an examiner viewer. Every view reacts to the mouse:\n"
    "pressing a button over a view makes the viewer drive that view's camera.\n"
    "\n"
    "Options:\n"
    "  --exit-after MS   close the window after MS milliseconds (for scripts)\n"
    "  -h, --help        show this help\n";

int parseMilliseconds(const std::string &text) {
  char *end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || text[0] == '-' || value < 0 || value > 86400000)
    throw usageError("--exit-after " + quoted(text) + ": expected a number of milliseconds");
  return static_cast<int>(value);
}

} // namespace

int runView(const Invocation &invocation) {
  const Arguments arguments =
      Arguments::parse(invocation.words, {{"--exit-after", "", true}}, 1, 1);
  if (arguments.helpRequested()) {
    std::fputs(kHelp, stdout);
    return ExitSuccess;
  }
  const std::string scenePath = arguments.positional()[0];
  const int exitAfter =
      arguments.has("--exit-after") ? parseMilliseconds(arguments.value("--exit-after")) : -1;

  initSceneDatabase();
  std::vector<PoBaseView *> views;
  SoSeparator *root = nullptr;
  {
    CoinMessages messages;
    LoadedScene scene(scenePath, messages);
    root = scene.root();
    root->ref();
    for (const ViewRecord &record : scene.views()) views.push_back(record.view);
    messages.printWarnings("poview view: ");
  }
  auto display = std::make_unique<DisplayConnection>();
  if (!display->usable()) {
    root->unref();
    throw userError("no display to show " + quoted(scenePath) +
                    " on (set DISPLAY, or run under xvfb-run)");
  }

  quietenQtMessages();
  // Qt keeps a reference to the argument count for the application's life.
  static int qtArgc = 1;
  static char *qtArgv[] = {invocation.argv[0], nullptr};
  QWidget *window = SoQt::init(qtArgc, qtArgv, "poview");
  display.reset();
  // A view nested in another view's parts is hidden from Coin's default
  // search, which the event routing uses; the inset must be clickable too.
  SoBaseKit::setSearchingChildren(TRUE);
  for (PoBaseView *view : views) view->sensitiveOnEvents(1);

  {
    SoQtExaminerViewer viewer(window);
    viewer.setSceneGraph(root);
    PoBaseView::installViewingEventCB(&viewer);
    viewer.setTitle(scenePath.c_str());
    viewer.show();
    SoQt::show(window);
    if (exitAfter >= 0) QTimer::singleShot(exitAfter, [] { SoQt::exitMainLoop(); });
    SoQt::mainLoop();
  }
  root->unref();
  return ExitSuccess;
}
