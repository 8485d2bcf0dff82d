// Two scene views side by side in an examiner viewer; a mouse press over a
// view makes the viewer move that view's camera. The README shows this
// program; building it keeps the README's example compiling.
#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodes/SoCone.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <BrennicQt/PoSceneView.h>

int main(int argc, char **argv) {
  QWidget *window = SoQt::init(argc, argv, "scene views");
  PoBaseView::initClasses();

  SoSeparator *root = new SoSeparator;
  root->ref();
  for (int i = 0; i < 2; ++i) {
    PoSceneView *view = new PoSceneView;
    view->viewportOrigin.setValue(0.5f * i, 0.0f); // left and right halves
    view->viewportSize.setValue(0.5f, 1.0f);
    view->isBackgroundVisible = TRUE;
    view->isBorderVisible = TRUE;
    view->setBackgroundColor(i ? SbColor(0.1f, 0.3f, 0.1f) : SbColor(0.1f, 0.1f, 0.4f));
    view->setBorderWidth(2);
    SoSeparator *scene = new SoSeparator;
    scene->addChild(new SoCone);
    view->setPart("scene", scene);
    view->getCamera()->position.setValue(0.0f, 0.0f, 6.0f);
    view->sensitiveOnEvents(1); // views are not sensitive until told so
    root->addChild(view);
  }

  SoQtExaminerViewer viewer(window);
  viewer.setSceneGraph(root);
  PoBaseView::installViewingEventCB(&viewer); // viewingEventCB, viewer as datum
  viewer.show();
  SoQt::show(window);
  SoQt::mainLoop();
  root->unref();
  PoBaseView::exitClasses();
}
