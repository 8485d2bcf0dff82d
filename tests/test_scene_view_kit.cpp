#include "DebugCapture.h"
#include "SceneViewTestAccess.h"
#include "TestViewKit.h"

#include <Inventor/fields/SoFieldData.h>
#include <Inventor/nodekits/SoAppearanceKit.h>
#include <Inventor/nodekits/SoCameraKit.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoAnnotation.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoLightModel.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Report = DebugCapture::Report;

const char *const kPartNames[] = {
    "topSep",    "catchActionCallback", "backgroundSep",   "backgroundApp",   "background",
    "sceneSep",  "cameraKit",           "scene",           "borderSep",       "borderApp",
    "border",    "activeBorderSep",     "activeBorderApp", "activeBorder",    "overlaySep",
    "labelLook", "labelApp",            "overlay"};

std::vector<std::string> childNames(PoSceneView *view, SoNode *parent) {
  std::vector<std::string> names;
  SoChildList *children = parent->getChildren();
  for (int i = 0; children && i < children->getLength(); ++i) {
    SoNode *child = (*children)[i];
    std::string name = "?";
    for (const char *partName : kPartNames)
      if (part(view, partName) == child) {
        name = partName;
        break;
      }
    names.push_back(name);
  }
  return names;
}

// A node held for the life of one scope, so that a later node cannot be
// allocated at its address and pass for it.
struct Held {
  explicit Held(SoNode *node) : node(node) { if (node) node->ref(); }
  ~Held() { if (node) node->unref(); }
  SoNode *node;
};

} // namespace

TEST(SceneViewClass, TypeFieldTableAndCatalog) {
  SoType type = PoSceneView::getClassTypeId();
  EXPECT_EQ(SbName("PoSceneView"), type.getName());
  EXPECT_EQ(SbName("PoBaseView"), type.getParent().getName());
  ASSERT_TRUE(type.canCreateInstance());
  EXPECT_EQ(PoSceneViewTestAccess::mtId(), 0);

  SceneViewRef view(static_cast<PoSceneView *>(type.createInstance()));
  EXPECT_EQ(view->getTypeId(), type);
  EXPECT_EQ(view->getIsBuiltIn(), 0);
  EXPECT_TRUE(view->isOfType(PoBaseView::getClassTypeId()));

  // The base view's fields, then the parts in catalog order, then the
  // switches and the label; every one belongs to the kit and is an ordinary
  // field.
  const SoFieldData *data = view->getFieldData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data, PoSceneViewTestAccess::fieldData());
  const int own = 22;
  ASSERT_GE(data->getNumFields(), own);
  const int first = data->getNumFields() - own;
  EXPECT_EQ(data->getFieldName(first - 4), SbName("viewportOrigin"));
  EXPECT_EQ(data->getFieldName(first - 3), SbName("viewportSize"));
  EXPECT_EQ(data->getFieldName(first - 2), SbName("isVisible"));
  EXPECT_EQ(data->getFieldName(first - 1), SbName("navigation"));
  std::vector<std::string> expected(std::begin(kPartNames), std::end(kPartNames));
  expected.push_back("isBackgroundVisible");
  expected.push_back("isBorderVisible");
  expected.push_back("label");
  expected.push_back("isAxesVisible");
  for (int i = 0; i < own; ++i) {
    EXPECT_EQ(data->getFieldName(first + i).getString(), expected[i]);
    SoField *field = data->getField(view.get(), first + i);
    EXPECT_EQ(field, view->getField(expected[i].c_str()));
    EXPECT_EQ(field->getContainer(), view.get());
    EXPECT_EQ(field->getFieldType(), int(SoField::NORMAL_FIELD));
  }

  // Eighteen public, non-list entries on top of the base view's catalog.
  const SoNodekitCatalog *catalog = PoSceneView::getClassNodekitCatalog();
  ASSERT_NE(catalog, nullptr);
  EXPECT_EQ(view->getNodekitCatalog(), catalog);
  EXPECT_EQ(catalog->getType("this"), type);
  EXPECT_EQ(catalog->getNumEntries(), PoBaseView::getClassNodekitCatalog()->getNumEntries() + 18);
  struct Entry { const char *name, *type, *parent; };
  const Entry entries[] = {
      {"topSep", "Separator", "this"},          {"catchActionCallback", "Callback", "topSep"},
      {"backgroundSep", "Separator", "topSep"}, {"backgroundApp", "AppearanceKit", "backgroundSep"},
      {"background", "Group", "backgroundSep"}, {"sceneSep", "Separator", "topSep"},
      {"cameraKit", "CameraKit", "sceneSep"},   {"scene", "Group", "sceneSep"},
      {"borderSep", "Annotation", "topSep"},    {"borderApp", "AppearanceKit", "borderSep"},
      {"border", "Group", "borderSep"},
      {"activeBorderSep", "ActiveBorderSeparator", "borderSep"},
      {"activeBorderApp", "AppearanceKit", "activeBorderSep"},
      {"activeBorder", "Group", "activeBorderSep"},
      {"overlaySep", "Separator", "borderSep"},
      {"labelLook", "LabelLook", "overlaySep"},
      {"labelApp", "AppearanceKit", "labelLook"},
      {"overlay", "Group", "overlaySep"}};
  for (const Entry &entry : entries) {
    SCOPED_TRACE(entry.name);
    ASSERT_NE(catalog->getPartNumber(entry.name), SO_CATALOG_NAME_NOT_FOUND);
    EXPECT_EQ(catalog->getType(entry.name).getName(), SbName(entry.type));
    EXPECT_EQ(catalog->getDefaultType(entry.name).getName(), SbName(entry.type));
    EXPECT_EQ(catalog->getParentName(entry.name), SbName(entry.parent));
    EXPECT_TRUE(catalog->isNullByDefault(entry.name));
    EXPECT_FALSE(catalog->isList(entry.name));
    EXPECT_TRUE(catalog->getListContainerType(entry.name).isBad());
    EXPECT_TRUE(catalog->isPublic(entry.name));
  }

  // A second kit adds nothing to the class data.
  const int fields = data->getNumFields();
  SceneViewRef second;
  EXPECT_EQ(PoSceneViewTestAccess::firstInstance(), 0);
  EXPECT_EQ(second->getFieldData()->getNumFields(), fields);
  EXPECT_EQ(PoSceneView::getClassNodekitCatalog(), catalog);
  EXPECT_EQ(second->getField("isBorderVisible")->getContainer(), second.get());
  EXPECT_NE(second->getField("isBorderVisible"), view->getField("isBorderVisible"));
}

