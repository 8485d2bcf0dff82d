#ifndef BRENNICQT_TESTS_GLTESTCONTEXT_H
#define BRENNICQT_TESTS_GLTESTCONTEXT_H

#include <Inventor/SbColor.h>
#include <Inventor/SbViewportRegion.h>

#include <memory>
#include <vector>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;
class SoGLRenderAction;
class SoNode;

// A real GL context (Qt, current on this thread) with a framebuffer of the
// given size, and one GL render action that renders into it. The action is
// kept for the context's life, as a render area keeps its own, so its state
// carries over from one render to the next.
class GLTestContext {
public:
  GLTestContext(short width, short height);
  ~GLTestContext();
  GLTestContext(const GLTestContext &) = delete;
  GLTestContext &operator=(const GLTestContext &) = delete;

  bool isValid() const { return m_valid; }
  const SbViewportRegion &viewport() const { return m_viewport; }
  SoGLRenderAction &action() { return *m_action; }

  // Clears to black and renders root.
  void render(SoNode *root);
  // The colour of a pixel, (0, 0) at the lower left.
  SbColor pixel(int x, int y);
  // Every pixel, row by row from the bottom.
  std::vector<SbColor> pixels();
  void makeCurrent();

private:
  SbViewportRegion m_viewport;
  std::unique_ptr<QOffscreenSurface> m_surface;
  std::unique_ptr<QOpenGLContext> m_context;
  std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
  std::unique_ptr<SoGLRenderAction> m_action;
  bool m_valid = false;
};

#endif
