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

  // A renderer of pictures `width` x `height` pixels, each side 1 to 32767.
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

  // Why the last render returned a null image; empty after a success.
  const std::string &getLastError() const;

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

#endif
