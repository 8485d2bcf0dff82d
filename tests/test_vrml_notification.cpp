// The graphs a conversion hands out notify their observers of changes deep
// inside, like any graph Coin builds, whichever way the conversion ran.
#include "PoToVRML2Action.h"
#include "VRMLTestScenes.h"

#include <Inventor/SoPath.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <gtest/gtest.h>

#include <vector>

using namespace VRMLTestScenes;

namespace {

SoSeparator *nested(int levels) {
  SoSeparator *top = new SoSeparator;
  SoSeparator *inner = top;
  for (int i = 1; i < levels; ++i) {
    SoSeparator *next = new SoSeparator;
    inner->addChild(next);
    inner = next;
  }
  inner->addChild(new SoCube);
  return top;
}

// Every grouping node below root that holds a shape: the deepest ones.
std::vector<SoGroup *> groupsHoldingShapes(SoNode *root) {
  std::vector<SoGroup *> found;
  std::vector<SoNode *> stack{root};
  while (!stack.empty()) {
    SoNode *node = stack.back();
    stack.pop_back();
    SoChildList *children = node->getChildren();
    if (!children) continue;
    for (int i = 0; i < children->getLength(); ++i) {
      SoNode *child = (*children)[i];
      if (child->isOfType(SoVRMLShape::getClassTypeId()) &&
          node->isOfType(SoGroup::getClassTypeId()))
        found.push_back(static_cast<SoGroup *>(node));
      stack.push_back(child);
    }
  }
  return found;
}

struct Heard {
  int count = 0;
  static void note(void *data, SoSensor *) { ++static_cast<Heard *>(data)->count; }
};

} // namespace

TEST(VRMLConversionNotification, ConvertedGroupsTellTheTopOfChangesBelowThem) {
  enum class Apply { Node, Path };
  for (Apply apply : {Apply::Node, Apply::Path}) {
    SCOPED_TRACE(apply == Apply::Node ? "node" : "path");
    SoSeparator *root = new SoSeparator;
    root->ref();
    root->addChild(nested(6));
    root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), nested(6)));
    PoToVRML2Action action;
    if (apply == Apply::Node) {
      action.apply(root);
    } else {
      SoPath *path = new SoPath(root);
      path->ref();
      action.apply(path);
      path->unref();
    }
    SoNode *result = action.getVRML2SceneGraph();
    ASSERT_NE(result, nullptr);
    const std::vector<SoGroup *> deepest = groupsHoldingShapes(result);
    // The graph's cube and the scene view's, each converted on its own
    // when a node is converted.
    ASSERT_FALSE(deepest.empty());
    if (apply == Apply::Node) {
      EXPECT_EQ(deepest.size(), 2u);
    }

    Heard heard;
    SoNodeSensor sensor(&Heard::note, &heard);
    sensor.setPriority(0);
    sensor.attach(result);
    for (SoGroup *group : deepest) {
      const int before = heard.count;
      group->addChild(new SoVRMLGroup);
      EXPECT_GT(heard.count, before);
    }
    sensor.detach();
    root->unref();
  }

  // Grouping nodes made outside a conversion notify as always.
  SoVRMLGroup *parent = new SoVRMLGroup;
  parent->ref();
  auto *child = static_cast<SoVRMLGroup *>(SoVRMLGroup::getClassTypeId().createInstance());
  parent->addChild(child);
  Heard heard;
  SoNodeSensor sensor(&Heard::note, &heard);
  sensor.setPriority(0);
  sensor.attach(parent);
  child->addChild(new SoVRMLGroup);
  EXPECT_EQ(heard.count, 1);
  sensor.detach();
  parent->unref();
}
