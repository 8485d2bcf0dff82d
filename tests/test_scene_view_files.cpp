#include "SceneFiles.h"
#include "SceneViewTestAccess.h"

#include <Inventor/nodekits/SoCameraKit.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoFieldSensor.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool contains(const std::vector<std::string> &names, const std::string &name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

const char *const kNeverWritten[] = {"topSep",        "catchActionCallback", "backgroundSep",
                                     "backgroundApp", "background",          "sceneSep",
                                     "borderSep",     "borderApp",           "border",
                                     "callbackList"};

} // namespace

TEST(SceneViewFiles, WriteCarriesSwitchesCameraAndSceneButNoDecoration) {
  SceneViewRef view;
  view->viewportOrigin.setValue(0.25f, 0.5f);
  view->viewportSize.setValue(0.5f, 0.25f);
  view->isBackgroundVisible = TRUE;
  view->isBorderVisible = TRUE;
  view->set("borderApp.material", "diffuseColor 1 0 0");
  view->set("backgroundApp.material", "diffuseColor 0 0 1");
  static_cast<SoGroup *>(view->getPart("scene", TRUE))->addChild(new SoCube);
  view->set("cameraKit.camera", "position 0 0 7");

  // Writing changes nothing in the kit and tells nobody.
  int notified = 0;
  SoNodeSensor watcher([](void *count, SoSensor *) { ++*static_cast<int *>(count); }, &notified);
  watcher.setPriority(0);
  watcher.attach(view.get());
  SoFieldSensor fieldWatcher([](void *count, SoSensor *) { ++*static_cast<int *>(count); },
                             &notified);
  fieldWatcher.setPriority(0);
  fieldWatcher.attach(view->getField("backgroundApp"));
  SoNode *backgroundApp = part(view.get(), "backgroundApp");
  const std::string text = writeScene(view.get());
  watcher.detach();
  fieldWatcher.detach();
  EXPECT_EQ(notified, 0);
  EXPECT_EQ(part(view.get(), "backgroundApp"), backgroundApp);
  EXPECT_NE(view->getPart("borderApp.material", FALSE), nullptr);
  EXPECT_NE(static_cast<SoSFNode *>(view->getField("backgroundSep"))->getValue()
                ->getChildren()->find(backgroundApp),
            -1);

  const std::vector<std::string> names = writtenFieldNames(text);
  for (const char *written :
       {"viewportOrigin", "viewportSize", "isBackgroundVisible", "isBorderVisible", "cameraKit",
        "scene"})
    EXPECT_TRUE(contains(names, written)) << written << " missing from\n" << text;
  for (const char *absent : kNeverWritten)
    EXPECT_FALSE(contains(names, absent)) << absent << " written in\n" << text;
  for (const char *type :
       {"AppearanceKit", "Material", "LightModel", "Annotation", "OrthographicCamera",
        "PickStyle", "FaceSet", "LineSet", "Callback {"})
    EXPECT_EQ(text.find(type), std::string::npos) << type << " written in\n" << text;

  // A second write says the same.
  EXPECT_EQ(writeScene(view.get()), text);

  // Reading it back rebuilds the decorations from the switches.
  SoSeparator *root = readScene(text);
  ASSERT_NE(root, nullptr);
  root->ref();
  PoSceneView *read = onlyView(root);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->viewportOrigin.getValue(), SbVec2f(0.25f, 0.5f));
  EXPECT_EQ(read->viewportSize.getValue(), SbVec2f(0.5f, 0.25f));
  EXPECT_TRUE(read->isBackgroundVisible.getValue());
  EXPECT_TRUE(read->isBorderVisible.getValue());
  ASSERT_NE(part(read, "background"), nullptr);
  EXPECT_EQ(part(read, "background")->getChildren()->getLength(), 4);
  ASSERT_NE(part(read, "border"), nullptr);
  EXPECT_EQ(part(read, "border")->getChildren()->getLength(), 4);
  auto *scene = static_cast<SoGroup *>(part(read, "scene"));
  ASSERT_NE(scene, nullptr);
  ASSERT_EQ(scene->getNumChildren(), 1);
  EXPECT_EQ(scene->getChild(0)->getTypeId(), SoCube::getClassTypeId());
  auto *camera = static_cast<SoCamera *>(read->getPart("cameraKit.camera", FALSE));
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(camera->position.getValue(), SbVec3f(0, 0, 7));
  // What construction made is there; the application's looks are not.
  EXPECT_EQ(part(read, "catchActionCallback")->getTypeId(), SoCallback::getClassTypeId());
  auto *lightModel = static_cast<SoLightModel *>(read->getPart("backgroundApp.lightModel", FALSE));
  ASSERT_NE(lightModel, nullptr);
  EXPECT_EQ(lightModel->model.getValue(), int(SoLightModel::BASE_COLOR));
  EXPECT_EQ(part(read, "borderApp"), nullptr);
  EXPECT_TRUE(PoSceneViewTestAccess::isConnected(read));
  read->isBorderVisible = FALSE;
  EXPECT_EQ(part(read, "border"), nullptr);
  root->unref();
}

TEST(SceneViewFiles, HiddenDecorationsStayHiddenAcrossAFile) {
  SceneViewRef view;
  const std::string text = writeScene(view.get());
  EXPECT_TRUE(writtenFieldNames(text).empty()) << text;
  SoSeparator *root = readScene(text);
  ASSERT_NE(root, nullptr);
  root->ref();
  PoSceneView *read = onlyView(root);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(part(read, "background"), nullptr);
  EXPECT_EQ(part(read, "border"), nullptr);
  EXPECT_EQ(part(read, "scene"), nullptr);
  EXPECT_EQ(part(read, "cameraKit"), nullptr);
  root->unref();
}

TEST(SceneViewFiles, ReadingInLogicalViewportMode) {
  ZembaMode zemba;
  // A file may carry a callback node of its own; the kit binds whatever the
  // read leaves in place and holds it as it holds any part.
  SoSeparator *root = readScene("#Inventor V2.1 ascii\n"
                                "PoSceneView { isBorderVisible TRUE\n"
                                "  catchActionCallback Callback {} }\n");
  ASSERT_NE(root, nullptr);
  root->ref();
  PoSceneView *read = onlyView(root);
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->isBorderVisible.getValue());
  EXPECT_EQ(part(read, "border"), nullptr);
  SoNode *callback = part(read, "catchActionCallback");
  ASSERT_NE(callback, nullptr);
  EXPECT_EQ(callback->getRefCount(), part(read, "backgroundApp")->getRefCount());
  SoNode *topSep = part(read, "topSep");
  ASSERT_NE(topSep, nullptr);
  EXPECT_EQ(topSep->getChildren()->find(callback), 0);
  root->unref();
}
