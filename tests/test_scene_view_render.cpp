// Four scene views in the quadrants of a non-square window, rendered with
// Coin's GL render action and read back pixel by pixel, then picked.
#include "GLTestContext.h"
#include "SceneViewTestAccess.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoPath.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 400;
constexpr unsigned kObject = 0xFFFF00; // yellow
constexpr unsigned kBorder = 0xFFFFFF;
// Background colours of the lower-left, lower-right, upper-left and
// upper-right views.
constexpr unsigned kBackgrounds[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF00FF};

std::string hex(unsigned colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", colour);
  return text;
}

std::string colourSpec(unsigned colour) {
  char text[64];
  std::snprintf(text, sizeof text, "diffuseColor %g %g %g", ((colour >> 16) & 0xFF) / 255.0,
                ((colour >> 8) & 0xFF) / 255.0, (colour & 0xFF) / 255.0);
  return text;
}

// The pixel rectangle of quadrant q: [x0, x1) x [y0, y1).
struct Rect {
  int x0, y0, x1, y1;
};
Rect quadrant(int q) {
  const int w = kWidth / 2, h = kHeight / 2;
  return {(q % 2) * w, (q / 2) * h, (q % 2) * w + w, (q / 2) * h + h};
}

class QuadrantScene {
public:
  explicit QuadrantScene(bool borders) : m_root(new SoSeparator) {
    m_root->ref();
    for (int q = 0; q < 4; ++q) {
      PoSceneView *view = new PoSceneView;
      m_root->addChild(view);
      m_views[q] = view;
      view->viewportOrigin.setValue(0.5f * (q % 2), 0.5f * (q / 2));
      view->viewportSize.setValue(0.5f, 0.5f);
      view->isBackgroundVisible = TRUE;
      view->set("backgroundApp.material", colourSpec(kBackgrounds[q]).c_str());
      if (borders) {
        view->isBorderVisible = TRUE;
        view->set("borderApp.material", colourSpec(kBorder).c_str());
        view->set("borderApp.lightModel", "model BASE_COLOR");
        // The lines lie exactly on the viewport's edges. Mesa lights the
        // pixels left of and below such a line, outside the viewport for its
        // left and bottom edges, where the GL update area cuts them off; two
        // pixels wide they show on all four edges.
        view->set("borderApp.drawStyle", "lineWidth 2");
      }
      // One small unlit cube in front of the view's camera.
      view->set("cameraKit.camera", "position 0 0 5");
      SoGroup *scene = static_cast<SoGroup *>(view->getPart("scene", TRUE));
      SoLightModel *unlit = new SoLightModel;
      unlit->model = SoLightModel::BASE_COLOR;
      SoMaterial *material = new SoMaterial;
      material->diffuseColor.setValue(1, 1, 0);
      SoCube *cube = new SoCube;
      cube->width = cube->height = cube->depth = 1.0f;
      scene->addChild(unlit);
      scene->addChild(material);
      scene->addChild(cube);
      m_cubes[q] = cube;
    }
  }
  ~QuadrantScene() { m_root->unref(); }
  QuadrantScene(const QuadrantScene &) = delete;
  QuadrantScene &operator=(const QuadrantScene &) = delete;

  SoSeparator *root() const { return m_root; }
  PoSceneView *view(int q) const { return m_views[q]; }
  SoCube *cube(int q) const { return m_cubes[q]; }

private:
  SoSeparator *m_root;
  PoSceneView *m_views[4];
  SoCube *m_cubes[4];
};

// A frame rendered and read back at once; colours as 0xRRGGBB, (0, 0) at the
// lower left.
class Frame {
public:
  Frame(GLTestContext &gl, SoNode *root) {
    gl.render(root);
    m_pixels = gl.pixels();
  }
  unsigned rgb(int x, int y) const {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return 0xFFFFFFFFu;
    const SbColor &c = m_pixels[std::size_t(y) * kWidth + x];
    return unsigned(c[0] * 255 + 0.5f) << 16 | unsigned(c[1] * 255 + 0.5f) << 8 |
           unsigned(c[2] * 255 + 0.5f);
  }

private:
  std::vector<SbColor> m_pixels;
};

// What a ray pick at pixel (x, y), counted from the lower left, hits: null
// for nothing, one of the scene's cubes, or else the tail of the picked path.
SoNode *pickAt(const QuadrantScene &scene, int x, int y) {
  SoRayPickAction pick{SbViewportRegion(short(kWidth), short(kHeight))};
  pick.setPoint(SbVec2s(short(x), short(y)));
  pick.setRadius(1.0f);
  pick.apply(scene.root());
  const SoPickedPoint *point = pick.getPickedPoint();
  if (!point) return nullptr;
  // Kit parts are hidden in the path's public part; the search sees them.
  for (int q = 0; q < 4; ++q)
    if (point->getPath()->containsNode(scene.cube(q))) return scene.cube(q);
  return point->getPath()->getTail();
}

} // namespace

