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
// into. The framebuffer grows to the largest tile asked for and is kept, so
// a picture of many tiles holds one tile's worth of GL memory.
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

  // Binds a framebuffer of at least width x height, sets the viewport to its
  // lower-left width x height pixels and clears them. Needs makeCurrent().
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
