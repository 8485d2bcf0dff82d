// The "catchActionCallback" part of a scene view runs the traversal callback
// for that very kit: after construction, a read, a copy and an assignment.
#include "ElementProbe.h"
#include "SceneFiles.h"
#include "SceneViewTestAccess.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The viewport origin the kit's scene sees when a callback action runs over
// the kit, or (-1, -1) when the scene is not reached exactly once.
SbVec2f originSeenBy(PoSceneView *view) {
  ElementProbe probe;
  SoGroup *scene = static_cast<SoGroup *>(view->getPart("scene", TRUE));
  scene->addChild(probe.node());
  SoCallbackAction action(SbViewportRegion(200, 100));
  action.apply(view);
  scene->removeChild(probe.node());
  if (probe.calls() != 1) return SbVec2f(-1, -1);
  return probe.last().viewport.getViewportOrigin();
}

} // namespace

TEST(SceneViewCallback, ConstructedKitAppliesItsOwnViewport) {
  SceneViewRef view;
  view->viewportOrigin.setValue(0.25f, 0.5f);
  view->viewportSize.setValue(0.5f, 0.5f);
  EXPECT_EQ(originSeenBy(view.get()), SbVec2f(0.25f, 0.5f));
  view->viewportOrigin.setValue(0.5f, 0.0f);
  EXPECT_EQ(originSeenBy(view.get()), SbVec2f(0.5f, 0.0f));
}

TEST(SceneViewCallback, CopiesApplyTheirOwnViewport) {
  PoSceneView *source = new PoSceneView;
  source->ref();
  source->viewportOrigin.setValue(0.25f, 0.25f);
  source->viewportSize.setValue(0.5f, 0.5f);

  PoSceneView *copied = static_cast<PoSceneView *>(source->copy());
  SceneViewRef nodeCopy(copied);
  SceneViewRef constructed(new PoSceneView(*source));
  SceneViewRef assigned;
  *assigned.get() = *source;
  // The source goes first: a copy bound to it would read freed fields.
  source->unref();

  for (PoSceneView *view : {nodeCopy.get(), constructed.get(), assigned.get()}) {
    EXPECT_EQ(originSeenBy(view), SbVec2f(0.25f, 0.25f));
    view->viewportOrigin.setValue(0.5f, 0.5f);
    EXPECT_EQ(originSeenBy(view), SbVec2f(0.5f, 0.5f));
  }
}

TEST(SceneViewCallback, ReadKitAppliesItsOwnViewportInBothModes) {
  for (int zemba : {0, 1}) {
    SCOPED_TRACE(zemba ? "logical-viewport mode" : "standard mode");
    for (const char *text :
         {"#Inventor V2.1 ascii\nPoSceneView { viewportOrigin 0.25 0.75 }\n",
          // A callback node of the file's own replaces the constructed one.
          "#Inventor V2.1 ascii\n"
          "PoSceneView { viewportOrigin 0.25 0.75 catchActionCallback Callback {} }\n"}) {
      SoSeparator *root = nullptr;
      {
        // Logical-viewport mode only for the read: the probe runs in
        // standard mode, where a callback action gets the view's viewport.
        std::unique_ptr<ZembaMode> mode(zemba ? new ZembaMode : nullptr);
        root = readScene(text);
      }
      ASSERT_NE(root, nullptr);
      root->ref();
      PoSceneView *read = onlyView(root);
      ASSERT_NE(read, nullptr);
      EXPECT_EQ(originSeenBy(read), SbVec2f(0.25f, 0.75f)) << text;
      root->unref();
    }
  }
}
