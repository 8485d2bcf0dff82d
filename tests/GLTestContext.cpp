#include "GLTestContext.h"

#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/system/gl.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

GLTestContext::GLTestContext(short width, short height)
    : m_viewport(width, height), m_surface(new QOffscreenSurface),
      m_context(new QOpenGLContext) {
  QSurfaceFormat format;
  format.setDepthBufferSize(24);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  m_surface->setFormat(format);
  m_surface->create();
  m_context->setFormat(format);
  if (!m_context->create() || !m_context->makeCurrent(m_surface.get())) return;
  m_framebuffer.reset(new QOpenGLFramebufferObject(
      width, height, QOpenGLFramebufferObject::CombinedDepthStencil));
  if (!m_framebuffer->isValid() || !m_framebuffer->bind()) return;
  m_action.reset(new SoGLRenderAction(m_viewport));
  m_action->setCacheContext(SoGLCacheContextElement::getUniqueCacheContext());
  m_valid = true;
}

GLTestContext::~GLTestContext() {
  if (m_context && m_surface) m_context->makeCurrent(m_surface.get());
  m_action.reset();
  m_framebuffer.reset();
  if (m_context) m_context->doneCurrent();
}

void GLTestContext::makeCurrent() {
  m_context->makeCurrent(m_surface.get());
  m_framebuffer->bind();
}

void GLTestContext::render(SoNode *root) {
  makeCurrent();
  glDisable(GL_SCISSOR_TEST);
  glViewport(0, 0, m_viewport.getWindowSize()[0], m_viewport.getWindowSize()[1]);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  m_action->apply(root);
  glFinish();
}

SbColor GLTestContext::pixel(int x, int y) {
  makeCurrent();
  unsigned char rgba[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return SbColor(rgba[0] / 255.0f, rgba[1] / 255.0f, rgba[2] / 255.0f);
}

std::vector<SbColor> GLTestContext::pixels() {
  makeCurrent();
  const int width = m_viewport.getWindowSize()[0], height = m_viewport.getWindowSize()[1];
  std::vector<unsigned char> rgba(size_t(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::vector<SbColor> colours(size_t(width) * height);
  for (size_t i = 0; i < colours.size(); ++i)
    colours[i].setValue(rgba[4 * i] / 255.0f, rgba[4 * i + 1] / 255.0f, rgba[4 * i + 2] / 255.0f);
  return colours;
}
