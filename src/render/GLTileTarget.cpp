#include "GLTileTarget.h"

#include "PixelText.h"

#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/misc/SoContextHandler.h>
#include <Inventor/system/gl.h>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <algorithm>

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

} // namespace

GLTileTarget::GLTileTarget() = default;

GLTileTarget::~GLTileTarget() {
  if (!m_context) return;
  if (m_context->makeCurrent(m_surface.get())) {
    // Coin's display lists and textures of this context go with it.
    if (m_cacheContext) SoContextHandler::destructingContext(m_cacheContext);
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

bool GLTileTarget::beginTile(int width, int height, const SbColor &background) {
  if (!m_framebuffer || m_framebuffer->width() < width || m_framebuffer->height() < height) {
    const int bufferWidth = std::max(width, m_framebuffer ? m_framebuffer->width() : 0);
    const int bufferHeight = std::max(height, m_framebuffer ? m_framebuffer->height() : 0);
    m_framebuffer.reset();
    m_framebuffer.reset(new QOpenGLFramebufferObject(
        bufferWidth, bufferHeight, QOpenGLFramebufferObject::CombinedDepthStencil));
    if (!m_framebuffer->isValid()) {
      m_framebuffer.reset();
      m_error = "cannot create an off-screen framebuffer of " +
                sizeText(bufferWidth, bufferHeight) + " pixels";
      return false;
    }
  }
  if (!m_framebuffer->bind()) {
    m_error = "cannot bind the off-screen framebuffer";
    return false;
  }
  // A view's portion path leaves the scissor test on; the clear must reach
  // the whole tile.
  glDisable(GL_SCISSOR_TEST);
  glViewport(0, 0, width, height);
  // What an SoQt render area sets up before Coin draws: Coin's depth-buffer
  // element assumes depth testing is on and never enables it itself.
  glEnable(GL_DEPTH_TEST);
  glClearColor(background[0], background[1], background[2], 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  return true;
}

void GLTileTarget::readTile(int width, int height, unsigned char *destination, int rowLength) {
  glFinish();
  // Rows go straight into place: with 4-byte alignment GL steps from row to
  // row as QImage lays out RGB888 lines.
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, rowLength);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, destination);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
}
