#include "DebugCapture.h"
#include "SoModifyViewVolumeElement.h"
#include "SoModule.h"
#include "TestViewKit.h"

#include <Inventor/fields/SoFieldData.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using Report = DebugCapture::Report;
const char *const kExitMessage =
    "Unable to remove type (%s) for this class. Check exitClass() method is implemented and is "
    "called only once.\n";

std::string exitReport(const char *typeName) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, kExitMessage, typeName);
  return buffer;
}

// Makes TestViewKit available for one test and removes it afterwards.
struct TestKitClass {
  TestKitClass() { TestViewKit::initClass(); }
  ~TestKitClass() { TestViewKit::exitClass(); }
};

int countField(const SoFieldData *data, const char *name) {
  int count = 0;
  for (int i = 0; data && i < data->getNumFields(); ++i)
    if (data->getFieldName(i) == name) ++count;
  return count;
}

} // namespace

TEST(BaseViewModule, RecordAndLoadTimeValues) {
  const SoModule *record = nullptr;
  for (std::size_t i = 0; i < SoModule::getNumModules(); ++i)
    if (std::strcmp(SoModule::getModule(i)->getFileName(), "BrennicQtD.dll") == 0) {
      EXPECT_EQ(record, nullptr) << "recorded twice";
      record = SoModule::getModule(i);
    }
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->getVersion(), "8.0.0");
  EXPECT_NE(std::strstr(record->getBuildDescription(), __VERSION__), nullptr);
  EXPECT_TRUE(record->getFlag());

  EXPECT_EQ(PoBaseViewTestAccess::logicalViewportSize(), SbVec2s(1, 1));
  EXPECT_EQ(PoBaseViewTestAccess::vvPortion(), SoModifyViewVolumeElement::getDefault());
  EXPECT_EQ(SoModifyViewVolumeElement::getDefault(), SbVec4f(0, 0, 1, 1));
  EXPECT_EQ(PoBaseViewTestAccess::mtId(), 0);
  EXPECT_EQ(PoBaseViewTestAccess::classMutexFlag(), 0);
}

TEST(BaseView, TypeFieldsAndQueries) {
  TestKitClass testKit;
  SoType type = PoBaseView::getClassTypeId();
  EXPECT_EQ(SbName("PoBaseView"), type.getName());
  EXPECT_EQ(SbName("BaseKit"), type.getParent().getName());
  EXPECT_FALSE(type.canCreateInstance());

  TestViewKit *view = new TestViewKit;
  view->ref();
  EXPECT_EQ(view->getIsBuiltIn(), 0);
  EXPECT_EQ(view->viewportOrigin.getValue(), SbVec2f(0, 0));
  EXPECT_EQ(view->viewportSize.getValue(), SbVec2f(1, 1));
  EXPECT_EQ(view->getField("viewportOrigin"), &view->viewportOrigin);
  EXPECT_EQ(view->getField("viewportSize"), &view->viewportSize);
  EXPECT_EQ(view->viewportOrigin.getContainer(), view);
  EXPECT_EQ(view->viewportOrigin.getFieldType(), int(SoField::NORMAL_FIELD));
  EXPECT_FALSE(view->isSensitiveOnEvents());

  // The queries answer whatever the fields hold, unclamped.
  view->viewportOrigin.setValue(-0.5f, 2.0f);
  view->viewportSize.setValue(-1.0f, 0.0f);
  const SoGetView *query = view;
  EXPECT_EQ(query->getViewportIsEnabled(), 1);
  EXPECT_EQ(query->getViewportOrigin(), SbVec2f(-0.5f, 2.0f));
  EXPECT_EQ(query->getViewportSize(), SbVec2f(-1.0f, 0.0f));

  // The catalog is the base kit's, cloned for this type, with nothing added.
  const SoNodekitCatalog *catalog = PoBaseView::getClassNodekitCatalog();
  ASSERT_NE(catalog, nullptr);
  EXPECT_EQ(catalog->getNumEntries(), SoBaseKit::getClassNodekitCatalog()->getNumEntries());
  EXPECT_EQ(catalog->getType("this"), PoBaseView::getClassTypeId());
  view->unref();
}

TEST(BaseView, NonWritingPartFieldsAreMarkedDefault) {
  TestKitClass testKit;
  TestViewKit *view = new TestViewKit;
  view->ref();
  SoField *callbackList = view->getField("callbackList");
  ASSERT_NE(callbackList, nullptr);
  callbackList->setDefault(FALSE);
  view->setDefaultOnNonWritingFields();
  EXPECT_TRUE(callbackList->isDefault());
  view->unref();
}

TEST(BaseView, FieldsRegisteredOnceAcrossInstances) {
  TestKitClass testKit;
  TestViewKit *first = new TestViewKit;
  first->ref();
  const SoFieldData *data = PoBaseViewTestAccess::fieldData();
  ASSERT_NE(data, nullptr);
  const int fields = data->getNumFields();
  TestViewKit *second = new TestViewKit;
  second->ref();
  EXPECT_EQ(PoBaseViewTestAccess::fieldData(), data);
  EXPECT_EQ(data->getNumFields(), fields);
  EXPECT_EQ(countField(data, "viewportOrigin"), 1);
  EXPECT_EQ(countField(data, "viewportSize"), 1);
  EXPECT_EQ(PoBaseViewTestAccess::firstInstance(), 0);
  // Each instance's fields belong to that instance.
  EXPECT_EQ(second->getField("viewportSize"), &second->viewportSize);
  second->unref();
  first->unref();
}

