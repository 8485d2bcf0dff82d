// The graphs a conversion hands out notify their observers of changes deep
// inside, like any graph Coin builds, whichever way the conversion ran.
#include "VRMLTestScenes.h"

#include <Inventor/SoPath.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <gtest/gtest.h>

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

// Adds a group beside every shape below node; answers how many it added.
int growBesideShapes(SoNode *node) {
  SoChildList *children = node->getChildren();
  if (!children) return 0;
  int added = 0;
  for (int i = children->getLength() - 1; i >= 0; --i) {
    added += growBesideShapes((*children)[i]);
    if ((*children)[i]->isOfType(SoVRMLShape::getClassTypeId()) &&
        node->isOfType(SoVRMLGroup::getClassTypeId())) {
      static_cast<SoVRMLGroup *>(node)->addChild(new SoVRMLGroup);
      ++added;
    }
  }
  return added;
}

} // namespace

TEST(VRMLConversionNotification, ConvertedGroupsTellTheTopOfChangesBelowThem) {
  for (bool asPath : {false, true}) {
    SoSeparator *root = new SoSeparator;
    root->ref();
    root->addChild(nested(6));
    root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), nested(6)));
    PoToVRML2Action action;
    SoPath *path = new SoPath(root);
    path->ref();
    asPath ? action.apply(path) : action.apply(root);
    path->unref();
    int heard = 0;
    SoNodeSensor sensor([](void *count, SoSensor *) { ++*static_cast<int *>(count); }, &heard);
    sensor.setPriority(0);
    sensor.attach(action.getVRML2SceneGraph());
    // A converted node holds the graph's cube and the scene view's, each
    // deep in groups of its own.
    const int added = growBesideShapes(action.getVRML2SceneGraph());
    EXPECT_GE(added, asPath ? 1 : 2) << (asPath ? "path" : "node");
    EXPECT_EQ(heard, added) << (asPath ? "path" : "node");
    sensor.detach();
    root->unref();
  }
}
