#include "Arguments.h"
#include "CoinMessages.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "LayoutKeys.h"
#include "PictureFile.h"
#include "PoBaseView.h"
#include "PoViewList.h"
#include "ToolError.h"
#include "ToolOptions.h"
#include "ViewerScreenshot.h"
#include "ViewerSetup.h"

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <memory>

namespace {

const char *const kIntro =
    "Usage: poview view SCENE.iv [OPTIONS]\n"
    "       poview view SCENE.iv --screenshot OUT.png [OPTIONS]\n"
    "\n"
    "Shows a scene file in an examiner viewer. Every view reacts to the mouse:\n"
    "pressing a button over a view makes the viewer drive that view's camera.\n"
    "The keys and mouse gestures below lay the views out.\n"
    "\n"
    "With --screenshot the viewer draws N frames exactly as it does on screen\n"
    "(its camera, headlight and automatic clipping) and the last one is written\n"
    "to OUT.png; then the command ends. A display is needed, e.g. xvfb-run.\n"
    "\n";

constexpr int kMaxMilliseconds = 86400000;
constexpr int kMaxFrames = 1000;

ScreenshotScript screenshotScript(const Arguments &arguments) {
  ScreenshotScript script{};
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
  script.keys = arguments.value("--keys");
  if (script.keys.find_first_not_of(kLayoutKeys) != std::string::npos)
    throw usageError("--keys " + quoted(script.keys) + ": expected keys among " +
                     quoted(kLayoutKeys));
  return script;
}

} // namespace

int runView(const Invocation &invocation) {
  const Arguments arguments = Arguments::parse(invocation.words, optionRules(ForView), 1, 1);
  if (arguments.helpRequested()) {
    std::fputs((kIntro + optionHelp(ForView) + "\n" + kLayoutKeysHelp).c_str(), stdout);
    return ExitSuccess;
  }
  const std::string scenePath = arguments.positional()[0];
  const int exitAfter = arguments.has("--exit-after")
                            ? parseBoundedNumber("--exit-after", arguments.value("--exit-after"),
                                                 0, kMaxMilliseconds, "a number of milliseconds")
                            : -1;
  const bool screenshot = arguments.has("--screenshot");
  for (const char *option : {"--frames", "--drag", "--keys"})
    if (arguments.has(option) && !screenshot)
      throw usageError(std::string(option) + " only goes with --screenshot");
  const std::string output = arguments.value("--screenshot");
  if (screenshot) checkPictureFormat("--screenshot", output);
  const RenderingOptions rendering = parseRenderingOptions(arguments);
  const ScreenshotScript script = screenshot ? screenshotScript(arguments) : ScreenshotScript{};

  initSceneDatabase();
  std::vector<PoBaseView *> views;
  SoSeparator *root = nullptr;
  {
    CoinMessages messages;
    LoadedScene scene(scenePath, messages);
    root = scene.root();
    root->ref();
    // Hidden views too: the layout keys may show them.
    const PoViewList all(root, true);
    for (int i = 0; i < all.getLength(); ++i) views.push_back(all[i].view);
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
    const QImage frame = grabViewerFrame(window, root, rendering, script);
    writePicture(frame, output);
    return ExitSuccess;
  }
  SoQtExaminerViewer viewer(window);
  viewer.setSceneGraph(root);
  LayoutKeys keys(&viewer);
  viewer.setTitle(scenePath.c_str());
  applyRenderingOptions(viewer, rendering);
  viewer.show();
  SoQt::show(window);
  fitDrawingArea(viewer, rendering.size);
  if (exitAfter >= 0) QTimer::singleShot(exitAfter, [] { SoQt::exitMainLoop(); });
  SoQt::mainLoop();
  return ExitSuccess;
}
