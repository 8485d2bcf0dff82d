#include "CommandSupport.h"

#include "PoBaseView.h"
#include "SceneFile.h"
#include "ToolError.h"

#include <Inventor/SoDB.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QCoreApplication>
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
  if (m_views.empty()) {
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
