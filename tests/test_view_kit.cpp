// The plain view kit: its class data, catalog, parts, life cycle and scene
// files.
#include "DebugCapture.h"
#include "ElementProbe.h"
#include "PoView.h"
#include "PoViewTestAccess.h"
#include "SceneFiles.h"
#include "SoDBImpl.h"
#include "TestViewKit.h"

#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/fields/SoFieldData.h>
#include <Inventor/nodekits/SoCameraKit.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoAnnotation.h>
#include <Inventor/nodekits/SoAppearanceKit.h>
#include <Inventor/nodes/SoGroup.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using Report = DebugCapture::Report;

// Holds a reference for the life of a test.
template <class Node> struct Ref {
  explicit Ref(Node *node) : node(node) { node->ref(); }
  ~Ref() { node->unref(); }
  Node *operator->() const { return node; }
  Node *node;
};

// The viewport origin a node placed after the view sees: the view's own
// origin when its traversal callback is bound to it.
SbVec2f originSeenAfter(PoView *view) {
  ElementProbe probe;
  Ref<SoSeparator> root(new SoSeparator);
  root->addChild(view);
  root->addChild(probe.node());
  SoCallbackAction action(SbViewportRegion(100, 100));
  action.apply(root.node);
  EXPECT_EQ(probe.calls(), 1);
  return probe.last().viewport.getViewportOrigin();
}

SoNode *childPart(PoView *view, const char *name) { return view->getPart(name, FALSE); }

PoView *findView(SoNode *root) {
  SoSearchAction search;
  search.setType(PoView::getClassTypeId());
  search.apply(root);
  SoPath *path = search.getPath();
  return path ? static_cast<PoView *>(path->getTail()) : nullptr;
}


} // namespace

TEST(View, TypeAndClassData) {
  const SoType type = PoView::getClassTypeId();
  EXPECT_EQ(SbName("PoView"), type.getName());
  EXPECT_EQ(type.getParent(), PoBaseView::getClassTypeId());
  EXPECT_EQ(SoType::fromName("PoView"), type);
  EXPECT_TRUE(type.canCreateInstance());
  EXPECT_EQ(PoViewTestAccess::parentFieldData(), PoBaseViewTestAccess::fieldDataPtr());
  EXPECT_EQ(PoViewTestAccess::mtId(), 0);

  Ref<SoNode> made(static_cast<SoNode *>(type.createInstance()));
  EXPECT_EQ(made->getTypeId(), type);
  EXPECT_EQ(made->getIsBuiltIn(), 0);
  EXPECT_TRUE(made->isOfType(PoBaseView::getClassTypeId()));
  EXPECT_EQ(static_cast<PoView *>(made.node)->getNodekitCatalog(),
            PoView::getClassNodekitCatalog());
}

TEST(View, CatalogHasTheCallbackBeforeTheCameraKit) {
  Ref<PoView> view(new PoView);
  const SoNodekitCatalog *catalog = PoView::getClassNodekitCatalog();
  ASSERT_NE(catalog, nullptr);
  // The base kit's entries, then the parts: the callback, the camera kit
  // and the overlays' annotation with what it holds.
  const int base = SoBaseKit::getClassNodekitCatalog()->getNumEntries();
  ASSERT_EQ(catalog->getNumEntries(), base + 6);
  EXPECT_EQ(catalog->getType("this"), PoView::getClassTypeId());

  struct Entry {
    const char *name;
    SoType type;
    const char *parent;
  } entries[] = {{"catchActionCallback", SoCallback::getClassTypeId(), "this"},
                 {"cameraKit", SoCameraKit::getClassTypeId(), "this"},
                 {"overlaySep", SoAnnotation::getClassTypeId(), "this"},
                 {"labelLook", SoType::fromName("LabelLook"), "overlaySep"},
                 {"labelApp", SoAppearanceKit::getClassTypeId(), "labelLook"},
                 {"overlay", SoGroup::getClassTypeId(), "overlaySep"}};
  for (const Entry &e : entries) {
    SCOPED_TRACE(e.name);
    EXPECT_NE(catalog->getPartNumber(e.name), SO_CATALOG_NAME_NOT_FOUND);
    EXPECT_EQ(catalog->getType(e.name), e.type);
    EXPECT_EQ(catalog->getDefaultType(e.name), e.type);
    EXPECT_TRUE(catalog->isNullByDefault(e.name));
    EXPECT_EQ(catalog->getParentName(e.name), SbName(e.parent));
    EXPECT_FALSE(catalog->isList(e.name));
    EXPECT_TRUE(catalog->isPublic(e.name));
  }
  // Appending each part made it the right sibling of the one before.
  EXPECT_EQ(catalog->getRightSiblingName("catchActionCallback"), SbName("cameraKit"));
  EXPECT_EQ(catalog->getRightSiblingName("cameraKit"), SbName("overlaySep"));
  EXPECT_EQ(catalog->getRightSiblingName("overlaySep"), SbName(""));
}

