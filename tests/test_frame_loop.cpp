// A viewer renders every frame with one GL render action and runs other
// actions between frames (a bounding box for automatic clipping at least).
// Every frame of such a loop must show what the first frame of a fresh render
// shows, whatever ran in between and whether separators cache or not.
#include "GLTestContext.h"
#include "PoToVRML2Action.h"
#include "SceneFiles.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoDB.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/events/SoMouseButtonEvent.h>
#include <Inventor/misc/SoTempPath.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr short kWidth = 200, kHeight = 150;
constexpr int kFrames = 6;

// A scene view without a light of its own, as the README shows it.
const char *const kUnlitSnippet = R"(#Inventor V2.1 ascii
PoSceneView {
  viewportSize 0.5 1
  isBackgroundVisible TRUE
  backgroundApp AppearanceKit {
    lightModel LightModel { model BASE_COLOR }
    material Material { diffuseColor 0.1 0.1 0.4 }
  }
  cameraKit CameraKit { camera PerspectiveCamera { position 0 0 6 } }
  scene Separator { Cone { } }
})";

// A plain view nested in a scene view, with no border anywhere: nothing in it
// keeps Coin from caching the separators above the inner view.
const char *const kNestedPlainView = R"(#Inventor V2.1 ascii
Separator {
  DirectionalLight { direction 0 0 -1 }
  PoSceneView {
    isBackgroundVisible TRUE
    cameraKit CameraKit { camera PerspectiveCamera { position 0 0 8 } }
    scene Separator {
      Sphere { radius 1.5 }
      Separator {
        PoView {
          viewportOrigin 0.6 0.6
          viewportSize 0.35 0.35
          cameraKit CameraKit { camera PerspectiveCamera { position 0 0 4 } }
        }
        Material { diffuseColor 1 0.2 0.2 }
        Cube { }
      }
    }
  }
})";

struct Scene {
  const char *name;
  std::string text;
};

std::string fileText(const std::string &path) {
  SoInput input;
  EXPECT_TRUE(input.openFile(path.c_str())) << path;
  std::string text;
  char c;
  while (input.get(c)) text += c;
  return text;
}

std::vector<Scene> scenes() {
  const std::string examples = BRENNICQT_EXAMPLES_DIR "/";
  return {{"four_quadrants", fileText(examples + "four_quadrants.iv")},
          {"inset", fileText(examples + "inset.iv")},
          {"side_by_side", fileText(examples + "side_by_side.iv")},
          {"shared_views", fileText(BRENNICQT_TESTS_DIR "/vrml97/shared_views.iv")},
          {"unlit_snippet", kUnlitSnippet},
          {"nested_plain_view", kNestedPlainView}};
}

// What a viewer or an application may run between two frames.
struct Between {
  const char *name;
  std::function<void(SoNode *, const SbViewportRegion &)> run;
};

std::vector<Between> actionsBetweenFrames() {
  return {
      {"nothing", [](SoNode *, const SbViewportRegion &) {}},
      {"bounding box",
       [](SoNode *root, const SbViewportRegion &vp) { SoGetBoundingBoxAction(vp).apply(root); }},
      {"ray pick",
       [](SoNode *root, const SbViewportRegion &vp) {
         SoRayPickAction pick(vp);
         pick.setPoint(SbVec2s(kWidth / 4, kHeight * 3 / 4));
         pick.apply(root);
       }},
      {"callback", [](SoNode *root, const SbViewportRegion &) { SoCallbackAction().apply(root); }},
      {"get matrix",
       [](SoNode *root, const SbViewportRegion &vp) { SoGetMatrixAction(vp).apply(root); }},
      {"handle event",
       [](SoNode *root, const SbViewportRegion &vp) {
         SoMouseButtonEvent press;
         press.setButton(SoMouseButtonEvent::BUTTON1);
         press.setState(SoButtonEvent::DOWN);
         press.setPosition(SbVec2s(kWidth / 4, kHeight / 4));
         SoHandleEventAction handle(vp);
         handle.setEvent(&press);
         handle.apply(root);
       }},
      {"camera search inside kits",
       [](SoNode *root, const SbViewportRegion &) {
         const SbBool searching = SoBaseKit::isSearchingChildren();
         SoBaseKit::setSearchingChildren(TRUE);
         SoSearchAction search;
         search.setType(SoCamera::getClassTypeId());
         search.setInterest(SoSearchAction::ALL);
         search.apply(root);
         SoBaseKit::setSearchingChildren(searching);
       }},
      {"write", [](SoNode *root, const SbViewportRegion &) { writeScene(root); }},
      {"export", [](SoNode *root, const SbViewportRegion &) { PoToVRML2Action().apply(root); }},
  };
}

