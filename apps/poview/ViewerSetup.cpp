#include "ViewerSetup.h"

#include <Inventor/Qt/viewers/SoQtViewer.h>

#include <QCoreApplication>
#include <QWidget>

void applyRenderingOptions(SoQtViewer &viewer, const RenderingOptions &options) {
  viewer.setBackgroundColor(
      SbColor(options.background.red, options.background.green, options.background.blue));
  viewer.setHeadlight(options.headlight ? TRUE : FALSE);
}

void fitDrawingArea(SoQtViewer &viewer, ImageSize size) {
  // The decorations' share of the window is known only once Qt has laid the
  // window out.
  QCoreApplication::processEvents();
  QWidget *area = viewer.getGLWidget();
  QWidget *window = area->window();
  window->resize(window->size() + QSize(size.width, size.height) - area->size());
}
