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
// Makes TestViewKit available for one test and removes it afterwards.
struct TestKitClass {
  TestKitClass() { TestViewKit::initClass(); }
  ~TestKitClass() { TestViewKit::exitClass(); }
};


// The class statics as the library's load left them: taken while the test
// program starts, after the library's own statics and before any test
// renders, so that the test below holds in whatever order tests run.
struct LoadTimeValues {
  SbVec2s logicalViewportSize = PoBaseViewTestAccess::logicalViewportSize();
  SbVec4f vvPortion = PoBaseViewTestAccess::vvPortion();
  SbVec4f defaultPortion = SoModifyViewVolumeElement::getDefault();
  int mtId = PoBaseViewTestAccess::mtId();
};
const LoadTimeValues kAtLoad;

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

  EXPECT_EQ(kAtLoad.logicalViewportSize, SbVec2s(1, 1));
  EXPECT_EQ(kAtLoad.vvPortion, kAtLoad.defaultPortion);
  EXPECT_EQ(kAtLoad.defaultPortion, SbVec4f(0, 0, 1, 1));
  EXPECT_EQ(kAtLoad.mtId, 0);
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