TEST(SceneViewKit, FreshKit) {
  SceneViewRef view;
  EXPECT_FALSE(view->isBackgroundVisible.getValue());
  EXPECT_FALSE(view->isBorderVisible.getValue());
  EXPECT_EQ(part(view, "background"), nullptr);
  EXPECT_EQ(part(view, "border"), nullptr);
  for (const char *absent : {"sceneSep", "cameraKit", "scene", "borderSep", "borderApp"})
    EXPECT_EQ(part(view, absent), nullptr) << absent;
  EXPECT_EQ(view->viewportOrigin.getValue(), SbVec2f(0, 0));
  EXPECT_EQ(view->viewportSize.getValue(), SbVec2f(1, 1));

  SoNode *callback = part(view, "catchActionCallback");
  ASSERT_NE(callback, nullptr);
  EXPECT_EQ(callback->getTypeId(), SoCallback::getClassTypeId());
  // Held by its part field and its parent, like every part Coin makes.
  SoNode *appearance = part(view, "backgroundApp");
  ASSERT_NE(appearance, nullptr);
  EXPECT_EQ(callback->getRefCount(), appearance->getRefCount());

  auto *lightModel = static_cast<SoLightModel *>(view->getPart("backgroundApp.lightModel", FALSE));
  ASSERT_NE(lightModel, nullptr);
  EXPECT_EQ(lightModel->model.getValue(), int(SoLightModel::BASE_COLOR));

  EXPECT_TRUE(PoSceneViewTestAccess::isConnected(view.get()));
  SoFieldSensor *backgroundSensor = PoSceneViewTestAccess::backgroundSensor(view.get());
  SoFieldSensor *borderSensor = PoSceneViewTestAccess::borderSensor(view.get());
  ASSERT_NE(backgroundSensor, nullptr);
  ASSERT_NE(borderSensor, nullptr);
  EXPECT_EQ(backgroundSensor->getAttachedField(), &view->isBackgroundVisible);
  EXPECT_EQ(borderSensor->getAttachedField(), &view->isBorderVisible);
  EXPECT_EQ(backgroundSensor->getPriority(), 0u);
  EXPECT_EQ(borderSensor->getPriority(), 0u);

  SoNode *topSep = part(view, "topSep");
  ASSERT_NE(topSep, nullptr);
  EXPECT_EQ(childNames(view.get(), topSep),
            (std::vector<std::string>{"catchActionCallback", "backgroundSep"}));
  // Seen through its SoGetView side, the kit is a view like any other.
  const SoGetView *query = view.get();
  EXPECT_EQ(query->getViewportIsEnabled(), 1);
}

