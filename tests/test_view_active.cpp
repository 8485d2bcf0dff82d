// Which view a viewer drives, asked of the library, and the highlight's
// bookkeeping outliving the viewers it was installed on.
#include "PoOffscreenRenderer.h"
#include "PoSceneView.h"
#include "PoView.h"

#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <QWidget>

namespace {

// Three views, the middle one a plain view sharing the first one's camera.
struct ThreeViews {
  ThreeViews() : root(new SoSeparator) {
    root->ref();
    first->viewportSize.setValue(0.5f, 1.0f);
    first->isBorderVisible = TRUE;
    last->viewportOrigin.setValue(0.5f, 0.0f);
    last->viewportSize.setValue(0.5f, 1.0f);
    last->isBorderVisible = TRUE;
    shared->setPart("cameraKit.camera", first->getCamera());
    shared->viewportSize.setValue(0.0f, 0.0f);
    last->getCamera();
    root->addChild(first);
    root->addChild(shared);
    root->addChild(last);
  }
  ~ThreeViews() { root->unref(); }
  SoSeparator *root;
  PoSceneView *first = new PoSceneView;
  PoView *shared = new PoView;
  PoSceneView *last = new PoSceneView;
};

} // namespace

// The active view is the one whose camera the viewer has; of views sharing
// it, the one drawn last.
TEST(ActiveView, IsTheViewWithTheViewersCamera) {
  ThreeViews views;
  QWidget window;
  SoQtExaminerViewer viewer(&window);
  viewer.setSceneGraph(views.root);
  EXPECT_EQ(PoBaseView::getActiveView(nullptr), nullptr);

  views.last->setCamera(&viewer);
  EXPECT_EQ(PoBaseView::getActiveView(&viewer), views.last);
  views.first->setCamera(&viewer);
  EXPECT_EQ(PoBaseView::getActiveView(&viewer), views.shared);
  SoPerspectiveCamera *elsewhere = new SoPerspectiveCamera;
  elsewhere->ref();
  viewer.setCamera(elsewhere);
  EXPECT_EQ(PoBaseView::getActiveView(&viewer), nullptr);
  viewer.setSceneGraph(nullptr);
  EXPECT_EQ(PoBaseView::getActiveView(&viewer), nullptr);
  elsewhere->unref();
}

// SoQt keeps a viewer's widgets when it deletes an embedded viewer, and the
// installed routing with them: renders after the viewer has gone, and
// installations replaced or made again, leave nothing that points at it.
TEST(ActiveView, RendersOutliveTheViewersTheyWereDrivenBy) {
  ThreeViews views;
  QWidget window;
  for (int round = 0; round < 3; ++round) {
    auto *viewer = new SoQtExaminerViewer(&window);
    viewer->setSceneGraph(views.root);
    PoBaseView::installViewingEventCB(viewer);
    PoBaseView::installViewingEventCB(viewer); // replaces the first
    views.last->setCamera(viewer);
    EXPECT_FALSE(PoOffscreenRenderer(64, 32).render(views.root).isNull());
    delete viewer;
    EXPECT_FALSE(PoOffscreenRenderer(64, 32).render(views.root).isNull());
  }
}