TEST(SceneViewRender, BackgroundsFillTheirQuadrantsExactlyBehindTheObject) {
  GLTestContext context(kWidth, kHeight);
  ASSERT_TRUE(context.isValid());
  QuadrantScene scene(false);
  const Frame gl(context, scene.root());

  for (int q = 0; q < 4; ++q) {
    SCOPED_TRACE("quadrant " + std::to_string(q));
    const Rect r = quadrant(q);
    const int cx = (r.x0 + r.x1) / 2, cy = (r.y0 + r.y1) / 2;
    // The object shows in front of the background at the view's centre.
    EXPECT_EQ(hex(gl.rgb(cx, cy)), hex(kObject));
    // Every pixel of the quadrant is either background or object, up to and
    // including its outermost rows and columns; the object stays in the middle.
    int background = 0, object = 0, other = 0;
    for (int y = r.y0; y < r.y1; ++y)
      for (int x = r.x0; x < r.x1; ++x) {
        const unsigned c = gl.rgb(x, y);
        const bool nearEdge = x < r.x0 + 20 || x >= r.x1 - 20 || y < r.y0 + 20 || y >= r.y1 - 20;
        if (c == kBackgrounds[q]) ++background;
        else if (c == kObject && !nearEdge) ++object;
        else ++other;
      }
    EXPECT_EQ(other, 0);
    EXPECT_GT(object, 0);
    EXPECT_GT(background, object);
    for (int x = r.x0; x < r.x1; ++x) {
      EXPECT_EQ(gl.rgb(x, r.y0), kBackgrounds[q]) << x;
      EXPECT_EQ(gl.rgb(x, r.y1 - 1), kBackgrounds[q]) << x;
    }
    for (int y = r.y0; y < r.y1; ++y) {
      EXPECT_EQ(gl.rgb(r.x0, y), kBackgrounds[q]) << y;
      EXPECT_EQ(gl.rgb(r.x1 - 1, y), kBackgrounds[q]) << y;
    }
  }
}

TEST(SceneViewRender, BordersRunAlongTheFourEdgesOfEachViewport) {
  GLTestContext context(kWidth, kHeight);
  ASSERT_TRUE(context.isValid());
  QuadrantScene scene(true);
  const Frame gl(context, scene.root());

  for (int q = 0; q < 4; ++q) {
    SCOPED_TRACE("quadrant " + std::to_string(q));
    const Rect r = quadrant(q);
    // A line on an edge of the viewport lights the pixel row or column on
    // one side of that edge or the other; the viewport's own is checked
    // first, then the neighbour's.
    auto onEdge = [&](int x, int y, int dx, int dy) {
      return gl.rgb(x, y) == kBorder || gl.rgb(x + dx, y + dy) == kBorder;
    };
    int missing[4] = {0, 0, 0, 0}; // bottom, top, left, right
    for (int x = r.x0 + 2; x < r.x1 - 2; ++x) {
      missing[0] += !onEdge(x, r.y0, 0, -1);
      missing[1] += !onEdge(x, r.y1 - 1, 0, 1);
    }
    for (int y = r.y0 + 2; y < r.y1 - 2; ++y) {
      missing[2] += !onEdge(r.x0, y, -1, 0);
      missing[3] += !onEdge(r.x1 - 1, y, 1, 0);
    }
    EXPECT_EQ(missing[0], 0) << "bottom";
    EXPECT_EQ(missing[1], 0) << "top";
    EXPECT_EQ(missing[2], 0) << "left";
    EXPECT_EQ(missing[3], 0) << "right";
    // Two pixels in from the edges it is background again, and the object
    // still shows at the centre.
    const int cx = (r.x0 + r.x1) / 2, cy = (r.y0 + r.y1) / 2;
    EXPECT_EQ(hex(gl.rgb(r.x0 + 2, cy)), hex(kBackgrounds[q]));
    EXPECT_EQ(hex(gl.rgb(r.x1 - 3, cy)), hex(kBackgrounds[q]));
    EXPECT_EQ(hex(gl.rgb(cx, r.y0 + 2)), hex(kBackgrounds[q]));
    EXPECT_EQ(hex(gl.rgb(cx, r.y1 - 3)), hex(kBackgrounds[q]));
    EXPECT_EQ(hex(gl.rgb(cx, cy)), hex(kObject));
  }
}

TEST(SceneViewRender, PicksHitTheObjectButNeverADecoration) {
  QuadrantScene scene(true);
  for (int q = 0; q < 4; ++q) {
    SCOPED_TRACE("quadrant " + std::to_string(q));
    const Rect r = quadrant(q);
    const int cx = (r.x0 + r.x1) / 2, cy = (r.y0 + r.y1) / 2;
    EXPECT_EQ(pickAt(scene, cx, cy), scene.cube(q));
    // Background, well away from the object.
    EXPECT_EQ(pickAt(scene, r.x0 + 10, r.y0 + 10), nullptr);
    EXPECT_EQ(pickAt(scene, r.x1 - 10, cy), nullptr);
    // Border lines, on the viewport's edges.
    EXPECT_EQ(pickAt(scene, r.x0, cy), nullptr);
    EXPECT_EQ(pickAt(scene, cx, r.y1 - 1), nullptr);
  }
}

// A view without pixels on an axis draws nothing, its decorations included:
// a border squeezed onto no width must not leave a line.
TEST(SceneViewRender, ViewsWithoutPixelsDrawNoDecorations) {
  const SbVec2f sizes[] = {SbVec2f(0, 1), SbVec2f(1, 0), SbVec2f(0, 0), SbVec2f(0.001f, 0.5f)};
  GLTestContext gl(200, 100);
  ASSERT_TRUE(gl.isValid());
  for (const SbVec2f &size : sizes) {
    SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
    SceneViewRef view;
    view->viewportOrigin.setValue(0.5f, 0.25f);
    view->viewportSize.setValue(size);
    view->isBackgroundVisible = TRUE;
    view->isBorderVisible = TRUE;
    view->setBackgroundColor(SbColor(1, 0, 0));
    view->setBorderColor(SbColor(1, 1, 1));
    view->setBorderWidth(3);
    gl.render(view.get());
    int lit = 0;
    for (const SbColor &colour : gl.pixels()) lit += colour != SbColor(0, 0, 0);
    EXPECT_EQ(lit, 0);
  }
}
