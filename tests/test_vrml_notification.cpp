// The graphs a conversion hands out notify their observers of changes deep
// inside, like any graph Coin builds, whichever way the conversion ran.
#include "PoToVRML2Action.h"
#include "SceneFiles.h"

#include <Inventor/SoPath.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <gtest/gtest.h>

namespace {

// Adds a group beside every shape below node; answers how many it added.
int growBesideShapes(SoNode *node) {
  SoChildList *children = node->getChildren();
  int added = 0;
  for (int i = children ? children->getLength() - 1 : -1; i >= 0; --i) {
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
  const std::string deep = "Separator { Separator { Separator { Separator { Cube { } } } } }";
  SoSeparator *root = readScene("#Inventor V2.1 ascii\n" + deep +
                                " PoSceneView { cameraKit CameraKit { camera PerspectiveCamera"
                                " { } } scene " + deep + " }\n");
  ASSERT_NE(root, nullptr);
  root->ref();
  for (bool asPath : {false, true}) {
    SCOPED_TRACE(asPath ? "path" : "node");
    PoToVRML2Action action;
    SoPath *path = new SoPath(root);
    path->ref();
    asPath ? action.apply(path) : action.apply(root);
    path->unref();
    int heard = 0;
    SoNodeSensor sensor([](void *count, SoSensor *) { ++*static_cast<int *>(count); }, &heard);
    sensor.setPriority(0);
    sensor.attach(action.getVRML2SceneGraph());
    // A converted node holds the graph's cube and the scene view's.
    const int added = growBesideShapes(action.getVRML2SceneGraph());
    EXPECT_GE(added, asPath ? 1 : 2);
    EXPECT_EQ(heard, added);
    sensor.detach();
  }
  root->unref();
}