TEST(View, FieldDataAddsThePartFieldsOnce) {
  Ref<PoView> first(new PoView);
  const SoFieldData *data = PoViewTestAccess::fieldData();
  ASSERT_NE(data, nullptr);
  const int n = data->getNumFields();
  const char *const names[] = {"viewportOrigin", "viewportSize", "isVisible",
                               "navigation",     "catchActionCallback", "cameraKit", "overlaySep",
                               "labelLook",      "labelApp",     "overlay",
                               "label",          "isAxesVisible"};
  const int count = int(sizeof names / sizeof names[0]);
  ASSERT_GE(n, count);
  for (int i = 0; i < count; ++i) EXPECT_EQ(data->getFieldName(n - count + i), SbName(names[i]));

  Ref<PoView> second(new PoView);
  EXPECT_EQ(PoViewTestAccess::fieldData(), data);
  EXPECT_EQ(data->getNumFields(), n);
  EXPECT_EQ(PoViewTestAccess::firstInstance(), 0);
  EXPECT_EQ(countField(data, "cameraKit"), 1);
  for (PoView *view : {first.node, second.node}) {
    SoField *part = view->getField("catchActionCallback");
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->getContainer(), view);
    EXPECT_EQ(part->getFieldType(), int(SoField::NORMAL_FIELD));
    EXPECT_EQ(view->getField("cameraKit")->getContainer(), view);
    EXPECT_EQ(view->getField("label")->getContainer(), view);
  }
}

TEST(View, ConstructionInstallsTheBoundCallbackOnly) {
  Ref<PoView> view(new PoView);
  SoNode *callback = childPart(view.node, "catchActionCallback");
  ASSERT_NE(callback, nullptr);
  EXPECT_TRUE(callback->isOfType(SoCallback::getClassTypeId()));
  EXPECT_EQ(childPart(view.node, "cameraKit"), nullptr);

  view->viewportOrigin.setValue(0.25f, 0.75f);
  EXPECT_EQ(originSeenAfter(view.node), SbVec2f(0.25f, 0.75f));

  // The camera is made on demand, with the camera kit around it.
  SoNode *camera = view->getPart("cameraKit.camera", TRUE);
  ASSERT_NE(camera, nullptr);
  EXPECT_TRUE(camera->isOfType(SoCamera::getClassTypeId()));
  EXPECT_NE(childPart(view.node, "cameraKit"), nullptr);
}

// Whatever order the parts are made in, the callback runs first.
TEST(View, ChildOrderFollowsTheCatalog) {
  Ref<PoView> view(new PoView);
  view->setPart("catchActionCallback", nullptr);
  ASSERT_NE(view->getPart("cameraKit", TRUE), nullptr);
  ASSERT_NE(view->getPart("catchActionCallback", TRUE), nullptr);
  SoChildList *children = view->getChildren();
  ASSERT_EQ(children->getLength(), 2);
  EXPECT_TRUE((*children)[0]->isOfType(SoCallback::getClassTypeId()));
  EXPECT_TRUE((*children)[1]->isOfType(SoCameraKit::getClassTypeId()));
}

// Copies are kits of their own: their callback follows their own fields.
TEST(View, CopiesTakeValuesAndKeepTheirOwnCallback) {
  Ref<PoView> source(new PoView);
  source->viewportOrigin.setValue(0.5f, 0.25f);
  source->viewportSize.setValue(0.5f, 0.5f);
  source->sensitiveOnEvents(1);
  SoNode *cameraKit = source->getPart("cameraKit", TRUE);

  Ref<PoView> copy(new PoView(*source.node));
  EXPECT_EQ(copy->viewportOrigin.getValue(), SbVec2f(0.5f, 0.25f));
  EXPECT_EQ(copy->viewportSize.getValue(), SbVec2f(0.5f, 0.5f));
  EXPECT_EQ(copy->isSensitiveOnEvents(), 1);
  EXPECT_EQ(childPart(copy.node, "cameraKit"), cameraKit);
  EXPECT_NE(childPart(copy.node, "catchActionCallback"),
            childPart(source.node, "catchActionCallback"));
  copy->viewportOrigin.setValue(0.125f, 0);
  EXPECT_EQ(originSeenAfter(copy.node), SbVec2f(0.125f, 0));
  EXPECT_EQ(originSeenAfter(source.node), SbVec2f(0.5f, 0.25f));

  Ref<PoView> assigned(new PoView);
  *assigned.node = *source.node;
  EXPECT_EQ(assigned->viewportSize.getValue(), SbVec2f(0.5f, 0.5f));
  assigned->viewportOrigin.setValue(0, 0.5f);
  EXPECT_EQ(originSeenAfter(assigned.node), SbVec2f(0, 0.5f));
}

