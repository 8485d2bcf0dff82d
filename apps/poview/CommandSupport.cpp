#include "CommandSupport.h"

#include "PoBaseView.h"
#include "PoViewList.h"
#include "SceneFile.h"
#include "ToolError.h"
#include "VirtualDisplay.h"

#include <Inventor/Qt/SoQt.h>
#include <Inventor/SoDB.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QString>
#include <QtGlobal>

#include <cstdio>

void initSceneDatabase() {
  SoDB::init();
  SoNodeKit::init();
  PoBaseView::initClasses();
}

LoadedScene::LoadedScene(const std::string &path, CoinMessages &messages)
    : m_root(readSceneFile(path, messages)) {
  m_views = findViews(m_root);
  // Views switched off count: the scene holds them, and a layout may show them.
  if (m_views.empty() && PoViewList(m_root, true).getLength() == 0) {
    m_root->unref();
    throw userError(quoted(path) + ": the scene holds no view (no PoView or PoSceneView node)");
  }
}

LoadedScene::~LoadedScene() { m_root->unref(); }

CurrentGLContextRelease::~CurrentGLContextRelease() {
  // Without an application no context was ever made current.
  if (!QCoreApplication::instance()) return;
  if (QOpenGLContext *current = QOpenGLContext::currentContext()) current->doneCurrent();
}

namespace {

void criticalOnly(QtMsgType type, const QMessageLogContext &, const QString &message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "poview: Qt: %s\n", qPrintable(message.simplified()));
}

} // namespace

void quietenQtMessages() { qInstallMessageHandler(criticalOnly); }

std::unique_ptr<VirtualDisplay> startOffscreenGui(const Invocation &invocation) {
  std::unique_ptr<VirtualDisplay> virtualDisplay;
  auto display = std::make_unique<DisplayConnection>();
  if (!display->usable()) virtualDisplay = std::make_unique<VirtualDisplay>();

  quietenQtMessages();
  // Qt keeps references to the argument count and vector for its lifetime.
  static int qtArgc = 1;
  static char *qtArgv[] = {invocation.argv[0], nullptr};
  // Left to the end of the process on purpose: tearing Qt's platform down
  // closes the X connection, which makes Mesa unload its GL driver, and the
  // driver's own small allocations then show as leaks from an unknown module
  // under LeakSanitizer. The process ends right after the command anyway.
  static QGuiApplication *application = new QGuiApplication(qtArgc, qtArgv);
  (void)application;
  return virtualDisplay;
}

QWidget *startWindowGui(const Invocation &invocation, const std::string &what) {
  auto display = std::make_unique<DisplayConnection>();
  if (!display->usable())
    throw userError("no display to show " + what + " on (set DISPLAY, or run under xvfb-run)");
  quietenQtMessages();
  // Qt keeps a reference to the argument count for the application's life.
  static int qtArgc = 1;
  static char *qtArgv[] = {invocation.argv[0], nullptr};
  return SoQt::init(qtArgc, qtArgv, "poview");
}
