#include "OffscreenRenderer.h"

#include "ToolError.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoGLCacheContextElement.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <GL/gl.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

QSurfaceFormat surfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile); // Coin draws fixed-function
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  return format;
}

void checkSizeFits(ImageSize size) {
  GLint maxRenderbuffer = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRenderbuffer);
  GLint maxViewport[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
  const int widthLimit = std::min<int>(maxRenderbuffer, maxViewport[0]);
  const int heightLimit = std::min<int>(maxRenderbuffer, maxViewport[1]);
  if (widthLimit > 0 && heightLimit > 0 &&
      (size.width > widthLimit || size.height > heightLimit))
    throw userError("--size " + std::to_string(size.width) + "x" + std::to_string(size.height) +
                    ": larger than this OpenGL driver can render (" +
                    std::to_string(widthLimit) + "x" + std::to_string(heightLimit) + ")");
}

} // namespace

QImage renderOffscreen(SoNode *root, ImageSize size, Colour background) {
  QOffscreenSurface surface;
  surface.setFormat(surfaceFormat());
  surface.create();
  QOpenGLContext context;
  context.setFormat(surfaceFormat());
  if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface))
    throw userError("cannot create an OpenGL context on this display");

  checkSizeFits(size);
  QOpenGLFramebufferObjectFormat bufferFormat;
  bufferFormat.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
  auto framebuffer =
      std::make_unique<QOpenGLFramebufferObject>(size.width, size.height, bufferFormat);
  if (!framebuffer->isValid() || !framebuffer->bind())
    throw userError("cannot create an off-screen framebuffer of " + std::to_string(size.width) +
                    "x" + std::to_string(size.height) + " pixels");

  glViewport(0, 0, size.width, size.height);
  // What an SoQt render area sets up before Coin draws: Coin's depth-buffer
  // element assumes depth testing is on and never enables it itself.
  glEnable(GL_DEPTH_TEST);
  glClearColor(background.red, background.green, background.blue, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

  SoGLRenderAction render(SbViewportRegion(static_cast<short>(size.width),
                                           static_cast<short>(size.height)));
  render.setCacheContext(SoGLCacheContextElement::getUniqueCacheContext());
  render.apply(root);
  glFinish();

  QImage image = framebuffer->toImage().convertToFormat(QImage::Format_RGB888);
  framebuffer->release();
  framebuffer.reset();
  context.doneCurrent();
  return image;
}
