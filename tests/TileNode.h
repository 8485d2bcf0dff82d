#ifndef BRENNICQT_TESTS_TILENODE_H
#define BRENNICQT_TESTS_TILENODE_H

#include "SoLogicalViewportElement.h"
#include "SoModifyLogicalViewportElement.h"
#include "SoModifyViewVolumeElement.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoCallback.h>

// Stands for what a tiled render sets before the scene: the part of the view
// volume (standard mode) or of the logical viewport (logical-viewport mode)
// this render covers, and the logical viewport.
struct Tile {
  bool active = true;
  SbVec4f viewVolumePortion = SoModifyViewVolumeElement::getDefault();
  SbVec4f logicalPortion = SbVec4f(0, 0, 1, 1);
  SbViewportRegion logical = SbViewportRegion(800, 600);

  SoCallback *makeNode() {
    auto *node = new SoCallback;
    node->setCallback(&Tile::apply, this);
    return node;
  }
  static void apply(void *data, SoAction *action) {
    auto *tile = static_cast<Tile *>(data);
    if (!tile->active || !action->isOfType(SoGLRenderAction::getClassTypeId())) return;
    SoState *state = action->getState();
    SoModifyViewVolumeElement::set(state, tile->viewVolumePortion);
    SoModifyLogicalViewportElement::set(state, tile->logicalPortion);
    SoLogicalViewportElement::set(state, tile->logical);
  }
};

#endif
