// examples/cad_quad.iv built in code: the top, front and side of a part in
// orthographic views that only pan, their pan and zoom linked, and a
// perspective view to turn. The README shows this program; building it keeps
// the README's example compiling.
#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <BrennicQt/PoCameraLink.h>
#include <BrennicQt/PoSceneView.h>

// A view of the quarter of the window at (x, y), showing `part`.
static PoSceneView *quarter(float x, float y, SoNode *part) {
  PoSceneView *view = new PoSceneView;
  view->viewportOrigin.setValue(x, y);
  view->viewportSize.setValue(0.5f, 0.5f);
  view->isBorderVisible = TRUE;
  view->setPart("scene", part);
  view->sensitiveOnEvents(1);
  return view;
}

// An orthographic view looking along `direction` (turned from -z by `turn`)
// at the origin, 5 units high; drags pan it and never turn it.
static PoSceneView *drawingView(float x, float y, SoNode *part, const SbRotation &turn) {
  PoSceneView *view = quarter(x, y, part);
  view->navigation = PoBaseView::PAN;
  SoCamera *camera = view->getCamera(SoOrthographicCamera::getClassTypeId());
  SbVec3f direction;
  turn.multVec(SbVec3f(0, 0, -1), direction);
  camera->orientation = turn;
  camera->position = -10.0f * direction;
  camera->focalDistance = 10;
  static_cast<SoOrthographicCamera *>(camera)->height = 5;
  return view;
}

int main(int argc, char **argv) {
  QWidget *window = SoQt::init(argc, argv, "CAD views");
  PoBaseView::initClasses();

  // Any scene will do; this one is the example file's part.
  static const char part[] =
      "#Inventor V2.1 ascii\n"
      "Separator { Material { diffuseColor 0.85 0.55 0.2 }\n"
      "  Separator { Translation { translation 0 -0.75 0 } Cube { width 4 height 0.5 depth 2 } }\n"
      "  Separator { Material { diffuseColor 0.65 0.35 0.15 }\n"
      "    Translation { translation -1.75 0.25 0 } Cube { width 0.5 height 1.5 depth 2 } }\n"
      "  Separator { Material { diffuseColor 0.25 0.55 0.85 }\n"
      "    Translation { translation 1 0 0.4 } Cylinder { radius 0.4 height 1 } } }\n";
  SoInput input;
  input.setBuffer(part, sizeof part - 1);
  SoSeparator *scene = SoDB::readAll(&input);

  SoSeparator *root = new SoSeparator;
  root->ref();
  PoSceneView *top = drawingView(0, 0.5f, scene, SbRotation(SbVec3f(1, 0, 0), -1.5707964f));
  PoSceneView *front = drawingView(0, 0, scene, SbRotation::identity());
  PoSceneView *side = drawingView(0.5f, 0, scene, SbRotation(SbVec3f(0, 1, 0), 1.5707964f));
  PoSceneView *perspective = quarter(0.5f, 0.5f, scene);
  SoCamera *camera = perspective->getCamera(); // a perspective camera
  camera->position.setValue(7, 5, 9);
  camera->pointAt(SbVec3f(0, 0, 0));
  camera->focalDistance = 12.45f;
  camera->farDistance = 30;
  for (PoSceneView *view : {top, perspective, front, side}) root->addChild(view);

  // After the views, so that a file written from this graph names them.
  PoCameraLink *link = new PoCameraLink;
  link->views.set1Value(0, top);
  link->views.set1Value(1, front);
  link->views.set1Value(2, side);
  link->link = PoCameraLink::POSITION | PoCameraLink::ZOOM;
  root->addChild(link);

  SoQtExaminerViewer viewer(window);
  viewer.setSceneGraph(root);
  PoBaseView::installViewingEventCB(&viewer); // also pans the PAN views
  viewer.show();
  SoQt::show(window);
  SoQt::mainLoop();
  root->unref();
  PoBaseView::exitClasses();
}
