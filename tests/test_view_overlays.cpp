// A view's label and axis triad on rendered pixels: where they are drawn,
// in which colours, how the triad turns with the camera, and that neither
// reaches outside its view or into picking and bounding boxes.
#include "PoOffscreenRenderer.h"
#include "PoSceneView.h"
#include "PoToX3DAction.h"
#include "PoView.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/nodes/SoBaseColor.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace {

// The view's rectangle in the window, in fractions.
const float kOrigin[2] = {0.25f, 0.2f};
const float kSize[2] = {0.5f, 0.6f};
const SbColor kMagenta(1.0f, 0.0f, 1.0f);
const SbColor kWhite(1.0f, 1.0f, 1.0f);

enum class Kind { FramedSceneView, SceneView, PlainView };

const char *kindName(Kind kind) {
  switch (kind) {
  case Kind::FramedSceneView: return "scene view with border";
  case Kind::SceneView: return "scene view";
  case Kind::PlainView: return "plain view";
  }
  return "";
}

// One view in the middle of the window: a grey cube on a dark grey
// background (a scene view's own, or the window's), a cyan border 3 pixels
// wide when framed; no colour an overlay draws with.
struct OverlayScene {
  OverlayScene(Kind kind, bool label, bool axes, bool magentaLabel) : root(new SoSeparator) {
    root->ref();
    SoSeparator *scene = new SoSeparator;
    SoLightModel *unlit = new SoLightModel;
    unlit->model = SoLightModel::BASE_COLOR;
    scene->addChild(unlit);
    SoBaseColor *grey = new SoBaseColor;
    grey->rgb.setValue(0.5f, 0.5f, 0.5f);
    scene->addChild(grey);
    scene->addChild(new SoCube);
    if (kind == Kind::PlainView) {
      PoView *plain = new PoView;
      view = plain;
      if (label) plain->label = "Front";
      plain->isAxesVisible = axes;
      if (magentaLabel) plain->setLabelColor(kMagenta);
      root->addChild(plain);
      root->addChild(scene);
    } else {
      PoSceneView *sceneView = new PoSceneView;
      view = sceneView;
      sceneView->isBackgroundVisible = TRUE;
      sceneView->setBackgroundColor(SbColor(0.2f, 0.2f, 0.2f));
      if (kind == Kind::FramedSceneView) {
        sceneView->isBorderVisible = TRUE;
        sceneView->setBorderColor(SbColor(0.0f, 1.0f, 1.0f));
        sceneView->setBorderWidth(3.0f);
      }
      if (label) sceneView->label = "Front";
      sceneView->isAxesVisible = axes;
      if (magentaLabel) sceneView->setLabelColor(kMagenta);
      sceneView->setPart("scene", scene);
      root->addChild(sceneView);
    }
    view->viewportOrigin.setValue(kOrigin[0], kOrigin[1]);
    view->viewportSize.setValue(kSize[0], kSize[1]);
    view->getCamera()->position.setValue(0.0f, 0.0f, 6.0f);
  }
  ~OverlayScene() { root->unref(); }
  OverlayScene(const OverlayScene &) = delete;
  OverlayScene &operator=(const OverlayScene &) = delete;

  SoSeparator *root;
  PoBaseView *view = nullptr;
};

// Pixels of a picture, x from the left and y from the bottom, as viewports
// count them.
struct Box {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // [x0, x1) x [y0, y1)
  bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

Box viewBox(const QImage &image) {
  auto edge = [](float fraction, int pixels) { return int(std::lround(fraction * pixels)); };
  return {edge(kOrigin[0], image.width()), edge(kOrigin[1], image.height()),
          edge(kOrigin[0] + kSize[0], image.width()), edge(kOrigin[1] + kSize[1], image.height())};
}

QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, image.height() - 1 - y); }

bool isColour(const QColor &pixel, const SbColor &colour, int tolerance) {
  return std::abs(pixel.red() - int(colour[0] * 255)) <= tolerance &&
         std::abs(pixel.green() - int(colour[1] * 255)) <= tolerance &&
         std::abs(pixel.blue() - int(colour[2] * 255)) <= tolerance;
}

// The pixels of one colour: how many, how many outside `region`, and the
// box around them.
struct ColourPixels {
  int count = 0, outside = 0;
  Box bounds{1 << 30, 1 << 30, -1, -1};
  int extent() const { return count ? std::max(bounds.x1 - bounds.x0, bounds.y1 - bounds.y0) : 0; }
};

