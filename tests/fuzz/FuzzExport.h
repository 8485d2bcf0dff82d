#ifndef BRENNICQT_FUZZEXPORT_H
#define BRENNICQT_FUZZEXPORT_H

#include "PoToVRML2Action.h"

#include <Inventor/SoOutput.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/actions/SoWriteAction.h>

#include <cstdlib>

// The VRML97 export step of the fuzz run: both forms of every scene view,
// written as a file. The action owns its result and releases it with itself.
inline void exportScene(SoNode *root) {
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
