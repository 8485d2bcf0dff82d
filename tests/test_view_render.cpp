// Two views side by side in one window, rendered for real and picked.
#include "GLTestContext.h"
#include "PoView.h"

#include <Inventor/SoPickedPoint.h>
#include <Inventor/SoPath.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <initializer_list>

namespace {

const SbColor kRed(1, 0, 0);
const SbColor kBlue(0, 0, 1);

// One view with its own camera looking at a cube of one colour. Both scenes
// put their cube at the same place, so if a view did not keep to its half,
// the other half would show its colour.
SoSeparator *makeViewScene(float originX, const SbColor &colour, SoCube **cube) {
  auto *scene = new SoSeparator;
  auto *view = new PoView;
  view->viewportOrigin.setValue(originX, 0);
  view->viewportSize.setValue(0.5f, 1);
  auto *camera = static_cast<SoPerspectiveCamera *>(view->getPart("cameraKit.camera", TRUE));
  camera->position.setValue(0, 0, 5);
  scene->addChild(view);
  auto *lightModel = new SoLightModel;
  lightModel->model = SoLightModel::BASE_COLOR;
  scene->addChild(lightModel);
  auto *material = new SoMaterial;
  material->diffuseColor.setValue(colour);
  scene->addChild(material);
  *cube = new SoCube;
  scene->addChild(*cube);
  return scene;
}

bool near(const SbColor &a, const SbColor &b) { return (a - b).length() < 0.05f; }

class TwoViews : public ::testing::Test {
protected:
  void SetUp() override {
    m_root = new SoSeparator;
    m_root->ref();
    m_left = makeViewScene(0, kRed, &m_leftCube);
    m_right = makeViewScene(0.5f, kBlue, &m_rightCube);
    m_root->addChild(m_left);
    m_root->addChild(m_right);
  }
  void TearDown() override { m_root->unref(); }

  SoSeparator *m_root = nullptr;
  SoSeparator *m_left = nullptr;
  SoSeparator *m_right = nullptr;
  SoCube *m_leftCube = nullptr;
  SoCube *m_rightCube = nullptr;
};

} // namespace

TEST_F(TwoViews, EachHalfShowsOnlyItsOwnObject) {
  const int width = 200, height = 100;
  GLTestContext gl(width, height);
  ASSERT_TRUE(gl.isValid());
  gl.render(m_root);

  EXPECT_TRUE(near(gl.pixel(width / 4, height / 2), kRed));
  EXPECT_TRUE(near(gl.pixel(3 * width / 4, height / 2), kBlue));
  const std::vector<SbColor> pixels = gl.pixels();
  int red = 0, blue = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const SbColor &c = pixels[size_t(y) * width + x];
      const bool left = x < width / 2;
      if (near(c, kRed)) {
        ++red;
        EXPECT_TRUE(left) << "red at " << x << ", " << y;
      }
      if (near(c, kBlue)) {
        ++blue;
        EXPECT_FALSE(left) << "blue at " << x << ", " << y;
      }
      if (::testing::Test::HasFailure()) return;
    }
  // Same camera, same cube, same share of the window.
  EXPECT_GT(red, 0);
  EXPECT_EQ(red, blue);
}

TEST_F(TwoViews, PickInTheRightHalfHitsOnlyTheRightView) {
  SoRayPickAction pick(SbViewportRegion(200, 100));
  pick.setPoint(SbVec2s(150, 50));
  pick.setPickAll(TRUE);
  pick.apply(m_root);
  const SoPickedPointList &points = pick.getPickedPointList();
  ASSERT_GT(points.getLength(), 0);
  for (int i = 0; i < points.getLength(); ++i) {
    const SoPath *path = points[i]->getPath();
    EXPECT_TRUE(path->containsNode(m_right));
    EXPECT_FALSE(path->containsNode(m_left));
    EXPECT_EQ(path->getTail(), m_rightCube);
  }

  // And the left half's centre hits only the left view.
  pick.setPoint(SbVec2s(50, 50));
  pick.apply(m_root);
  ASSERT_GT(pick.getPickedPointList().getLength(), 0);
  for (int i = 0; i < pick.getPickedPointList().getLength(); ++i)
    EXPECT_EQ(pick.getPickedPointList()[i]->getPath()->getTail(), m_leftCube);
}

// Render caches must not keep a view where an earlier window put it: the view
// places itself from the action's viewport, which Coin's caches do not watch.
TEST_F(TwoViews, CachedSeparatorsFollowANewViewport) {
  GLTestContext gl(200, 100);
  ASSERT_TRUE(gl.isValid());
  for (SoSeparator *separator : {m_root, m_left, m_right})
    separator->renderCaching = SoSeparator::ON;
  for (int i = 0; i < 4; ++i) gl.render(m_root); // give Coin time to build its caches
  ASSERT_TRUE(near(gl.pixel(150, 50), kBlue));

  // The window shrinks to the lower-left quarter of the framebuffer: the right
  // view moves with it.
  gl.action().setViewportRegion(SbViewportRegion(100, 50));
  gl.render(m_root);
  EXPECT_TRUE(near(gl.pixel(75, 25), kBlue));
  EXPECT_FALSE(near(gl.pixel(150, 50), kBlue));
}
