// Pictures rendered in tiles, and single tiles of larger pictures: cameras
// draw the part of their volume a render covers, so tiles put side by side
// are the picture rendered whole.
#include "BorderLayouts.h"
#include "CameraViewVolume.h"
#include "GLTestContext.h"
#include "PictureMatch.h"
#include "PoOffscreenRenderer.h"
#include "SceneFiles.h"
#include "SceneViewTestAccess.h"
#include "SoModifyViewVolumeElement.h"
#include "TileNode.h"

#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoDrawStyle.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoLineSet.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoPointSet.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoTranslation.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string example(const char *name) {
  std::ifstream file(std::string(BRENNICQT_EXAMPLES_DIR "/") + name);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Every viewport mapping, on views and cameras of both kinds.
const char *const kCameraMappings = R"(#Inventor V2.1 ascii
Separator {
  DirectionalLight { direction 0 0 -1 }
  Separator {
    PoView { viewportSize 0.5 0.5 cameraKit CameraKit { camera PerspectiveCamera {
      position 0 0 5 viewportMapping CROP_VIEWPORT_FILL_FRAME } } }
    Cone { }
  }
  Separator {
    PoView { viewportOrigin 0.5 0 viewportSize 0.5 0.5 cameraKit CameraKit { camera
      OrthographicCamera { position 0 0 5 height 3 viewportMapping CROP_VIEWPORT_LINE_FRAME
                           aspectRatio 0.5 } } }
    Sphere { }
  }
  Separator {
    PoView { viewportOrigin 0 0.5 viewportSize 0.5 0.5 cameraKit CameraKit { camera
      PerspectiveCamera { position 0 0 5 viewportMapping LEAVE_ALONE aspectRatio 2 } } }
    Cube { }
  }
  Separator {
    PoView { viewportOrigin 0.5 0.5 viewportSize 0.5 0.5 cameraKit CameraKit { camera
      OrthographicCamera { position 0 0 5 height 3 viewportMapping CROP_VIEWPORT_NO_FRAME
                           aspectRatio 2 } } }
    Cylinder { }
  }
})";

// Unlit geometry seen through the window's own camera, which comes from C++
// rather than from a file: a red cube on the left, a blue one on the right.
SoSeparator *windowCameraScene(SoCamera *camera) {
  auto *root = new SoSeparator;
  camera->position.setValue(0, 0, 6);
  root->addChild(camera);
  auto *unlit = new SoLightModel;
  unlit->model = SoLightModel::BASE_COLOR;
  root->addChild(unlit);
  for (int side = 0; side < 2; ++side) {
    auto *item = new SoSeparator;
    auto *move = new SoTranslation;
    move->translation.setValue(side ? 1.5f : -1.5f, 0.5f * side, 0);
    auto *material = new SoMaterial;
    material->diffuseColor.setValue(side ? 0 : 1, 0, side ? 1 : 0);
    item->addChild(move);
    item->addChild(material);
    item->addChild(new SoCube);
    root->addChild(item);
  }
  return root;
}

// A scene view crossed by wide lines every few pixels and dotted with wide
// points: some of them lie just beyond the edge of any tile.
SoSeparator *wideLinesAndPoints() {
  auto *root = new SoSeparator;
  auto *view = new PoSceneView;
  auto *camera = new SoOrthographicCamera;
  camera->position.setValue(0, 0, 5);
  camera->height = 2.0f;
  view->setPart("cameraKit.camera", camera);
  auto *scene = static_cast<SoGroup *>(view->getPart("scene", TRUE));
  auto *unlit = new SoLightModel;
  unlit->model = SoLightModel::BASE_COLOR;
  scene->addChild(unlit);
  auto *style = new SoDrawStyle;
  style->lineWidth = 5.0f;
  style->pointSize = 9.0f;
  scene->addChild(style);
  auto *points = new SoCoordinate3;
  auto *lines = new SoLineSet;
  for (int i = 0; i < 40; ++i) {
    const float y = -1.0f + i * 0.0513f, x = -1.3f + i * 0.0651f;
    points->point.set1Value(4 * i, SbVec3f(-1.5f, y, 0));
    points->point.set1Value(4 * i + 1, SbVec3f(1.5f, y, 0));
    points->point.set1Value(4 * i + 2, SbVec3f(x, -1.5f, 0));
    points->point.set1Value(4 * i + 3, SbVec3f(x, 1.5f, 0));
    lines->numVertices.set1Value(2 * i, 2);
    lines->numVertices.set1Value(2 * i + 1, 2);
  }
  scene->addChild(points);
  scene->addChild(lines);
  auto *dots = new SoCoordinate3;
  for (int i = 0; i < 60; ++i)
    dots->point.set1Value(i, SbVec3f(-1.2f + i * 0.0417f, 0.9f - i * 0.0311f, 0));
  scene->addChild(dots);
  scene->addChild(new SoPointSet);
  root->addChild(view);
  return root;
}

