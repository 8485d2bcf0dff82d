#ifndef BRENNICQT_GLTILETARGET_H
#define BRENNICQT_GLTILETARGET_H

#include <Inventor/SbColor.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

// A hidden Qt OpenGL context with one framebuffer object that tiles are drawn
// into. The framebuffer takes the largest tile of a render and is kept while
// it fits the next render's, so a picture of many tiles holds one tile's
// worth of GL memory.
class GLTileTarget {
public:
  GLTileTarget();
  ~GLTileTarget();
  GLTileTarget(const GLTileTarget &) = delete;
  GLTileTarget &operator=(const GLTileTarget &) = delete;

  // Creates the context on first use and makes it current. False, with the
  // reason in error(), when there is no context to be had.
  bool makeCurrent();
  void doneCurrent();
  // The largest framebuffer side the driver renders; needs makeCurrent().
  int driverLimit() const { return m_driverLimit; }
  // A cache context of Coin's own for this GL context.
  uint32_t cacheContext() const { return m_cacheContext; }

  // Makes the framebuffer fit a render whose largest tile is width x height
  // pixels. False, with the reason in error(), when it cannot be had. Needs
  // makeCurrent().
  bool reserve(int width, int height);
  // Binds the framebuffer, sets the viewport to its lower-left width x
  // height pixels and clears them.
  bool beginTile(int width, int height, const SbColor &background);
  // Reads width x height pixels from (x, y) of the tile as RGB rows, the
  // bottom one to `bottomRow` and each next one `bytesPerLine` bytes after
  // the one below (negative for pictures that keep their top row first).
  void readTile(int x, int y, int width, int height, unsigned char *bottomRow,
                std::ptrdiff_t bytesPerLine);

  const std::string &error() const { return m_error; }

private:
  std::unique_ptr<QOffscreenSurface> m_surface;
  std::unique_ptr<QOpenGLContext> m_context;
  std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
  int m_driverLimit = 0;
  uint32_t m_cacheContext = 0;
  std::string m_error;
  std::vector<unsigned char> m_readBuffer;
};

#endif