TEST(SceneViewKit, ChildOrderFollowsTheCatalogWhateverTheCreationOrder) {
  SceneViewRef view;
  view->label = "Front";
  view->setLabelColor(SbColor(0, 1, 0));
  view->set("borderApp.material", "diffuseColor 1 0 0");
  view->isBorderVisible = TRUE;
  ASSERT_NE(view->getPart("scene", TRUE), nullptr);
  ASSERT_NE(view->getPart("cameraKit", TRUE), nullptr);
  view->isBackgroundVisible = TRUE;

  EXPECT_EQ(childNames(view.get(), part(view, "topSep")),
            (std::vector<std::string>{"catchActionCallback", "backgroundSep", "sceneSep",
                                      "borderSep"}));
  EXPECT_EQ(childNames(view.get(), part(view, "sceneSep")),
            (std::vector<std::string>{"cameraKit", "scene"}));
  EXPECT_EQ(childNames(view.get(), part(view, "backgroundSep")),
            (std::vector<std::string>{"backgroundApp", "background"}));
  EXPECT_EQ(childNames(view.get(), part(view, "borderSep")),
            (std::vector<std::string>{"borderApp", "border", "activeBorderSep", "overlaySep"}));
  EXPECT_EQ(childNames(view.get(), part(view, "overlaySep")),
            (std::vector<std::string>{"labelLook", "overlay"}));
  EXPECT_EQ(childNames(view.get(), part(view, "labelLook")),
            (std::vector<std::string>{"labelApp"}));
  EXPECT_EQ(part(view, "borderSep")->getTypeId(), SoAnnotation::getClassTypeId());
  // The kit's own children end with its top separator.
  SoChildList *children = view->getChildren();
  EXPECT_EQ((*children)[children->getLength() - 1], part(view, "topSep"));
}

TEST(SceneViewKit, SwitchesBuildAndRemoveTheirOwnDecorationAtOnce) {
  SceneViewRef view;
  view->isBackgroundVisible = TRUE;
  Held background(part(view, "background"));
  ASSERT_NE(background.node, nullptr);
  EXPECT_EQ(part(view, "border"), nullptr);

  view->isBorderVisible.setValue(TRUE);
  Held border(part(view, "border"));
  ASSERT_NE(border.node, nullptr);
  EXPECT_EQ(part(view, "background"), background.node);

  view->isBackgroundVisible = FALSE;
  EXPECT_EQ(part(view, "background"), nullptr);
  EXPECT_EQ(part(view, "border"), border.node);
  EXPECT_NE(part(view, "backgroundSep"), nullptr);
  EXPECT_NE(part(view, "backgroundApp"), nullptr);

  // Setting a shown decoration's switch again builds it anew.
  view->isBorderVisible = TRUE;
  Held again(part(view, "border"));
  ASSERT_NE(again.node, nullptr);
  EXPECT_NE(again.node, border.node);
  view->isBorderVisible = FALSE;
  EXPECT_EQ(part(view, "border"), nullptr);
  EXPECT_NE(part(view, "borderSep"), nullptr);

  // The callback answers only to the kit's own two sensors.
  view->isBackgroundVisible = TRUE;
  Held shown(part(view, "background"));
  SoFieldSensor stranger;
  PoSceneViewTestAccess::fieldSensorCB(view.get(), &stranger);
  EXPECT_EQ(part(view, "background"), shown.node);
  PoSceneViewTestAccess::fieldSensorCB(view.get(), PoSceneViewTestAccess::borderSensor(view.get()));
  EXPECT_EQ(part(view, "background"), shown.node);
  PoSceneViewTestAccess::fieldSensorCB(view.get(), nullptr);
  EXPECT_NE(part(view, "background"), shown.node);
}

