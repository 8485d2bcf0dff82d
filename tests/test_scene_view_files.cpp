#include "SceneFiles.h"
#include "SceneViewTestAccess.h"

#include "PoView.h"

#include <Inventor/nodekits/SoCameraKit.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoDrawStyle.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool contains(const std::vector<std::string> &names, const std::string &name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

const char *const kNeverWritten[] = {"topSep",   "catchActionCallback", "backgroundSep", "background",
                                     "sceneSep", "borderSep",           "border",        "callbackList"};

SbColor diffuseOf(PoSceneView *view, const char *material) {
  auto *node = static_cast<SoMaterial *>(view->getPart(material, FALSE));
  return node ? node->diffuseColor[0] : SbColor(-1, -1, -1);
}

} // namespace

TEST(SceneViewFiles, WriteCarriesSwitchesLooksCameraAndSceneButNoDecoration) {
  SceneViewRef view;
  view->viewportOrigin.setValue(0.25f, 0.5f);
  view->viewportSize.setValue(0.5f, 0.25f);
  view->isBackgroundVisible = TRUE;
  view->isBorderVisible = TRUE;
  view->setBorderColor(SbColor(1, 0, 0));
  view->setBorderWidth(3);
  view->setBackgroundColor(SbColor(0, 0, 1));
  static_cast<SoGroup *>(view->getPart("scene", TRUE))->addChild(new SoCube);
  view->set("cameraKit.camera", "position 0 0 7");

  // Writing changes nothing in the kit and tells nobody.
  int notified = 0;
  SoNodeSensor watcher([](void *count, SoSensor *) { ++*static_cast<int *>(count); }, &notified);
  watcher.setPriority(0);
  watcher.attach(view.get());
  SoNode *backgroundApp = part(view.get(), "backgroundApp");
  const std::string text = writeScene(view.get());
  watcher.detach();
  EXPECT_EQ(notified, 0);
  EXPECT_EQ(part(view.get(), "backgroundApp"), backgroundApp);

  const std::vector<std::string> names = writtenFieldNames(text);
  for (const char *written : {"viewportOrigin", "viewportSize", "isBackgroundVisible",
                              "isBorderVisible", "cameraKit", "scene", "backgroundApp", "borderApp"})
    EXPECT_TRUE(contains(names, written)) << written << " missing from\n" << text;
  for (const char *absent : kNeverWritten)
    EXPECT_FALSE(contains(names, absent)) << absent << " written in\n" << text;
  for (const char *type : {"Annotation", "OrthographicCamera", "PickStyle", "FaceSet", "LineSet",
                           "Callback {"})
    EXPECT_EQ(text.find(type), std::string::npos) << type << " written in\n" << text;

  // A second write says the same.
  EXPECT_EQ(writeScene(view.get()), text);

  // Reading it back rebuilds the decorations from the switches, in the looks
  // that were set.
  SoSeparator *root = readScene(text);
  ASSERT_NE(root, nullptr);
  root->ref();
  PoSceneView *read = onlyView(root);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->viewportOrigin.getValue(), SbVec2f(0.25f, 0.5f));
  EXPECT_EQ(read->viewportSize.getValue(), SbVec2f(0.5f, 0.25f));
  ASSERT_NE(part(read, "background"), nullptr);
  EXPECT_EQ(part(read, "background")->getChildren()->getLength(), 4);
  ASSERT_NE(part(read, "border"), nullptr);
  EXPECT_EQ(part(read, "border")->getChildren()->getLength(), 4);
  EXPECT_EQ(diffuseOf(read, "backgroundApp.material"), SbColor(0, 0, 1));
  EXPECT_EQ(diffuseOf(read, "borderApp.material"), SbColor(1, 0, 0));
  auto *style = static_cast<SoDrawStyle *>(read->getPart("borderApp.drawStyle", FALSE));
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->lineWidth.getValue(), 3.0f);
  auto *lightModel = static_cast<SoLightModel *>(read->getPart("backgroundApp.lightModel", FALSE));
  ASSERT_NE(lightModel, nullptr);
  EXPECT_EQ(lightModel->model.getValue(), int(SoLightModel::BASE_COLOR));
  auto *scene = static_cast<SoGroup *>(part(read, "scene"));
  ASSERT_NE(scene, nullptr);
  ASSERT_EQ(scene->getNumChildren(), 1);
  EXPECT_EQ(scene->getChild(0)->getTypeId(), SoCube::getClassTypeId());
  ASSERT_NE(read->getCamera(), nullptr);
  EXPECT_EQ(read->getCamera()->position.getValue(), SbVec3f(0, 0, 7));
  EXPECT_EQ(part(read, "catchActionCallback")->getTypeId(), SoCallback::getClassTypeId());
  EXPECT_TRUE(PoSceneViewTestAccess::isConnected(read));
  read->isBorderVisible = FALSE;
  EXPECT_EQ(part(read, "border"), nullptr);
  root->unref();
}

