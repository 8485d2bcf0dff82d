#ifndef BRENNICQT_FUZZEXPORT_H
#define BRENNICQT_FUZZEXPORT_H

#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"

#include <Inventor/SoOutput.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/actions/SoWriteAction.h>

#include <cstdlib>

// The export steps of the fuzz run: VRML97 in both forms of every scene
// view, written as a file, and X3D in both encodings. The actions own their
// results and release them with themselves.
inline void exportScene(SoNode *root) {
  for (PoToX3DAction::Encoding encoding : {PoToX3DAction::CLASSIC_VRML, PoToX3DAction::XML}) {
    PoToX3DAction action;
    action.setEncoding(encoding);
    action.apply(root);
  }
  for (int sensitive = 0; sensitive < 2; ++sensitive) {
    PoToVRML2Action action;
    action.setFirstSceneViewSensitive(sensitive);
    action.apply(root);
    SoVRMLGroup *result = action.getVRML2SceneGraph();
    if (!result) continue;
    SoOutput output;
    output.setBuffer(nullptr, 0, std::realloc);
    output.setHeaderString("#VRML V2.0 utf8");
    SoWriteAction write(&output);
    write.apply(result);
    void *written = nullptr;
    std::size_t size = 0;
    if (output.getBuffer(written, size)) std::free(written);
  }
}

#endif
