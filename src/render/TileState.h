#ifndef BRENNICQT_TILESTATE_H
#define BRENNICQT_TILESTATE_H

#include "KeptTileElement.h"
#include "TileLayout.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SbVec4f.h>

class SoAction;
class SoCallback;

// What a render of one tile of a larger picture sets in the traversal state
// before the scene: the part of the picture the tile covers and the picture
// as the logical viewport. In standard mode the part is the view-volume
// portion, which the views re-express for themselves; in logical-viewport
// mode it is the covered part of the logical viewport, and the view-volume
// box for cameras outside any view.
class TileState {
public:
  TileState();
  ~TileState();
  TileState(const TileState &) = delete;
  TileState &operator=(const TileState &) = delete;

  // `kept` is drawn as `drawn`, which holds it and a margin of `margin`
  // pixels (TileMargin) where the picture goes on. `scaledLines`: line widths
  // are scaled (LineWidthScale), so the default width is set at the start,
  // where it takes the scale.
  void set(const PixelTile &kept, const PixelTile &drawn, int margin, int pictureWidth,
           int pictureHeight, bool logicalViewportMode, bool scaledLines);
  // The node to traverse before the scene; it acts on GL render actions only.
  // Coin keeps no cache for a callback node, so it must not sit under a
  // caching separator: the tile would then stay the one the cache saw.
  SoCallback *node() const { return m_node; }

private:
  static void applyCB(void *data, SoAction *action);

  SoCallback *m_node;
  SbVec4f m_portion;
  SbViewportRegion m_picture;
  KeptTileElement::Tile m_tile{};
  bool m_logicalViewportMode = false;
  bool m_scaledLines = false;
};

#endif
