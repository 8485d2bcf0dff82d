#ifndef BRENNICQT_KEPTTILEELEMENT_H
#define BRENNICQT_KEPTTILEELEMENT_H

#include "ValueElement.h"

#include <cstring>

// A tile of the picture: its size and the pixels it keeps and draws.
struct KeptTile {
  int pictureWidth, pictureHeight;
  // The pixels kept, and the corner of the pixels drawn (the render's
  // viewport), which lies at or below and left of them.
  int keptX, keptY, keptWidth, keptHeight;
  int drawnX, drawnY;
  // How far a view's drawing may reach beyond its viewport where nothing
  // cuts it to the view: half the widest line or point, as the margin.
  int spill;
};

// A rectangle in pixels of the render's viewport, exactly.
struct KeptTileFrame {
  double x, y, width, height;
};

// What the element holds; nothing of it is set outside a tile's render.
struct KeptTileRecord {
  KeptTile tile{};
  KeptTileFrame frame{};
  bool inTile = false;
  bool viewOutside = false;
  int drawStyleBefore = 0;
  bool operator==(const KeptTileRecord &other) const {
    return inTile == other.inTile && viewOutside == other.viewOutside &&
           drawStyleBefore == other.drawStyleBefore &&
           std::memcmp(&tile, &other.tile, sizeof tile) == 0 &&
           std::memcmp(&frame, &other.frame, sizeof frame) == 0;
  }
};

// The render of one tile of a larger picture, in exact pixels: what the tile
// keeps, where the rectangle the current portion stands for lies, and
// whether the view in force lies wholly outside the kept pixels.
//
// A tile is drawn with a margin of picture around it (wide lines need it)
// and only its own pixels are kept; a view whose drawing cannot reach them
// need not draw at all. The views mark that here as they set their viewport
// (ViewInTile), with the draw style to go back to when a view nested in
// such a view meets the tile again. The portions of the view volume are
// single-precision fractions, which place a view a good part of a pixel off
// once a poster is tens of thousands of pixels across and its tiles are
// short; the frame gives the cameras the same rectangle exactly.
//
// Pixels of the picture have (0, 0) at its lower-left corner and 32 bits: a
// streamed poster may be wider than Coin's 16-bit viewports.
class KeptTileElement : public ValueElement<KeptTileRecord> {
  typedef ValueElement<KeptTileRecord> inherited;
  SO_ELEMENT_HEADER(KeptTileElement);

public:
  using Tile = KeptTile;
  using Frame = KeptTileFrame;

  static void initClass();

  // Starts a tile's render: the frame is the whole picture, no view is
  // outside.
  static void setTile(SoState *state, const Tile &tile);
  // Null outside a tile's render.
  static const Tile *getTile(SoState *state);

  // What the view-volume portion in force stands for: the whole picture, or
  // the rectangle of the view that set the portion. Null outside a tile.
  static void setFrame(SoState *state, const Frame &frame);
  static const Frame *getFrame(SoState *state);

  // Set by a view in a tile's render: its viewport, and so whatever is drawn
  // with it, lies outside the kept pixels; `drawStyle` is the draw style in
  // force before (an SoDrawStyleElement::Style). Until the state pops or
  // another view sets its own.
  static void setViewOutside(SoState *state, bool outside, int drawStyle);
  static bool isViewOutside(SoState *state);
  static int getDrawStyleBefore(SoState *state);

protected:
  ~KeptTileElement() override;
};

#endif