// An appearance kit is written when it holds anything construction did not
// put there, and then comes back as it was.
TEST(SceneViewFiles, LooksAreWrittenExactlyWhenTheyDifferFromConstruction) {
  struct Case {
    const char *name;
    void (*change)(PoSceneView *);
    bool backgroundWritten, borderWritten;
  };
  const Case cases[] = {
      {"untouched", [](PoSceneView *) {}, false, false},
      {"construction's light model set again, empty border kit",
       [](PoSceneView *view) {
         view->set("backgroundApp.lightModel", "model BASE_COLOR");
         view->getPart("borderApp", TRUE);
       },
       false, false},
      {"lit background", [](PoSceneView *view) { view->set("backgroundApp.lightModel", "model PHONG"); },
       true, false},
      {"background light model removed",
       [](PoSceneView *view) { view->setPart("backgroundApp.lightModel", nullptr); }, true, false},
      {"border width", [](PoSceneView *view) { view->setBorderWidth(2); }, false, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SceneViewRef view;
    c.change(view.get());
    const std::string text = writeScene(view.get());
    const std::vector<std::string> names = writtenFieldNames(text);
    EXPECT_EQ(contains(names, "backgroundApp"), c.backgroundWritten) << text;
    EXPECT_EQ(contains(names, "borderApp"), c.borderWritten) << text;
    SoSeparator *root = readScene(text);
    ASSERT_NE(root, nullptr);
    root->ref();
    PoSceneView *read = onlyView(root);
    ASSERT_NE(read, nullptr);
    // What the view draws with comes back: the light model, the line width.
    auto *before = static_cast<SoLightModel *>(view->getPart("backgroundApp.lightModel", FALSE));
    auto *after = static_cast<SoLightModel *>(read->getPart("backgroundApp.lightModel", FALSE));
    ASSERT_EQ(before == nullptr, after == nullptr);
    if (before) {
      EXPECT_EQ(after->model.getValue(), before->model.getValue());
    }
    EXPECT_EQ(read->getPart("borderApp.drawStyle", FALSE) != nullptr, c.borderWritten);
    EXPECT_EQ(writeScene(read), text);
    root->unref();
  }
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

namespace {

// A view's overlay settings, on either kit.
struct OverlayLooks {
  std::string label;
  bool axes;
  SbColor labelColour;
  SbColor activeBorderColour; // scene views only
};

OverlayLooks looksOf(PoBaseView *view) {
  if (view->isOfType(PoSceneView::getClassTypeId())) {
    auto *sceneView = static_cast<PoSceneView *>(view);
    return {sceneView->label.getValue().getString(), sceneView->isAxesVisible.getValue() != FALSE,
            sceneView->getLabelColor(), sceneView->getActiveBorderColor()};
  }
  auto *plainView = static_cast<PoView *>(view);
  return {plainView->label.getValue().getString(), plainView->isAxesVisible.getValue() != FALSE,
          plainView->getLabelColor(), SbColor(1.0f, 0.85f, 0.0f)};
}

SoNode *anyPart(PoBaseView *view, const char *name) {
  return static_cast<SoSFNode *>(view->getField(name))->getValue();
}

} // namespace

// Plain and scene views x overlay settings: a file carries the label, the
// triad's switch and the colours set, nothing of them that was not set, and
// none of the nodes the kit builds for them; reading it back gives the same
// overlays, built again, and writing that gives the same text.
TEST(ViewOverlayFiles, OverlaysAreWrittenOnlyWhenSetAndComeBack) {
  struct Case {
    const char *name;
    bool sceneView;
    void (*set)(PoBaseView *);
    std::vector<std::string> written;
  };
  const Case cases[] = {
      {"scene view, nothing set", true, [](PoBaseView *) {}, {}},
      {"scene view, label with quotes", true,
       [](PoBaseView *v) { static_cast<PoSceneView *>(v)->label = "Top \"A\""; }, {"label"}},
      // The listing of names reads the text line by line: the label's second
      // line starts with a word of its own.
      {"scene view, label of two lines", true,
       [](PoBaseView *v) { static_cast<PoSceneView *>(v)->label = "Top\nsecond line"; },
       {"label", "second"}},
      {"scene view, triad and border", true,
       [](PoBaseView *v) {
         static_cast<PoSceneView *>(v)->isAxesVisible = TRUE;
         static_cast<PoSceneView *>(v)->isBorderVisible = TRUE;
       },
       {"isBorderVisible", "isAxesVisible"}},
      {"scene view, colours", true,
       [](PoBaseView *v) {
         static_cast<PoSceneView *>(v)->label = "Front";
         static_cast<PoSceneView *>(v)->setLabelColor(SbColor(0, 1, 0));
         static_cast<PoSceneView *>(v)->setActiveBorderColor(SbColor(1, 0, 1));
       },
       {"label", "activeBorderApp", "labelApp"}},
      {"plain view, nothing set", false, [](PoBaseView *) {}, {}},
      {"plain view, label and triad", false,
       [](PoBaseView *v) {
         static_cast<PoView *>(v)->label = "Side";
         static_cast<PoView *>(v)->isAxesVisible = TRUE;
       },
       {"label", "isAxesVisible"}},
      {"plain view, label colour", false,
       [](PoBaseView *v) {
         static_cast<PoView *>(v)->label = "Side";
         static_cast<PoView *>(v)->setLabelColor(SbColor(0, 0, 1));
       },
       {"labelApp", "label"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    PoBaseView *view = c.sceneView ? static_cast<PoBaseView *>(new PoSceneView) : new PoView;
    view->ref();
    c.set(view);
    const std::string text = writeScene(view);
    std::vector<std::string> names = writtenFieldNames(text);
    std::vector<std::string> expected = c.written;
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected) << text;
    for (const char *builtByTheKit : {"LabelLook", "ActiveBorderSeparator", "ViewLabelText",
                                      "ViewAxisTriad", "OrthographicCamera", "Annotation"})
      EXPECT_EQ(text.find(builtByTheKit), std::string::npos) << builtByTheKit << " in\n" << text;

    SoSeparator *root = readScene(text);
    ASSERT_NE(root, nullptr);
    root->ref();
    ASSERT_EQ(root->getNumChildren(), 1);
    auto *read = static_cast<PoBaseView *>(root->getChild(0));
    const OverlayLooks before = looksOf(view), after = looksOf(read);
    EXPECT_EQ(after.label, before.label);
    EXPECT_EQ(after.axes, before.axes);
    EXPECT_EQ(after.labelColour, before.labelColour);
    EXPECT_EQ(after.activeBorderColour, before.activeBorderColour);
    EXPECT_EQ(anyPart(read, "overlay") != nullptr, !before.label.empty() || before.axes);
    EXPECT_EQ(writeScene(read), text);
    root->unref();
    view->unref();
  }
}

// A file written before views had overlays reads as it did: no overlay,
// nothing built for one, and written again without any of their fields.
TEST(ViewOverlayFiles, FilesWithoutOverlaysReadAsBefore) {
  const std::string old = "#Inventor V2.1 ascii\n\n"
                          "Separator {\n"
                          "  PoSceneView {\n"
                          "    viewportSize 0.5 1\n"
                          "    isBackgroundVisible TRUE\n"
                          "    isBorderVisible TRUE\n"
                          "    borderApp AppearanceKit { material Material { diffuseColor 1 1 1 } }\n"
                          "    cameraKit CameraKit { camera PerspectiveCamera { position 0 0 6 } }\n"
                          "    scene Separator { Cube { } }\n"
                          "  }\n"
                          "  PoView { viewportOrigin 0.5 0 viewportSize 0.5 1 }\n"
                          "}\n";
  SoSeparator *root = readScene(old);
  ASSERT_NE(root, nullptr);
  root->ref();
  ASSERT_EQ(root->getNumChildren(), 2);
  auto *sceneView = static_cast<PoSceneView *>(root->getChild(0));
  auto *plainView = static_cast<PoView *>(root->getChild(1));
  EXPECT_EQ(looksOf(sceneView).label, "");
  EXPECT_FALSE(looksOf(sceneView).axes);
  EXPECT_EQ(looksOf(sceneView).labelColour, SbColor(1, 1, 1));
  EXPECT_EQ(looksOf(plainView).label, "");
  EXPECT_FALSE(looksOf(plainView).axes);
  for (const char *name : {"overlaySep", "labelLook", "labelApp", "overlay", "activeBorderApp"})
    EXPECT_EQ(anyPart(sceneView, name), nullptr) << name;
  for (const char *name : {"overlaySep", "labelLook", "labelApp", "overlay"})
    EXPECT_EQ(anyPart(plainView, name), nullptr) << name;
  // The border is drawn again, and with it the lines the active view draws.
  EXPECT_NE(anyPart(sceneView, "border"), nullptr);
  EXPECT_EQ(anyPart(sceneView, "activeBorder"), anyPart(sceneView, "border"));
  for (PoBaseView *view : {static_cast<PoBaseView *>(sceneView), static_cast<PoBaseView *>(plainView)}) {
    const std::string written = writeScene(view);
    const std::vector<std::string> names = writtenFieldNames(written);
    for (const char *field : {"label", "isAxesVisible", "labelApp", "activeBorderApp"})
      EXPECT_FALSE(contains(names, field)) << field << " in\n" << written;
  }
  root->unref();
}
