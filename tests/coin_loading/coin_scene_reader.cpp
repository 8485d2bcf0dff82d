// A Coin program that knows nothing of BrennicQt: linked with Coin and Qt
// only, it reads a scene file and renders it off screen the way poview render
// does (same GL context and framebuffer, same headlight). Views in the file
// reach it only through Coin's on-demand loading of node classes.
//   coin_scene_reader SCENE.iv OUT.png WIDTH HEIGHT
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/system/gl.h>

#include <QGuiApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <cstdio>
#include <cstdlib>

namespace {

int fail(const char *what, const char *name) {
  std::fprintf(stderr, "coin_scene_reader: %s %s\n", what, name);
  return 1;
}

// What every Coin program that renders off screen with Qt asks for.
QSurfaceFormat surfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  return format;
}

QImage render(SoNode *root, int width, int height) {
  QOffscreenSurface surface;
  surface.setFormat(surfaceFormat());
  surface.create();
  QOpenGLContext context;
  context.setFormat(surfaceFormat());
  if (!context.create() || !context.makeCurrent(&surface)) return QImage();
  QImage picture(width, height, QImage::Format_RGB888);
  {
    QOpenGLFramebufferObject framebuffer(width, height,
                                         QOpenGLFramebufferObject::CombinedDepthStencil);
    if (!framebuffer.bind()) return QImage();
    glViewport(0, 0, width, height);
    glEnable(GL_DEPTH_TEST); // as a render area has it; Coin never enables it
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    SoGLRenderAction action{SbViewportRegion(short(width), short(height))};
    action.setCacheContext(SoGLCacheContextElement::getUniqueCacheContext());
    action.apply(root);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, picture.bits());
    framebuffer.release();
  }
  context.doneCurrent();
  return picture.mirrored(); // GL's rows go up, a picture's down
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 5) {
    std::fputs("usage: coin_scene_reader SCENE.iv OUT.png WIDTH HEIGHT\n", stderr);
    return 2;
  }
  QGuiApplication application(argc, argv);
  SoDB::init();
  SoNodeKit::init();
  SoInput input;
  if (!input.openFile(argv[1])) return fail("cannot open", argv[1]);
  SoSeparator *scene = SoDB::readAll(&input);
  if (!scene) return fail("cannot read", argv[1]);

  // Lit as poview lights it: a light ahead of every camera.
  SoSeparator *root = new SoSeparator;
  root->ref();
  SoDirectionalLight *headlight = new SoDirectionalLight;
  headlight->direction.setValue(1.0f, -1.0f, -10.0f);
  root->addChild(headlight);
  root->addChild(scene);

  const QImage picture = render(root, std::atoi(argv[3]), std::atoi(argv[4]));
  root->unref();
  if (picture.isNull()) return fail("cannot render", argv[1]);
  if (!picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) return fail("cannot write", argv[2]);
  return 0;
}
