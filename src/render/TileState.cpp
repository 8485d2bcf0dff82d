#include "TileState.h"

#include "LineWidthScale.h"
#include "SoLogicalViewportElement.h"
#include "SoModifyLogicalViewportElement.h"
#include "SoModifyViewVolumeElement.h"

#include <Inventor/SbBox3f.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoCallback.h>

#include <algorithm>

namespace {

constexpr int kMaxRegionSide = 32767;

} // namespace

TileState::TileState() : m_node(new SoCallback), m_portion(SoModifyViewVolumeElement::getDefault()) {
  m_node->ref();
  m_node->setCallback(&TileState::applyCB, this);
}

TileState::~TileState() { m_node->unref(); }

void TileState::set(const PixelTile &kept, const PixelTile &drawn, int margin, int pictureWidth,
                    int pictureHeight, bool logicalViewportMode, bool scaledLines) {
  const float width = float(pictureWidth), height = float(pictureHeight);
  m_portion.setValue(drawn.x / width, drawn.y / height, (drawn.x + drawn.width) / width,
                     (drawn.y + drawn.height) / height);
  // Coin's regions stop at 16 bits. Only the logical-viewport mode reads the
  // picture's size from here, and it renders no larger pictures; the views
  // of the standard mode place themselves from the kept tile's record.
  m_picture = SbViewportRegion(short(std::min(pictureWidth, kMaxRegionSide)),
                               short(std::min(pictureHeight, kMaxRegionSide)));
  m_tile = {pictureWidth, pictureHeight, kept.x, kept.y, kept.width, kept.height,
            drawn.x,      drawn.y,       margin};
  m_logicalViewportMode = logicalViewportMode;
  m_scaledLines = scaledLines;
}

void TileState::applyCB(void *data, SoAction *action) {
  if (!action->isOfType(SoGLRenderAction::getClassTypeId())) return;
  const TileState &self = *static_cast<const TileState *>(data);
  SoState *state = action->getState();
  if (self.m_scaledLines) LineWidthScale::setDefault(state);
  SoLogicalViewportElement::set(state, self.m_picture);
  KeptTileElement::setTile(state, self.m_tile);
  SbVec4f portion = self.m_portion;
  if (self.m_logicalViewportMode) {
    SoModifyLogicalViewportElement::set(state, portion);
    SbBox3f box(portion[0], portion[1], 0.0f, portion[2], portion[3], 1.0f);
    SoModifyViewVolumeElement::set(state, box);
  } else if (portion != SoModifyViewVolumeElement::getDefault()) {
    SoModifyViewVolumeElement::set(state, portion);
  }
}
