// A scene handed to PoOffscreenRenderer keeps its reference count, as with
// any Coin action: a root nobody has referenced yet (a file just read, a
// node a Python script made through pivy) lives on after the render.
#include "PoOffscreenRenderer.h"

#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <gtest/gtest.h>

namespace {

void noteDeletion(void *deleted, SoSensor *) { *static_cast<bool *>(deleted) = true; }

TEST(OffscreenRendererScene, UnreferencedRootOutlivesTheRender) {
  SoSeparator *root = new SoSeparator;
  root->addChild(new SoCube);
  bool deleted = false;
  SoNodeSensor watch;
  watch.setDeleteCallback(&noteDeletion, &deleted);
  watch.attach(root);

  PoOffscreenRenderer renderer(16, 16);
  for (int columns : {1, 2}) {
    EXPECT_FALSE(renderer.render(root, columns, 1).isNull());
    EXPECT_FALSE(deleted);
    EXPECT_EQ(root->getRefCount(), 0);
  }
  root->ref();
  root->unref();
  EXPECT_TRUE(deleted);
}

} // namespace
