// Converts an Inventor scene file, scene views included, to a VRML97 file.
//
//   brennicqt-export [--navigable] input.iv [output.wrl]
//
// --navigable turns the first scene view into the world's viewpoint instead
// of an overlay fixed in front of the viewer. Without an output file the
// VRML97 text goes to standard output.
#include "PoBaseView.h"
#include "PoToVRML2Action.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoOutput.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoSeparator.h>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv) {
  int navigable = 0;
  const char *paths[2] = {nullptr, nullptr};
  int numPaths = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--navigable") == 0)
      navigable = 1;
    else if (numPaths < 2)
      paths[numPaths++] = argv[i];
  }
  if (numPaths == 0) {
    std::fprintf(stderr, "usage: %s [--navigable] input.iv [output.wrl]\n", argv[0]);
    return 2;
  }

  SoNodeKit::init();
  PoBaseView::initClasses();
  int status = 0;
  {
    SoInput input;
    SoSeparator *root = input.openFile(paths[0]) ? SoDB::readAll(&input) : nullptr;
    if (!root) {
      std::fprintf(stderr, "%s: cannot read %s\n", argv[0], paths[0]);
      status = 1;
    } else {
      root->ref();
      PoToVRML2Action action;
      action.setFirstSceneViewSensitive(navigable);
      action.apply(root);
      SoOutput output;
      if (paths[1] && !output.openFile(paths[1])) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], paths[1]);
        status = 1;
      } else {
        output.setHeaderString("#VRML V2.0 utf8");
        SoWriteAction write(&output);
        write.apply(action.getVRML2SceneGraph());
        output.closeFile();
      }
      root->unref();
    }
  }
  PoBaseView::exitClasses();
  return status;
}