ColourPixels find(const QImage &image, const SbColor &colour, const Box &region,
                  int tolerance = 40) {
  ColourPixels found;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (!isColour(at(image, x, y), colour, tolerance)) continue;
      ++found.count;
      if (!region.contains(x, y)) ++found.outside;
      found.bounds = {std::min(found.bounds.x0, x), std::min(found.bounds.y0, y),
                      std::max(found.bounds.x1, x + 1), std::max(found.bounds.y1, y + 1)};
    }
  return found;
}

QImage render(SoNode *root, int width, int height) {
  PoOffscreenRenderer renderer(width, height);
  return renderer.render(root).convertToFormat(QImage::Format_RGB888);
}

const SbColor kAxes[3] = {SbColor(1, 0, 0), SbColor(0, 1, 0), SbColor(0, 0, 1)};

// What a picked ray finds, in words that compare.
std::string pickAt(SoNode *root, const SbViewportRegion &window, int x, int y) {
  SoRayPickAction pick(window);
  pick.setPoint(SbVec2s(short(x), short(y)));
  pick.apply(root);
  const SoPickedPoint *point = pick.getPickedPoint();
  if (!point) return "nothing";
  const SbVec3f &p = point->getPoint();
  return std::string(point->getPath()->getTail()->getTypeId().getName().getString()) + " at " +
         std::to_string(std::lround(p[0] * 100)) + "," + std::to_string(std::lround(p[1] * 100)) +
         "," + std::to_string(std::lround(p[2] * 100));
}

SbBox3f boundsOf(SoNode *root, const SbViewportRegion &window) {
  SoGetBoundingBoxAction bounds(window);
  bounds.apply(root);
  return bounds.getBoundingBox();
}

} // namespace

// Views x overlay settings x window sizes: the label's pixels, in its
// colour, lie only in the top left of the view, the triad's three colours
// only in its lower left, the picture outside the view is the one without
// overlays, and picking and bounding boxes do not see them.
TEST(ViewOverlays, EachOverlayDrawsOnlyInItsCornerOfItsView) {
  struct Setting {
    bool label, axes, magentaLabel;
  };
  const Setting settings[] = {
      {true, false, true}, {false, true, false}, {true, true, false}, {false, false, false}};
  const int sizes[][2] = {{400, 300}, {517, 343}};
  for (Kind kind : {Kind::FramedSceneView, Kind::SceneView, Kind::PlainView})
    for (const Setting &setting : settings)
      for (const auto &size : sizes) {
        SCOPED_TRACE(testing::Message() << kindName(kind) << ", label " << setting.label
                                        << (setting.magentaLabel ? " (magenta)" : "")
                                        << ", axes " << setting.axes << ", " << size[0] << "x"
                                        << size[1]);
        const OverlayScene plain(kind, false, false, false);
        const OverlayScene shown(kind, setting.label, setting.axes, setting.magentaLabel);
        const QImage without = render(plain.root, size[0], size[1]);
        const QImage with = render(shown.root, size[0], size[1]);
        ASSERT_FALSE(with.isNull());
        const Box view = viewBox(with);
        const int inner = kind == Kind::FramedSceneView ? 3 : 0;
        const Box labelCorner{view.x0 + inner, view.y1 - 40, view.x0 + 100, view.y1 - inner};
        const Box triadCorner{view.x0 + inner, view.y0 + inner, view.x0 + 100, view.y0 + 100};

        const ColourPixels label =
            find(with, setting.magentaLabel ? kMagenta : kWhite, labelCorner, 60);
        EXPECT_EQ(label.count > 20, setting.label) << label.count << " label pixels";
        EXPECT_EQ(label.outside, 0);
        for (int axis = 0; axis < 3; ++axis) {
          const ColourPixels triad = find(with, kAxes[axis], triadCorner);
          // The z axis points at the viewer: its letter shows, its line does not.
          EXPECT_EQ(triad.count > 10, setting.axes) << "axis " << axis << ": " << triad.count;
          EXPECT_EQ(triad.outside, 0) << "axis " << axis;
        }

        int changedOutside = 0, changed = 0;
        for (int y = 0; y < with.height(); ++y)
          for (int x = 0; x < with.width(); ++x) {
            if (at(with, x, y) == at(without, x, y)) continue;
            ++changed;
            if (!view.contains(x, y)) ++changedOutside;
          }
        EXPECT_EQ(changedOutside, 0);
        EXPECT_EQ(changed > 0, setting.label || setting.axes);

        const SbViewportRegion window{short(size[0]), short(size[1])};
        const int probes[][2] = {{(view.x0 + view.x1) / 2, (view.y0 + view.y1) / 2},
                                 {labelCorner.x0 + 12, labelCorner.y1 - 12},
                                 {triadCorner.x0 + 40, triadCorner.y0 + 40}};
        for (const auto &probe : probes)
          EXPECT_EQ(pickAt(shown.root, window, probe[0], probe[1]),
                    pickAt(plain.root, window, probe[0], probe[1]))
              << "at " << probe[0] << ", " << probe[1];
        EXPECT_EQ(boundsOf(shown.root, window).getMin(), boundsOf(plain.root, window).getMin());
        EXPECT_EQ(boundsOf(shown.root, window).getMax(), boundsOf(plain.root, window).getMax());
      }
}

