#include <PoBaseView.h>
#include <PoToVRML2Action.h>

#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoSeparator.h>

#include <cstdio>

int main() {
  SoNodeKit::init(); // Coin, its node kits and their types
  PoBaseView::initClasses();
  const bool registered = !PoBaseView::getClassTypeId().isBad();
  bool exported = false;
  {
    SoSeparator *root = new SoSeparator;
    root->ref();
    root->addChild(new SoCube);
    PoToVRML2Action action;
    action.apply(root);
    exported = action.getVRML2SceneGraph() && action.getVRML2SceneGraph()->getNumChildren() == 1;
    root->unref();
  }
  PoBaseView::exitClasses();
  std::printf("consumer: PoBaseView %s, VRML97 export %s\n", registered ? "registered" : "missing",
              exported ? "works" : "failed");
  return registered && exported ? 0 : 1;
}
