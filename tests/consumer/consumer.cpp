#include <BrennicQt/PoBaseView.h>
#include <BrennicQt/PoSceneView.h>
#include <BrennicQt/PoToVRML2Action.h>

// The library's own headers stay off an application's include path: the
// public headers are reached as BrennicQt/..., what they need lies in
// BrennicQt/internal/, and nothing else is installed.
#if __has_include(<PoSceneView.h>) || __has_include(<ClassMutex.h>) || \
    __has_include(<SoGetView.h>) || __has_include(<DebugReport.h>) ||   \
    __has_include(<SoDBImpl.h>) || __has_include(<BrennicQt/DebugReport.h>)
#error "BrennicQt puts internal headers on the application's include path"
#endif

#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoSeparator.h>

#include <cstdio>

int main() {
  SoNodeKit::init(); // Coin, its node kits and their types
  PoBaseView::initClasses();
  const bool registered = !PoBaseView::getClassTypeId().isBad();
  bool exported = false;
  bool fitted = false;
  {
    SoSeparator *root = new SoSeparator;
    root->ref();
    root->addChild(new SoCube);
    PoToVRML2Action action;
    action.apply(root);
    exported = action.getVRML2SceneGraph() && action.getVRML2SceneGraph()->getNumChildren() == 1;

    PoSceneView *view = new PoSceneView;
    view->ref();
    view->setBackgroundColor(SbColor(0.1f, 0.1f, 0.4f));
    view->setPart("scene", root);
    view->viewAll(SbVec2s(400, 300));
    fitted = view->getCamera() && view->getCamera()->position.getValue()[2] > 1.0f;
    view->unref();
    root->unref();
  }
  PoBaseView::exitClasses();
  std::printf("consumer: PoBaseView %s, VRML97 export %s, viewAll %s\n",
              registered ? "registered" : "missing", exported ? "works" : "failed",
              fitted ? "works" : "failed");
  return registered && exported && fitted ? 0 : 1;
}