// Renders with the context's own action, which narrows its cameras to the
// portion in force as PoOffscreenRenderer's does.
void renderNarrowed(GLTestContext &gl, SoNode *root) {
  CameraViewVolume::GLRenderCameras cameras(gl.action());
  gl.render(root);
  cameras.renderDone();
}

QImage imageOf(GLTestContext &gl) {
  const SbVec2s size = gl.viewport().getWindowSize();
  const std::vector<SbColor> pixels = gl.pixels();
  QImage image(size[0], size[1], QImage::Format_RGB888);
  for (int y = 0; y < size[1]; ++y)
    for (int x = 0; x < size[0]; ++x) {
      const SbColor &c = pixels[std::size_t(y) * size[0] + x];
      image.setPixel(x, size[1] - 1 - y,
                     qRgb(int(c[0] * 255 + 0.5f), int(c[1] * 255 + 0.5f), int(c[2] * 255 + 0.5f)));
    }
  return image;
}

// Columns [x0, x1) of a picture.
QImage columns(const QImage &image, int x0, int x1) {
  return image.copy(x0, 0, x1 - x0, image.height());
}

} // namespace

// Scenes x tilings x modes: the tiles put together are the picture rendered
// whole (see PictureMatch.h for the tolerance). One renderer per scene renders
// them all in turn, so render caches are kept from tile to tile.
TEST(TiledRendering, TilesPutTogetherAreThePictureRenderedWhole) {
  struct Scene {
    const char *name;
    SoSeparator *root;
  };
  const Scene scenes[] = {
      {"four_quadrants.iv", readScene(example("four_quadrants.iv"))},
      {"inset.iv", readScene(example("inset.iv"))},
      {"side_by_side.iv", readScene(example("side_by_side.iv"))},
      {"every viewport mapping", readScene(kCameraMappings)},
      {"window's perspective camera", windowCameraScene(new SoPerspectiveCamera)},
      {"window's orthographic camera", windowCameraScene(new SoOrthographicCamera)},
  };
  const int tilings[][2] = {{2, 2}, {3, 2}, {4, 1}, {1, 3}};
  for (const Scene &scene : scenes) {
    SCOPED_TRACE(scene.name);
    ASSERT_NE(scene.root, nullptr);
    const HeldScene held(scene.root);
    for (auto mode : {PoOffscreenRenderer::STANDARD, PoOffscreenRenderer::LOGICAL_VIEWPORT}) {
      SCOPED_TRACE(mode == PoOffscreenRenderer::STANDARD ? "standard" : "logical viewport");
      PoOffscreenRenderer renderer(900, 500);
      renderer.setMode(mode);
      const QImage whole = renderer.render(held.root());
      ASSERT_FALSE(whole.isNull()) << renderer.getLastError();
      for (const auto &tiling : tilings) {
        SCOPED_TRACE(testing::Message() << tiling[0] << "x" << tiling[1]);
        std::string why;
        EXPECT_TRUE(matchesWhole(whole, renderer.render(held.root(), tiling[0], tiling[1]), &why))
            << why;
      }
    }
  }
}