// Sets the render caching of every separator, those inside node kits too.
void forceRenderCaching(SoNode *root, SoSeparator::CacheEnabled caching) {
  const SbBool searching = SoBaseKit::isSearchingChildren();
  SoBaseKit::setSearchingChildren(TRUE);
  SoSearchAction search;
  search.setType(SoSeparator::getClassTypeId());
  search.setInterest(SoSearchAction::ALL);
  search.apply(root);
  for (int i = 0; i < search.getPaths().getLength(); ++i) {
    // The separator itself, also when it lies inside a kit's parts, where
    // SoPath::getTail stops.
    const SoPath *path = search.getPaths()[i];
    SoTempPath full(path->getLength());
    static_cast<SoPath &>(full) = *path;
    static_cast<SoSeparator *>(full.getTail())->renderCaching = caching;
  }
  SoBaseKit::setSearchingChildren(searching);
}

struct RenderCaching {
  const char *name;
  SoSeparator::CacheEnabled value;
};
const RenderCaching kRenderCaching[] = {
    {"on", SoSeparator::ON}, {"off", SoSeparator::OFF}, {"auto", SoSeparator::AUTO}};

// Rasterisation noise: a channel may differ by this much. Replaying a
// render cache draws the same primitives, so beyond it no pixel may differ.
constexpr int kChannelTolerance = 2;

int differingPixels(const std::vector<SbColor> &a, const std::vector<SbColor> &b) {
  int count = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    for (int c = 0; c < 3; ++c)
      if (std::abs(int(a[i][c] * 255.0f + 0.5f) - int(b[i][c] * 255.0f + 0.5f)) >
          kChannelTolerance) {
        ++count;
        break;
      }
  return count;
}

class ReadScene {
public:
  explicit ReadScene(const std::string &text) : m_root(readScene(text)) {
    if (m_root) m_root->ref();
  }
  ~ReadScene() {
    if (m_root) m_root->unref();
  }
  SoSeparator *root() const { return m_root; }

private:
  SoSeparator *m_root;
};

} // namespace

TEST(FrameLoop, EveryFrameMatchesAFreshRenderWhateverRunsBetweenFrames) {
  const SbViewportRegion viewport(kWidth, kHeight);
  for (const Scene &scene : scenes()) {
    std::vector<SbColor> fresh;
    {
      ReadScene read(scene.text);
      ASSERT_NE(read.root(), nullptr) << scene.name;
      GLTestContext gl(kWidth, kHeight);
      ASSERT_TRUE(gl.isValid());
      gl.render(read.root());
      fresh = gl.pixels();
    }
    for (const Between &between : actionsBetweenFrames()) {
      for (const RenderCaching &caching : kRenderCaching) {
        SCOPED_TRACE(std::string(scene.name) + ", " + between.name + ", render caching " +
                     caching.name);
        ReadScene read(scene.text);
        forceRenderCaching(read.root(), caching.value);
        GLTestContext gl(kWidth, kHeight);
        ASSERT_TRUE(gl.isValid());
        for (int frame = 1; frame <= kFrames; ++frame) {
          between.run(read.root(), viewport);
          gl.render(read.root());
          EXPECT_EQ(differingPixels(gl.pixels(), fresh), 0) << "frame " << frame;
        }
      }
    }
  }
}

// A viewer's window changes size between frames. Views place themselves from
// the action's viewport, so every separator cache above a view, also one
// inside an enclosing view, must give way when the window changes.
TEST(FrameLoop, CachedSeparatorsFollowEveryWindowSize) {
  const SbViewportRegion sizes[] = {SbViewportRegion(kWidth, kHeight),
                                    SbViewportRegion(kWidth * 3 / 4, kHeight / 2)};
  for (const Scene &scene : scenes()) {
    SCOPED_TRACE(scene.name);
    std::vector<SbColor> fresh[2];
    for (int s = 0; s < 2; ++s) {
      ReadScene read(scene.text);
      GLTestContext gl(kWidth, kHeight);
      ASSERT_TRUE(gl.isValid());
      gl.action().setViewportRegion(sizes[s]);
      gl.render(read.root());
      fresh[s] = gl.pixels();
    }
    ReadScene read(scene.text);
    forceRenderCaching(read.root(), SoSeparator::ON);
    GLTestContext gl(kWidth, kHeight);
    ASSERT_TRUE(gl.isValid());
    for (int frame = 0; frame < kFrames; ++frame) {
      const int s = frame / 2 % 2; // two frames at each size, so caches are built
      gl.action().setViewportRegion(sizes[s]);
      gl.render(read.root());
      EXPECT_EQ(differingPixels(gl.pixels(), fresh[s]), 0) << "frame " << frame;
    }
  }
}
