// Every node the views build, read or are handed is owned through Coin's
// reference counts: once the last reference to a graph goes, each node that
// was in it is gone too, however often its decorations were rebuilt and in
// whichever mode it was read.
#include "PoSceneView.h"
#include "PoToVRML2Action.h"
#include "PoView.h"
#include "SceneFiles.h"
#include "SceneViewTestAccess.h"

#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Tells which of the nodes it watches are still alive. A node sensor hears of
// its node's deletion; the sensors run at priority 0 and do nothing on
// changes, so watching schedules nothing.
class DeathWatch {
public:
  DeathWatch() = default;
  DeathWatch(const DeathWatch &) = delete;
  DeathWatch &operator=(const DeathWatch &) = delete;

  void watch(SoNode *node) {
    for (const auto &watcher : m_watchers)
      if (watcher->node == node && watcher->alive) return;
    auto watcher = std::make_unique<Watcher>();
    watcher->node = node;
    watcher->typeName = node->getTypeId().getName().getString();
    watcher->sensor.setPriority(0);
    watcher->sensor.setDeleteCallback(&DeathWatch::deleted, watcher.get());
    watcher->sensor.attach(node);
    m_watchers.push_back(std::move(watcher));
  }

  // Every node below root, the root and the insides of node kits included:
  // a kit answers its internal children as its children.
  void watchGraph(SoNode *root) {
    watch(root);
    if (SoChildList *children = root->getChildren())
      for (int i = 0; i < children->getLength(); ++i) watchGraph((*children)[i]);
  }

  std::size_t watched() const { return m_watchers.size(); }

  // The type names of the watched nodes still alive.
  std::vector<std::string> alive() const {
    std::vector<std::string> names;
    for (const auto &watcher : m_watchers)
      if (watcher->alive) names.push_back(watcher->typeName);
    return names;
  }

private:
  struct Watcher {
    Watcher() : sensor(&Watcher::changed, nullptr) {}
    static void changed(void *, SoSensor *) {}
    SoNodeSensor sensor;
    SoNode *node = nullptr;
    std::string typeName;
    bool alive = true;
  };
  static void deleted(void *data, SoSensor *) { static_cast<Watcher *>(data)->alive = false; }

  std::vector<std::unique_ptr<Watcher>> m_watchers;
};

using Names = std::vector<std::string>;

// The scene part must be a group: Coin refuses any other node, which then
// belongs to nobody.
SoGroup *groupOf(SoNode *node) {
  auto *group = new SoGroup;
  group->addChild(node);
  return group;
}

PoSceneView *newFullSceneView() {
  auto *view = new PoSceneView;
  EXPECT_TRUE(view->setPart("scene", groupOf(new SoCube)));
  view->getPart("cameraKit.camera", TRUE);
  view->isBackgroundVisible = TRUE;
  view->isBorderVisible = TRUE;
  return view;
}

const char *const kSceneFile = "#Inventor V2.1 ascii\n"
                               "Separator {\n"
                               "  PoView {\n"
                               "    viewportSize 0.5 1\n"
                               "    cameraKit CameraKit { camera PerspectiveCamera {} }\n"
                               "  }\n"
                               "  PoSceneView {\n"
                               "    viewportOrigin 0.5 0\n"
                               "    isBackgroundVisible TRUE\n"
                               "    isBorderVisible TRUE\n"
                               "    cameraKit CameraKit { camera OrthographicCamera {} }\n"
                               "    scene Group { DEF shared Cube {} USE shared }\n"
                               "  }\n"
                               "}\n";

} // namespace

TEST(ReferenceCounts, BuiltViewsLeaveNothingBehind) {
  DeathWatch watch;
  for (int round = 0; round < 3; ++round) {
    auto *root = new SoSeparator;
    root->ref();
    auto *view = new PoView;
    view->getPart("cameraKit.camera", TRUE);
    root->addChild(view);
    root->addChild(newFullSceneView());
    // A view inside a scene view's scene, as nested views are built.
    auto *outer = newFullSceneView();
    EXPECT_TRUE(outer->setPart("scene", groupOf(new PoView)));
    root->addChild(outer);
    watch.watchGraph(root);
    root->unref();
  }
  EXPECT_GT(watch.watched(), 50u);
  EXPECT_EQ(watch.alive(), Names());
}