// Odd picture sizes x tile grids x scenes with borders x modes, and lines
// scaled for a poster: tiles put together are the picture rendered whole,
// borders on the same pixels (see PictureMatch.h for the tolerance).
TEST(TiledRendering, AnyGridAtOddSizesGivesTheWholePicture) {
  struct Scene {
    const char *name;
    SoSeparator *root;
    float lineWidthScale;
  };
  const Scene scenes[] = {
      {"four_quadrants.iv", readScene(example("four_quadrants.iv")), 1.0f},
      // Labels and axis triads, one axis at 45 degrees on the screen.
      {"four_quadrants.iv, lines scaled 2.5", readScene(example("four_quadrants.iv")), 2.5f},
      {"inset.iv", readScene(example("inset.iv")), 1.0f},
      {"side_by_side.iv", readScene(example("side_by_side.iv")), 1.0f},
      {"CAD layout", cadLayout(), 1.0f},
      {"CAD layout, lines scaled 2.5", cadLayout(), 2.5f},
      {"wide lines and points, lines scaled 2.5", wideLinesAndPoints(), 2.5f},
  };
  const int sizes[][2] = {{1001, 777}, {333, 251}};
  const int grids[][2] = {{1, 1}, {2, 2}, {3, 3}, {4, 1}, {1, 3}, {7, 5}};
  for (const Scene &scene : scenes) {
    SCOPED_TRACE(scene.name);
    ASSERT_NE(scene.root, nullptr);
    const HeldScene held(scene.root);
    for (auto mode : {PoOffscreenRenderer::STANDARD, PoOffscreenRenderer::LOGICAL_VIEWPORT}) {
      SCOPED_TRACE(mode == PoOffscreenRenderer::STANDARD ? "standard" : "logical viewport");
      for (const auto &size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        PoOffscreenRenderer renderer(size[0], size[1]);
        renderer.setMode(mode);
        renderer.setLineWidthScale(scene.lineWidthScale);
        const QImage whole = renderer.render(held.root());
        ASSERT_FALSE(whole.isNull()) << renderer.getLastError();
        for (const auto &grid : grids) {
          SCOPED_TRACE(testing::Message() << grid[0] << "x" << grid[1] << " tiles");
          std::string why;
          EXPECT_TRUE(matchesWhole(whole, renderer.render(held.root(), grid[0], grid[1]), &why))
              << why;
        }
      }
    }
  }
}

// A picture beyond the largest tile is tiled on its own; a single tile is the
// matching part of the picture.
TEST(TiledRendering, TileLimitAndSingleTiles) {
  const HeldScene scene(example("four_quadrants.iv"));
  PoOffscreenRenderer renderer(700, 300);
  const QImage whole = renderer.render(scene.root());
  renderer.setMaximumTileSize(128);
  EXPECT_EQ(renderer.getMaximumTileSize(), 128);
  std::string why;
  EXPECT_TRUE(matchesWhole(whole, renderer.render(scene.root()), &why)) << why;
  // Pixels 300 to 500 from the left and 100 to 300 from the bottom.
  const QImage tile = renderer.renderTile(scene.root(), 300, 100, 200, 200);
  EXPECT_TRUE(matchesWhole(whole.copy(300, 0, 200, 200), tile, &why)) << why;
  // Tiles outside the picture and impossible sizes are refused.
  EXPECT_TRUE(renderer.renderTile(scene.root(), 600, 0, 200, 10).isNull());
  EXPECT_FALSE(renderer.getLastError().empty());
  EXPECT_TRUE(renderer.render(scene.root(), 701, 1).isNull());
  EXPECT_TRUE(renderer.render(nullptr).isNull());
  renderer.setSize(40000, 10);
  EXPECT_TRUE(renderer.render(scene.root()).isNull());
}

// The worked example of the portion path, on pixels: a render that covers the
// right half (0.5, 0, 1, 1) of an 800 x 600 logical window shows a view at
// (0.25, 0) of size (0.5, 1) from its middle on, as the whole window would,
// and nothing right of it. Any GL render action does, not only the renderer's.
TEST(TiledRendering, PortionPathWorkedExampleOnPixels) {
  const SceneViewRef view;
  view->viewportOrigin.setValue(0.25f, 0);
  view->viewportSize.setValue(0.5f, 1);
  view->isBackgroundVisible = TRUE;
  view->set("backgroundApp.material", "diffuseColor 0 0.5 0");
  view->set("cameraKit.camera", "position 0 0 4");
  static_cast<SoGroup *>(view->getPart("scene", TRUE))->addChild(new SoCube);
  HeldScene wholeScene(new SoSeparator);
  wholeScene.root()->addChild(view.get());
  const QImage whole = PoOffscreenRenderer(800, 600).render(wholeScene.root());

  Tile tile;
  tile.viewVolumePortion.setValue(0.5f, 0, 1, 1);
  tile.logical = SbViewportRegion(800, 600);
  HeldScene tiled(new SoSeparator);
  tiled.root()->addChild(tile.makeNode());
  tiled.root()->addChild(view.get());
  GLTestContext gl(400, 600);
  ASSERT_TRUE(gl.isValid());
  renderNarrowed(gl, tiled.root());
  std::string why;
  EXPECT_TRUE(matchesWhole(columns(whole, 400, 800), imageOf(gl), &why)) << why;
}