// The triad follows the camera: turned 90 degrees about y, the camera looks
// along -x, so the red x axis points at the viewer and shrinks to its letter
// while the blue z axis lies across the view.
TEST(ViewOverlays, TriadTurnsWithTheCamera) {
  for (Kind kind : {Kind::FramedSceneView, Kind::PlainView}) {
    SCOPED_TRACE(kindName(kind));
    const OverlayScene scene(kind, false, true, false);
    QImage before = render(scene.root, 400, 300);
    const Box corner{viewBox(before).x0, viewBox(before).y0, viewBox(before).x0 + 100,
                     viewBox(before).y0 + 100};
    const int redBefore = find(before, kAxes[0], corner).extent();
    const int blueBefore = find(before, kAxes[2], corner).extent();

    SoCamera *camera = scene.view->getCamera();
    camera->orientation.setValue(SbVec3f(0, 1, 0), float(M_PI / 2));
    camera->position.setValue(6.0f, 0.0f, 0.0f);
    const QImage after = render(scene.root, 400, 300);
    const int redAfter = find(after, kAxes[0], corner).extent();
    const int blueAfter = find(after, kAxes[2], corner).extent();

    // An axis across the view is 22 pixels long, and its letter beyond it;
    // a letter alone is 8 pixels high.
    EXPECT_GE(redBefore, 30);
    EXPECT_LE(blueBefore, 12);
    EXPECT_LE(redAfter, 12);
    EXPECT_GE(blueAfter, 30);
  }
}

// The label and the triad are drawn after the scene, over it: a scene that
// fills the whole view leaves them visible.
TEST(ViewOverlays, OverlaysLieOverTheScene) {
  const OverlayScene scene(Kind::FramedSceneView, true, true, true);
  scene.view->getCamera()->position.setValue(0.0f, 0.0f, 0.9f); // inside the cube's face
  const QImage image = render(scene.root, 400, 300);
  const Box view = viewBox(image);
  EXPECT_GT(find(image, kMagenta, view, 60).count, 20);
  for (const SbColor &colour : kAxes) EXPECT_GT(find(image, colour, view).count, 10);
}

// Labels a file may hold: megabytes of text, bytes that are no UTF-8,
// control characters, lines and nothing else. The render sets a bounded
// piece of text in the view's corner, and the X3D export writes a document
// an XML reader takes whole.
TEST(ViewOverlays, HostileLabelsStayInTheirCornerAndInTheirFile) {
  const std::string labels[] = {std::string(1 << 20, 'W'), std::string("\xff\xfe\xc3(\xe2\x82", 7),
                                std::string("a\x01\x02\x1b[31mb\x7f", 11), "\n\n\n", "</X3D>&amp;'\""};
  for (const std::string &text : labels) {
    SCOPED_TRACE(text.size() > 40 ? std::string("a long label") : text);
    const OverlayScene plain(Kind::FramedSceneView, false, false, false);
    const OverlayScene scene(Kind::FramedSceneView, false, false, false);
    static_cast<PoSceneView *>(scene.view)->label.setValue(text.c_str());
    const QImage without = render(plain.root, 400, 300);
    const QImage with = render(scene.root, 400, 300);
    ASSERT_FALSE(with.isNull());
    const Box view = viewBox(with);
    for (int y = 0; y < with.height(); ++y)
      for (int x = 0; x < with.width(); ++x) {
        if (at(with, x, y) == at(without, x, y)) continue;
        ASSERT_TRUE(x >= view.x0 && x < view.x1 && y >= view.y1 - 40 && y < view.y1)
            << "changed at " << x << ", " << y;
      }

    PoToX3DAction action;
    action.setEncoding(PoToX3DAction::XML);
    action.apply(scene.root);
    QXmlStreamReader xml(QByteArray::fromStdString(action.getX3DText()));
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  }
}
