#include "GLTileTarget.h"

#include "PixelText.h"

#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/system/gl.h>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

QSurfaceFormat surfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile); // Coin draws fixed-function
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  return format;
}

// The framebuffer's colour buffer is a texture and its depth a renderbuffer;
// both, and the viewport, must take the tile.
int queryDriverLimit() {
  GLint texture = 0, renderbuffer = 0, viewport[2] = {0, 0};
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  return std::max(0, std::min({texture, renderbuffer, viewport[0], viewport[1]}));
}

long long areaOf(int width, int height) { return (long long)width * height; }

// GL hands out four bytes a pixel faster than three (Mesa converts RGB a
// pixel at a time). Four RGBA pixels become three words of RGB here.
void rgbaToRgb(const unsigned char *from, unsigned char *to, int pixels) {
  int pixel = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  for (; pixel + 4 <= pixels; pixel += 4, from += 16, to += 12) {
    uint32_t rgba[4];
    std::memcpy(rgba, from, sizeof rgba);
    const uint32_t rgb[3] = {(rgba[0] & 0xffffffu) | rgba[1] << 24,
                             (rgba[1] >> 8 & 0xffffu) | rgba[2] << 16,
                             (rgba[2] >> 16 & 0xffu) | rgba[3] << 8};
    std::memcpy(to, rgb, sizeof rgb);
  }
#endif
  for (; pixel < pixels; ++pixel, from += 4, to += 3) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
  }
}

} // namespace

GLTileTarget::GLTileTarget() = default;

GLTileTarget::~GLTileTarget() {
  if (!m_context) return;
  // A renderer may outlive the application (a Python script's globals go in
  // any order at exit). The application's end closed the display the context
  // lives on, and Qt would crash destroying it; the process's end frees it.
  if (!QGuiApplication::instance()) {
    m_framebuffer.release();
    m_context.release();
    m_surface.release();
    return;
  }
  // The display lists and textures Coin made in this context go with it. Not
  // telling Coin (SoContextHandler::destructingContext) keeps its record of
  // the context until exit, where telling it would lose that record: Coin 4
  // frees the entry but not the record itself.
  if (m_context->makeCurrent(m_surface.get())) {
    m_framebuffer.reset();
    m_context->doneCurrent();
  }
}

bool GLTileTarget::makeCurrent() {
  if (!m_context) {
    if (!QGuiApplication::instance()) {
      m_error = "no QGuiApplication: call SoQt::init or make one first";
      return false;
    }
    m_surface.reset(new QOffscreenSurface);
    m_surface->setFormat(surfaceFormat());
    m_surface->create();
    m_context.reset(new QOpenGLContext);
    m_context->setFormat(surfaceFormat());
    if (!m_surface->isValid() || !m_context->create()) {
      m_error = "cannot create an OpenGL context on this display";
      return false;
    }
  }
  if (!m_context->makeCurrent(m_surface.get())) {
    m_error = "cannot make the OpenGL context current";
    return false;
  }
  if (!m_cacheContext) {
    m_driverLimit = queryDriverLimit();
    m_cacheContext = SoGLCacheContextElement::getUniqueCacheContext();
  }
  return true;
}

void GLTileTarget::doneCurrent() {
  if (m_framebuffer) m_framebuffer->release();
  if (m_context) m_context->doneCurrent();
}

bool GLTileTarget::reserve(int width, int height) {
  // One much larger than the tiles would be cleared and kept for nothing.
  if (m_framebuffer && m_framebuffer->width() >= width && m_framebuffer->height() >= height &&
      areaOf(m_framebuffer->width(), m_framebuffer->height()) <= 2 * areaOf(width, height))
    return true;
  m_framebuffer.reset();
  m_framebuffer.reset(
      new QOpenGLFramebufferObject(width, height, QOpenGLFramebufferObject::CombinedDepthStencil));
  if (m_framebuffer->isValid()) return true;
  m_framebuffer.reset();
  m_error = "cannot create an off-screen framebuffer of " + sizeText(width, height) + " pixels";
  return false;
}

bool GLTileTarget::beginTile(int width, int height, const SbColor &background) {
  QOpenGLFramebufferObject &framebuffer = *m_framebuffer;
  if (!framebuffer.bind()) {
    m_error = "cannot bind the off-screen framebuffer";
    return false;
  }
  glViewport(0, 0, width, height);
  // What an SoQt render area sets up before Coin draws: Coin's depth-buffer
  // element assumes depth testing is on and never enables it itself.
  glEnable(GL_DEPTH_TEST);
  glClearColor(background[0], background[1], background[2], 1.0f);
  // A view's portion path leaves the scissor test on with its own box. A
  // clear of the whole framebuffer is GL's fast one; a tile much smaller
  // than the framebuffer clears its own pixels only.
  const bool small = 2 * areaOf(width, height) < areaOf(framebuffer.width(), framebuffer.height());
  if (small) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, width, height);
  } else {
    glDisable(GL_SCISSOR_TEST);
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  return true;
}

void GLTileTarget::readTile(int x, int y, int width, int height, unsigned char *bottomRow,
                            std::ptrdiff_t bytesPerLine) {
  const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
  if (m_readBuffer.size() < bytes) m_readBuffer.resize(bytes);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, m_readBuffer.data());
  for (int row = 0; row < height; ++row)
    rgbaToRgb(m_readBuffer.data() + std::size_t(row) * width * 4, bottomRow + row * bytesPerLine,
              width);
}
