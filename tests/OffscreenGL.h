#ifndef BRENNICQT_TESTS_OFFSCREENGL_H
#define BRENNICQT_TESTS_OFFSCREENGL_H

#include <QImage>

#include <memory>

class SoNode;
class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

// A GL context with a colour and depth framebuffer of a fixed size, rendered
// into with Coin's GL render action. Coin's own offscreen renderer finds no
// usable context under a virtual X server; Qt's does.
class OffscreenGL {
public:
  OffscreenGL(int width, int height);
  ~OffscreenGL();
  OffscreenGL(const OffscreenGL &) = delete;
  OffscreenGL &operator=(const OffscreenGL &) = delete;

  bool isValid() const { return m_valid; }
  int width() const { return m_width; }
  int height() const { return m_height; }

  // Clears to black and renders the graph over the whole framebuffer.
  void render(SoNode *root);
  // The colour at pixel (x, y), y counted upwards from the bottom row as GL
  // and the views count it; 0xRRGGBB.
  unsigned rgb(int x, int y) const;

private:
  int m_width;
  int m_height;
  bool m_valid;
  std::unique_ptr<QOffscreenSurface> m_surface;
  std::unique_ptr<QOpenGLContext> m_context;
  std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
  QImage m_image;
  unsigned m_cacheContext;
};

#endif