// The worked example of logical-viewport mode, on pixels: a view at (-0.25, 0)
// of size (0.5, 1) in an 800 x 600 logical viewport shows the right half of
// its picture in the first 200 columns, and nothing beyond.
TEST(TiledRendering, LogicalViewportWorkedExampleOnPixels) {
  const SceneViewRef view;
  view->isBackgroundVisible = TRUE;
  view->set("backgroundApp.material", "diffuseColor 0 0.5 0");
  view->set("cameraKit.camera", "position 0 0 4");
  static_cast<SoGroup *>(view->getPart("scene", TRUE))->addChild(new SoCube);
  HeldScene scene(new SoSeparator);
  scene.root()->addChild(view.get());
  // The view's whole picture: the view filling a 400 x 600 window.
  const QImage full = PoOffscreenRenderer(400, 600).render(scene.root());

  view->viewportOrigin.setValue(-0.25f, 0);
  view->viewportSize.setValue(0.5f, 1);
  const ZembaMode zemba;
  Tile tile;
  tile.logical = SbViewportRegion(800, 600);
  HeldScene tiled(new SoSeparator);
  tiled.root()->addChild(tile.makeNode());
  tiled.root()->addChild(view.get());
  GLTestContext gl(800, 600);
  ASSERT_TRUE(gl.isValid());
  renderNarrowed(gl, tiled.root());
  const QImage picture = imageOf(gl);
  std::string why;
  EXPECT_TRUE(matchesWhole(columns(full, 200, 400), columns(picture, 0, 200), &why)) << why;
  int drawnBeyond = 0; // right of the view, past the lines along its edge
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 202; x < picture.width(); ++x)
      if ((picture.pixel(x, y) & 0xFFFFFF) != 0) ++drawnBeyond;
  EXPECT_EQ(drawnBeyond, 0);
}

// A pick through a tile finds what the tile shows at the picked pixel: the
// camera narrows the pick's view volume as it narrows the projection.
TEST(TiledRendering, PickingFollowsTheNarrowedVolume) {
  const HeldScene scene(windowCameraScene(new SoPerspectiveCamera));
  // The right half of an 800 x 600 picture, set for every action.
  const SbVec4f rightHalf(0.5f, 0, 1, 1);
  auto *portion = new SoCallback;
  portion->setCallback(
      [](void *data, SoAction *action) {
        SoModifyViewVolumeElement::set(action->getState(), *static_cast<SbVec4f *>(data));
      },
      const_cast<SbVec4f *>(&rightHalf));
  scene.root()->insertChild(portion, 0);
  GLTestContext gl(400, 600);
  ASSERT_TRUE(gl.isValid());
  renderNarrowed(gl, scene.root());
  const QImage shown = imageOf(gl);

  const SbVec2s points[] = {SbVec2s(200, 300), SbVec2s(200, 400), SbVec2s(20, 300),
                            SbVec2s(380, 300)};
  for (const SbVec2s &point : points) {
    SCOPED_TRACE(testing::Message() << point[0] << "," << point[1]);
    SoRayPickAction pick(gl.viewport());
    pick.setPoint(point);
    pick.apply(scene.root());
    const SoPickedPoint *picked = pick.getPickedPoint();
    const bool blueShown = qBlue(shown.pixel(point[0], 599 - point[1])) > 128;
    EXPECT_EQ(picked != nullptr, blueShown);
  }
  EXPECT_TRUE(qBlue(shown.pixel(200, 299)) > 128); // the blue cube is in this half
}