TEST(BaseView, CopyTakesValuesButNotIdentity) {
  TestKitClass testKit;
  TestViewKit *source = new TestViewKit;
  source->ref();
  source->viewportOrigin.setValue(0.25f, 0.5f);
  source->viewportSize.setValue(0.5f, 0.25f);
  source->sensitiveOnEvents(3);
  TestViewKit *target = new TestViewKit;
  target->ref();
  static_cast<PoBaseView &>(*target) = *source;
  EXPECT_EQ(target->viewportOrigin.getValue(), SbVec2f(0.25f, 0.5f));
  EXPECT_EQ(target->viewportSize.getValue(), SbVec2f(0.5f, 0.25f));
  EXPECT_EQ(target->isSensitiveOnEvents(), 3);
  EXPECT_EQ(target->getField("viewportOrigin"), &target->viewportOrigin);
  target->unref();
  source->unref();
}

namespace {
int nextActionMethodIndex() {
  struct Probe : SoNode {
    static int next() { return getNextActionMethodIndex(); }
  };
  return Probe::next();
}
} // namespace

// The life cycle starts from PoBaseView unregistered under a live subclass
// type; each test ends with the module registered again.
class BaseViewLifecycle : public ModuleClassesTest {};

TEST_F(BaseViewLifecycle, ExitTwiceThenConstructBeforeInit) {
  TestKitClass testKit;
  DebugCapture capture;
  PoBaseView::exitClass();
  EXPECT_TRUE(capture.ours().empty());
  ASSERT_TRUE(PoBaseView::getClassTypeId().isBad());
  EXPECT_EQ(PoBaseViewTestAccess::fieldData(), nullptr);
  EXPECT_EQ(PoBaseViewTestAccess::parentFieldData(), nullptr);
  EXPECT_EQ(PoBaseViewTestAccess::firstInstance(), 1);
  EXPECT_EQ(PoBaseView::getClassNodekitCatalog(), nullptr);

  // A second exitClass cannot remove the type and says so, naming it.
  PoBaseView::exitClass();
  ASSERT_EQ(capture.ours().size(), 1u);
  EXPECT_EQ(capture.ours()[0],
            Report("PoBaseView::exitClass", exitReport(SoType::badType().getName().getString())));

  // Building a view now reports, registers the class on the spot (advancing
  // the action-method index once) and yields a working kit.
  capture.clear();
  const int indexBefore = nextActionMethodIndex();
  TestViewKit *early = new TestViewKit;
  early->ref();
  ASSERT_EQ(capture.ours().size(), 1u);
  EXPECT_EQ(capture.ours()[0],
            Report("SO_NODE_CONSTRUCTOR",
                   "Can't construct a node of type PoBaseView until initClass() has been called"));
  EXPECT_EQ(nextActionMethodIndex(), indexBefore + 1);
  EXPECT_EQ(SbName("PoBaseView"), PoBaseView::getClassTypeId().getName());
  EXPECT_EQ(early->viewportOrigin.getValue(), SbVec2f(0, 0));
  EXPECT_EQ(early->viewportSize.getValue(), SbVec2f(1, 1));
  EXPECT_NE(PoBaseView::getClassNodekitCatalog(), nullptr);
  EXPECT_EQ(countField(PoBaseViewTestAccess::fieldData(), "viewportOrigin"), 1);
  EXPECT_EQ(PoBaseViewTestAccess::firstInstance(), 1);
  early->unref();
}

TEST_F(BaseViewLifecycle, ExitAndInitClassesRebuildTablesAndCatalogs) {
  TestKitClass testKit;
  TestViewKit *view = new TestViewKit;
  view->ref();
  view->unref();
  PoBaseView::exitClasses();
  const int indexBefore = nextActionMethodIndex();
  DebugCapture capture;
  PoBaseView::initClasses();
  EXPECT_TRUE(capture.ours().empty());
  EXPECT_GT(nextActionMethodIndex(), indexBefore);
  EXPECT_EQ(PoBaseViewTestAccess::fieldData(), nullptr);
  EXPECT_EQ(PoBaseView::getClassNodekitCatalog(), nullptr);

  view = new TestViewKit;
  view->ref();
  EXPECT_EQ(countField(PoBaseViewTestAccess::fieldData(), "viewportSize"), 1);
  EXPECT_NE(PoBaseView::getClassNodekitCatalog(), nullptr);
  view->unref();
}

TEST_F(BaseViewLifecycle, GetFieldDataWithoutTableReportsAndRepairs) {
  TestKitClass testKit;
  TestViewKit *view = new TestViewKit;
  view->ref();
  PoBaseView::exitClass(); // releases the table under a live view
  DebugCapture capture;
  const SoFieldData *data = view->PoBaseView::getFieldData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->getNumFields(), SoBaseKit::getClassTypeId().isBad() ? 0 : data->getNumFields());
  ASSERT_EQ(capture.ours().size(), 1u);
  EXPECT_EQ(capture.ours()[0],
            Report("PoBaseView", "Instance not properly constructed.\nDid you forget to put "
                                 "SO_NODE_CONSTRUCTOR() in the constructor?"));
  view->unref();
  // Register, then release and register again to drop the stand-in table.
  PoBaseView::initClass();
  PoBaseView::exitClass();
  PoBaseView::initClass();
}
