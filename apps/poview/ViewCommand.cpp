#include "Arguments.h"
#include "CoinMessages.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "PictureFile.h"
#include "PoBaseView.h"
#include "ToolError.h"
#include "ViewerScreenshot.h"

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <memory>

namespace {

const char *const kHelp =
    "Usage: poview view SCENE.iv [--exit-after MS]\n"
    "       poview view SCENE.iv --screenshot OUT.png [--frames N] [--size WxH]\n"
    "                            [--drag X0,Y0,X1,Y1]\n"
    "\n"
    "Shows a scene file in an examiner viewer. Every view reacts to the mouse:\n"
    "pressing a button over a view makes the viewer drive that view's camera.\n"
    "\n"
    "With --screenshot the viewer draws N frames exactly as it does on screen\n"
    "(its camera, headlight and automatic clipping) and the last one is written\n"
    "to OUT.png; then the command ends. A display is needed, e.g. xvfb-run.\n"
    "\n"
    "Options:\n"
    "  --exit-after MS          close the window after MS milliseconds (for scripts)\n"
    "  --screenshot OUT.png     write the viewer's last frame to OUT.png and exit\n"
    "  --frames N               frames to draw before the picture is taken (default 1)\n"
    "  --size WxH               size of the viewer's drawing area (default 640x480)\n"
    "  --drag X0,Y0,X1,Y1       before the frames, drag with the left button from\n"
    "                           pixel X0,Y0 to X1,Y1 (from the top left)\n"
    "  -h, --help               show this help\n";

constexpr int kMaxMilliseconds = 86400000;
constexpr int kMaxFrames = 1000;

ScreenshotScript screenshotScript(const Arguments &arguments) {
  ScreenshotScript script{};
  script.size = parseImageSize("--size", arguments.value("--size", "640x480"));
  script.frames = parseBoundedNumber("--frames", arguments.value("--frames", "1"), 1, kMaxFrames,
                                     "a number of frames");
  script.drag = arguments.has("--drag");
  if (script.drag) {
    const PixelDrag drag = parsePixelDrag("--drag", arguments.value("--drag"));
    for (int axis = 0; axis < 2; ++axis) {
      script.dragFrom[axis] = drag.from[axis];
      script.dragTo[axis] = drag.to[axis];
    }
  }
  return script;
}

} // namespace

int runView(const Invocation &invocation) {
  const Arguments arguments = Arguments::parse(invocation.words,
                                               {{"--exit-after", "", true},
                                                {"--screenshot", "", true},
                                                {"--frames", "", true},
                                                {"--size", "", true},
                                                {"--drag", "", true}},
                                               1, 1);
  if (arguments.helpRequested()) {
    std::fputs(kHelp, stdout);
    return ExitSuccess;
  }
  const std::string scenePath = arguments.positional()[0];
  const int exitAfter = arguments.has("--exit-after")
                            ? parseBoundedNumber("--exit-after", arguments.value("--exit-after"),
                                                 0, kMaxMilliseconds, "a number of milliseconds")
                            : -1;
  const bool screenshot = arguments.has("--screenshot");
  for (const char *option : {"--frames", "--size", "--drag"})
    if (arguments.has(option) && !screenshot)
      throw usageError(std::string(option) + " only goes with --screenshot");
  const std::string output = arguments.value("--screenshot");
  if (screenshot) checkPictureFormat("--screenshot", output);
  const ScreenshotScript script = screenshot ? screenshotScript(arguments) : ScreenshotScript{};

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
  // Keeps the scene alive until the viewer is gone, on every way out.
  std::unique_ptr<SoSeparator, void (*)(SoSeparator *)> held(root,
                                                             [](SoSeparator *r) { r->unref(); });
  if (screenshot) checkOutput(output);
  QWidget *window = startWindowGui(invocation, quoted(scenePath));
  // A view nested in another view's parts is hidden from Coin's default
  // search, which the event routing uses; the inset must be clickable too.
  SoBaseKit::setSearchingChildren(TRUE);
  for (PoBaseView *view : views) view->sensitiveOnEvents(1);

  if (screenshot) {
    const QImage frame = grabViewerFrame(window, root, script);
    writePicture(frame, output);
    return ExitSuccess;
  }
  SoQtExaminerViewer viewer(window);
  viewer.setSceneGraph(root);
  PoBaseView::installViewingEventCB(&viewer);
  viewer.setTitle(scenePath.c_str());
  viewer.show();
  SoQt::show(window);
  if (exitAfter >= 0) QTimer::singleShot(exitAfter, [] { SoQt::exitMainLoop(); });
  SoQt::mainLoop();
  return ExitSuccess;
}