TEST(SceneViewKit, ConnectionSetUp) {
  SceneViewRef view;
  PoSceneView *kit = view.get();
  view->isBackgroundVisible = TRUE;
  Held background(part(view, "background"));

  // Already connected, not forced: nothing happens.
  EXPECT_EQ(PoSceneViewTestAccess::setUpConnectionsOf(kit, TRUE, FALSE), TRUE);
  EXPECT_EQ(part(view, "background"), background.node);

  // Disconnecting detaches both sensors and answers that the kit was on.
  EXPECT_EQ(PoSceneViewTestAccess::setUpConnectionsOf(kit, FALSE, FALSE), TRUE);
  EXPECT_FALSE(PoSceneViewTestAccess::isConnected(kit));
  EXPECT_EQ(PoSceneViewTestAccess::backgroundSensor(kit)->getAttachedField(), nullptr);
  EXPECT_EQ(PoSceneViewTestAccess::borderSensor(kit)->getAttachedField(), nullptr);
  EXPECT_EQ(PoSceneViewTestAccess::setUpConnectionsOf(kit, FALSE, FALSE), FALSE);

  // A disconnected kit ignores its switches ...
  view->isBorderVisible = TRUE;
  view->isBackgroundVisible = FALSE;
  EXPECT_EQ(part(view, "border"), nullptr);
  EXPECT_EQ(part(view, "background"), background.node);
  EXPECT_EQ(PoSceneViewTestAccess::setUpConnectionsOf(kit, FALSE, TRUE), TRUE);
  EXPECT_EQ(part(view, "border"), nullptr);

  // ... until it is connected again, which brings both in line.
  EXPECT_EQ(PoSceneViewTestAccess::setUpConnectionsOf(kit, TRUE, FALSE), FALSE);
  EXPECT_TRUE(PoSceneViewTestAccess::isConnected(kit));
  Held border(part(view, "border"));
  EXPECT_NE(border.node, nullptr);
  EXPECT_EQ(part(view, "background"), nullptr);
  EXPECT_EQ(PoSceneViewTestAccess::borderSensor(kit)->getAttachedField(), &view->isBorderVisible);
  EXPECT_EQ(PoSceneViewTestAccess::backgroundSensor(kit)->getAttachedField(),
            &view->isBackgroundVisible);

  // Forced on a connected kit: both decorations are rebuilt.
  view->isBackgroundVisible = TRUE;
  Held shownBackground(part(view, "background"));
  EXPECT_EQ(PoSceneViewTestAccess::setUpConnectionsOf(kit, TRUE, TRUE), FALSE);
  EXPECT_NE(part(view, "background"), shownBackground.node);
  EXPECT_NE(part(view, "border"), border.node);
  EXPECT_NE(part(view, "border"), nullptr);
  // Still attached once, not twice: one change, one rebuild.
  Held before(part(view, "border"));
  view->isBorderVisible = FALSE;
  EXPECT_EQ(part(view, "border"), nullptr);
}

TEST(SceneViewKit, LogicalViewportModeLeavesDecorationsAlone) {
  SceneViewRef view;
  view->isBorderVisible = TRUE;
  Held border(part(view, "border"));
  ZembaMode zemba;

  view->isBackgroundVisible = TRUE;
  EXPECT_EQ(part(view, "background"), nullptr);
  view->isBorderVisible = FALSE;
  EXPECT_EQ(part(view, "border"), border.node);
  view->isBorderVisible = TRUE;
  EXPECT_EQ(part(view, "border"), border.node);

  EXPECT_EQ(PoSceneViewTestAccess::setUpConnectionsOf(view.get(), TRUE, TRUE), FALSE);
  EXPECT_EQ(part(view, "background"), nullptr);
  EXPECT_EQ(part(view, "border"), border.node);
  PoSceneViewTestAccess::fieldSensorCB(view.get(), nullptr);
  EXPECT_EQ(part(view, "border"), border.node);

  // A kit built in this mode starts bare and stays so.
  SceneViewRef fresh;
  fresh->isBorderVisible = TRUE;
  EXPECT_EQ(part(fresh, "border"), nullptr);
  EXPECT_NE(part(fresh, "catchActionCallback"), nullptr);
}