TEST(ReferenceCounts, ToggledDecorationsAreReleasedAsTheyAreReplaced) {
  DeathWatch watch;
  PoSceneView *view = newFullSceneView();
  view->ref();
  for (int i = 0; i < 200; ++i) {
    view->isBackgroundVisible = (i % 2) ? TRUE : FALSE;
    view->isBorderVisible = (i % 3) ? TRUE : FALSE;
    if (SoNode *background = view->getPart("background", FALSE)) watch.watchGraph(background);
    if (SoNode *border = view->getPart("border", FALSE)) watch.watchGraph(border);
  }
  view->isBackgroundVisible = FALSE;
  view->isBorderVisible = FALSE;
  // The kit still lives; every decoration it built is gone already.
  EXPECT_GT(watch.watched(), 200u);
  EXPECT_EQ(watch.alive(), Names());
  // While disconnected the switches build nothing, and connecting again
  // builds once.
  PoSceneViewTestAccess::setUpConnectionsOf(view, FALSE, FALSE);
  view->isBorderVisible = TRUE;
  PoSceneViewTestAccess::setUpConnectionsOf(view, TRUE, FALSE);
  watch.watchGraph(view);
  view->unref();
  EXPECT_EQ(watch.alive(), Names());
}

TEST(ReferenceCounts, CopiesLeaveNothingBehind) {
  DeathWatch watch;
  PoSceneView *view = newFullSceneView();
  view->ref();
  SoNode *nodeCopy = view->copy();
  nodeCopy->ref();
  auto *memberCopy = new PoSceneView(*view);
  memberCopy->ref();
  watch.watchGraph(view);
  watch.watchGraph(nodeCopy);
  watch.watchGraph(memberCopy);
  memberCopy->unref();
  nodeCopy->unref();
  view->unref();
  EXPECT_EQ(watch.alive(), Names());
}

TEST(ReferenceCounts, ReadViewsLeaveNothingBehindInEitherMode) {
  for (int zemba = 0; zemba < 2; ++zemba) {
    SCOPED_TRACE(zemba ? "logical-viewport mode" : "plain mode");
    const int previous = SoDBImpl::m_isZemba;
    SoDBImpl::m_isZemba = zemba;
    DeathWatch watch;
    for (int round = 0; round < 3; ++round) {
      SoSeparator *root = readScene(kSceneFile);
      ASSERT_NE(root, nullptr);
      root->ref();
      // Writing it again runs the kits' write preparation too.
      EXPECT_FALSE(writeScene(root).empty());
      watch.watchGraph(root);
      root->unref();
    }
    SoDBImpl::m_isZemba = previous;
    EXPECT_GT(watch.watched(), 20u);
    EXPECT_EQ(watch.alive(), Names());
  }
}

// The action holds its result until it goes; the source graph keeps nothing
// of the conversion, and the result nothing of the source.
TEST(ReferenceCounts, ExportsLeaveNothingBehind) {
  for (int sensitive = 0; sensitive < 2; ++sensitive) {
    SCOPED_TRACE(sensitive);
    DeathWatch watch;
    SoSeparator *root = readScene(kSceneFile);
    ASSERT_NE(root, nullptr);
    root->ref();
    root->addChild(newFullSceneView());
    watch.watchGraph(root);
    {
      PoToVRML2Action action;
      action.setFirstSceneViewSensitive(sensitive);
      action.apply(root);
      ASSERT_NE(action.getVRML2SceneGraph(), nullptr);
      watch.watchGraph(action.getVRML2SceneGraph());
      // Converting again releases the first result.
      action.apply(root);
      watch.watchGraph(action.getVRML2SceneGraph());
    }
    root->unref();
    EXPECT_GT(watch.watched(), 40u);
    EXPECT_EQ(watch.alive(), Names());
  }
}
