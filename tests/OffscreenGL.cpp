#include "OffscreenGL.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoGLCacheContextElement.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

OffscreenGL::OffscreenGL(int width, int height)
    : m_width(width), m_height(height), m_valid(false),
      m_cacheContext(SoGLCacheContextElement::getUniqueCacheContext()) {
  QSurfaceFormat format;
  format.setDepthBufferSize(24);
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  m_surface.reset(new QOffscreenSurface);
  m_surface->setFormat(format);
  m_surface->create();
  m_context.reset(new QOpenGLContext);
  m_context->setFormat(format);
  if (!m_context->create() || !m_context->makeCurrent(m_surface.get())) return;
  QOpenGLFramebufferObjectFormat fboFormat;
  fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
  m_framebuffer.reset(new QOpenGLFramebufferObject(width, height, fboFormat));
  m_valid = m_framebuffer->isValid();
}

OffscreenGL::~OffscreenGL() {
  if (m_context) m_context->makeCurrent(m_surface.get());
  m_framebuffer.reset();
  if (m_context) m_context->doneCurrent();
}

void OffscreenGL::render(SoNode *root) {
  if (!m_valid) return;
  m_context->makeCurrent(m_surface.get());
  m_framebuffer->bind();
  QOpenGLFunctions *gl = m_context->functions();
  gl->glViewport(0, 0, m_width, m_height);
  gl->glDisable(GL_SCISSOR_TEST);
  gl->glClearColor(0, 0, 0, 1);
  gl->glClearDepthf(1);
  gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SoGLRenderAction action{SbViewportRegion(short(m_width), short(m_height))};
  action.setCacheContext(m_cacheContext);
  action.apply(root);
  gl->glFinish();
  m_image = m_framebuffer->toImage();
  m_framebuffer->release();
}

unsigned OffscreenGL::rgb(int x, int y) const {
  if (m_image.isNull() || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0xFFFFFFFFu;
  return m_image.pixel(x, m_height - 1 - y) & 0xFFFFFFu;
}