TEST(View, DeletingThroughTheViewInterfaceFreesTheKit) {
  SoGetView *query = new PoView;
  EXPECT_EQ(query->getViewportIsEnabled(), 1);
  delete query; // the sanitizer build checks that nothing leaks or is freed twice
}

TEST(ViewFiles, WrittenWithFieldsAndCameraButNoCallback) {
  Ref<SoSeparator> root(new SoSeparator);
  PoView *view = new PoView;
  root->addChild(view);
  view->viewportOrigin.setValue(0.5f, 0.25f);
  view->viewportSize.setValue(0.5f, 0.75f);
  auto *camera = static_cast<SoPerspectiveCamera *>(view->getPart("cameraKit.camera", TRUE));
  camera->position.setValue(1, 2, 3);

  const std::string text = writeScene(root.node);
  EXPECT_NE(text.find("PoView"), std::string::npos) << text;
  EXPECT_NE(text.find("viewportOrigin 0.5 0.25"), std::string::npos) << text;
  EXPECT_NE(text.find("viewportSize 0.5 0.75"), std::string::npos) << text;
  EXPECT_NE(text.find("cameraKit"), std::string::npos) << text;
  EXPECT_NE(text.find("position 1 2 3"), std::string::npos) << text;
  // Coin declares every field of an extension node, the part field too; the
  // part itself carries no value and no node.
  EXPECT_EQ(text.find("\n    catchActionCallback"), std::string::npos) << text;
  EXPECT_EQ(text.find("Callback {"), std::string::npos) << text;

  for (int zemba : {0, 1}) {
    SCOPED_TRACE(zemba);
    SoDBImpl::m_isZemba = zemba;
    SoSeparator *readRoot = readScene(text);
    SoDBImpl::m_isZemba = 0;
    ASSERT_NE(readRoot, nullptr);
    Ref<SoSeparator> hold(readRoot);
    PoView *readView = findView(readRoot);
    ASSERT_NE(readView, nullptr);
    EXPECT_EQ(readView->viewportOrigin.getValue(), SbVec2f(0.5f, 0.25f));
    EXPECT_EQ(readView->viewportSize.getValue(), SbVec2f(0.5f, 0.75f));
    auto *readCamera =
        static_cast<SoPerspectiveCamera *>(readView->getPart("cameraKit.camera", FALSE));
    ASSERT_NE(readCamera, nullptr);
    EXPECT_EQ(readCamera->position.getValue(), SbVec3f(1, 2, 3));
    EXPECT_EQ(originSeenAfter(readView), SbVec2f(0.5f, 0.25f));
  }
}

// Binding the callback again after a read hands out no reference and takes
// none: the callback node is held exactly as construction holds it.
TEST(ViewFiles, ReadingKeepsTheCallbackReferenceCountBalanced) {
  Ref<PoView> constructed(new PoView);
  const int expected = childPart(constructed.node, "catchActionCallback")->getRefCount();
  for (int zemba : {0, 1}) {
    SCOPED_TRACE(zemba);
    SoDBImpl::m_isZemba = zemba;
    SoSeparator *readRoot = readScene("#Inventor V2.1 ascii\nPoView { viewportSize 0.5 0.5 }\n");
    SoDBImpl::m_isZemba = 0;
    ASSERT_NE(readRoot, nullptr);
    Ref<SoSeparator> hold(readRoot);
    PoView *view = findView(readRoot);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(childPart(view, "catchActionCallback")->getRefCount(), expected);
  }
}

// A file that carries a callback part of its own (not written by this
// library) must not leave the view with a callback that places nothing.
TEST(ViewFiles, ForeignCallbackPartIsBoundToTheView) {
  Ref<SoSeparator> root(readScene("#Inventor V2.1 ascii\n"
                             "PoView { viewportOrigin 0.25 0.5 catchActionCallback Callback {} }\n"));
  ASSERT_NE(root.node, nullptr);
  PoView *view = findView(root.node);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(originSeenAfter(view), SbVec2f(0.25f, 0.5f));
}

// A view whose read fails halfway (here a part is followed by a stray node
// where a field name belongs) is thrown away by Coin. Binding the callback
// into such a half-read kit broke Coin's child list, and destroying the kit
// then crashed; the read now fails cleanly in either mode.
TEST(ViewFiles, FailedReadDestroysTheViewCleanly) {
  for (int zemba : {0, 1}) {
    SCOPED_TRACE(zemba);
    SoDBImpl::m_isZemba = zemba;
    SoSeparator *root = readScene("#Inventor V2.1 ascii\n"
                             "Separator { PoView { cameraKit CameraKit { camera PerspectiveCamera {} }\n"
                             "Cube {} Sphere {} }\n");
    SoDBImpl::m_isZemba = 0;
    EXPECT_EQ(root, nullptr);
    if (root) {
      root->ref();
      root->unref();
    }
  }
}
