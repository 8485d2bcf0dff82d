#ifndef BRENNICQT_POOFFSCREENRENDERER_H
#define BRENNICQT_POOFFSCREENRENDERER_H

#include <Inventor/SbColor.h>

#include <QImage>

#include <memory>
#include <string>

class SoNode;

// Renders a scene graph off screen into a picture of a given size (the
// logical window), in a Qt OpenGL context with a framebuffer object. Coin's
// SoOffscreenRenderer asks GLX for a pixmap context, which Mesa's X servers
// often refuse; a Qt context works wherever a render area would.
//
// A picture larger than the largest tile (the driver's framebuffer limit, and
// at most 4096 pixels a side unless set otherwise) is rendered tile by tile:
// each tile renders the part of the view volume it covers (with a margin of
// picture around it as wide as half the scene's widest line or point, which
// GL would otherwise clip by its centre), so the tiles put side by side give
// the picture one render would. Only one tile lives in GL
// memory at a time. One tile of a larger picture can be rendered on its own,
// which is what a display wall needs from each of its screens.
//
// A poster too large to hold (a print at 300 dpi is tens of thousands of
// pixels a side) is rendered band by band instead, into a sink that writes
// each band away (renderBands): only one band is in memory at a time.
//
// Needs a QGuiApplication (SoQt::init makes one) and Coin initialised, and
// runs on the thread that owns the scene graph. Pictures are RGB888 with the
// top row first; tile rectangles are in pixels of the picture with (0, 0) at
// its lower-left corner, as Coin's viewports are. A failure returns a null
// image, posts a report and leaves the reason in getLastError().
class PoOffscreenRenderer {
public:
  enum Mode {
    // Each tile sets the view-volume portion and logical viewport before the
    // scene, and views cut themselves out through the portion.
    STANDARD,
    // The views' logical-viewport mode (SoDBImpl::m_isZemba), switched on for
    // the duration of each render.
    LOGICAL_VIEWPORT
  };

  // Takes a picture band by band (renderBands). A band is a row of tiles,
  // all of the picture's width.
  class BandSink {
  public:
    virtual ~BandSink();
    // `count` rows of the picture, the top one first, `top` its row counted
    // from the picture's top (0 for the first band); each row is the
    // picture's width in RGB pixels, 3 bytes a pixel, and starts
    // `bytesPerLine` bytes after the one above. The rows are the renderer's
    // again once this returns. Answering false stops the render.
    virtual bool takeRows(const unsigned char *rows, int top, int count, int bytesPerLine) = 0;
    // After each tile, `done` of `total`; does nothing unless overridden,
    // e.g. to show how far a long render has come.
    virtual void tileDone(int done, int total);
  };

  // The largest side of a picture rendered in bands: beyond it the views'
  // single-precision rectangles no longer fall on whole pixels.
  static constexpr int kMaxBandedSide = 1000000;

  // A renderer of pictures `width` x `height` pixels, each side 1 to 32767
  // (in bands, to kMaxBandedSide).
  PoOffscreenRenderer(int width, int height);
  ~PoOffscreenRenderer();
  PoOffscreenRenderer(const PoOffscreenRenderer &) = delete;
  PoOffscreenRenderer &operator=(const PoOffscreenRenderer &) = delete;

  void setSize(int width, int height);
  int getWidth() const;
  int getHeight() const;

  // The colour of pixels where nothing is drawn; black by default.
  void setBackgroundColor(const SbColor &color);
  const SbColor &getBackgroundColor() const;

  void setMode(Mode mode);
  Mode getMode() const;

  // Scales line widths with the picture: a line of width w (a border's
  // included) is drawn w * scale pixels wide, e.g. the picture's size over
  // the window size its scene was made for, so that a poster does not show
  // hairlines. 1 by default; a scale that is not a positive number is
  // refused with a report and the scale kept.
  void setLineWidthScale(float scale);
  float getLineWidthScale() const;

  // Caps the tile side, e.g. to keep GL memory small; 0 restores the default.
  // The driver's own limit always applies as well.
  void setMaximumTileSize(int pixels);
  // The largest tile side used, which needs the GL context: 0 when it cannot
  // be created.
  int getMaximumTileSize();

  // The whole picture, in as few tiles as the tile size allows.
  QImage render(SoNode *root);
  // The whole picture, rendered as `columns` x `rows` tiles (more where a
  // tile would exceed the maximum tile size).
  QImage render(SoNode *root, int columns, int rows);
  // Pixels [x, x + width) x [y, y + height) of the picture, as their own
  // picture of width x height.
  QImage renderTile(SoNode *root, int x, int y, int width, int height);

  // The whole picture, as `columns` x `rows` tiles at least, handed to
  // `sink` band by band from the top. A band is as high as a tile may be,
  // and lower where a band of the picture's width would take more than
  // getBandMemory() bytes, so memory stays bounded whatever the picture's
  // size: each side 1 to kMaxBandedSide (32767 in the logical-viewport
  // mode). Where a band is a tile high, the bands are render(root, columns,
  // rows) row by row, pixel for pixel. False when the render fails or the
  // sink stops it (getLastError says which).
  bool renderBands(SoNode *root, BandSink &sink, int columns = 1, int rows = 1);
  // The bytes of RGB rows a band may take: 64 MB by default, and a band is
  // always at least one row. 0 restores the default.
  void setBandMemory(long long bytes);
  long long getBandMemory() const;

  // Why the last render failed; empty after a success.
  const std::string &getLastError() const;

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

#endif