TEST(SceneViewKit, CopiesHaveSensorsOfTheirOwn) {
  SceneViewRef source;
  source->viewportOrigin.setValue(0.25f, 0.5f);
  source->viewportSize.setValue(0.5f, 0.25f);
  static_cast<SoGroup *>(source->getPart("scene", TRUE))->addChild(new SoCube);
  source->isBorderVisible = TRUE;
  source->navigation = PoBaseView::PAN;
  source->sensitiveOnEvents(1);

  PoSceneView *copied = new PoSceneView(*source.get());
  SceneViewRef copy(copied);
  EXPECT_EQ(copy->viewportOrigin.getValue(), SbVec2f(0.25f, 0.5f));
  EXPECT_EQ(copy->viewportSize.getValue(), SbVec2f(0.5f, 0.25f));
  EXPECT_EQ(copy->navigation.getValue(), PoBaseView::PAN);
  EXPECT_TRUE(copy->isBorderVisible.getValue());
  EXPECT_EQ(copy->isSensitiveOnEvents(), 1);
  EXPECT_EQ(part(copy, "scene"), part(source, "scene"));
  EXPECT_NE(part(copy, "border"), nullptr);
  EXPECT_NE(part(copy, "catchActionCallback"),
            part(source, "catchActionCallback"));
  EXPECT_NE(part(copy, "topSep"), part(source, "topSep"));

  SoFieldSensor *copySensor = PoSceneViewTestAccess::backgroundSensor(copy.get());
  EXPECT_NE(copySensor, PoSceneViewTestAccess::backgroundSensor(source.get()));
  EXPECT_NE(PoSceneViewTestAccess::borderSensor(copy.get()),
            PoSceneViewTestAccess::borderSensor(source.get()));
  EXPECT_EQ(copySensor->getAttachedField(), &copy->isBackgroundVisible);

  // Each kit's switches drive its own parts only.
  copy->isBackgroundVisible = TRUE;
  EXPECT_NE(part(copy, "background"), nullptr);
  EXPECT_EQ(part(source, "background"), nullptr);

  // Assignment takes the values; both kits keep their own sensors.
  SceneViewRef target;
  *target.get() = *copy.get();
  EXPECT_TRUE(target->isBackgroundVisible.getValue());
  EXPECT_TRUE(target->isBorderVisible.getValue());
  EXPECT_NE(part(target, "background"), nullptr);
  EXPECT_EQ(PoSceneViewTestAccess::borderSensor(target.get())->getAttachedField(),
            &target->isBorderVisible);
  *target.get() = *target.get();
  EXPECT_TRUE(target->isBorderVisible.getValue());
  // Taking a bare kit's values makes no empty separators.
  SceneViewRef bare, bareTarget;
  *bareTarget.get() = *bare.get();
  EXPECT_EQ(part(bareTarget, "sceneSep"), nullptr);
  EXPECT_EQ(part(bareTarget, "borderSep"), nullptr);
  target->isBorderVisible = FALSE;
  EXPECT_EQ(part(target, "border"), nullptr);
  EXPECT_NE(part(copy, "border"), nullptr);
}

TEST(SceneViewKit, NodeCopyRebuildsItsOwnDecorations) {
  SceneViewRef source;
  source->isBackgroundVisible = TRUE;
  source->isBorderVisible = TRUE;
  source->viewportSize.setValue(0.5f, 0.5f);
  SoNode *copied = source->copy();
  ASSERT_NE(copied, nullptr);
  ASSERT_EQ(copied->getTypeId(), PoSceneView::getClassTypeId());
  SceneViewRef copy(static_cast<PoSceneView *>(copied));
  EXPECT_EQ(copy->viewportSize.getValue(), SbVec2f(0.5f, 0.5f));
  EXPECT_TRUE(PoSceneViewTestAccess::isConnected(copy.get()));
  for (const char *name : {"background", "border", "catchActionCallback", "backgroundApp"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(part(copy, name), nullptr);
    EXPECT_NE(part(copy, name), part(source, name));
  }
  copy->isBorderVisible = FALSE;
  EXPECT_EQ(part(copy, "border"), nullptr);
  EXPECT_NE(part(source, "border"), nullptr);
}
