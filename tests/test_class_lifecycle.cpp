// The registration life cycle every class of the library goes through: release,
// a second release, construction before registration, and registration again.
// One typed test runs it over the three view kits and both export actions.

#include "DebugCapture.h"
#include "PoSceneView.h"
#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"
#include "PoView.h"
#include "TestViewKit.h"

#include <Inventor/fields/SoFieldData.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using Report = DebugCapture::Report;

std::string exitReport(const char *typeName) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer,
                "Unable to remove type (%s) for this class. Check exitClass() method is "
                "implemented and is called only once.\n",
                typeName);
  return buffer;
}



// The class data of a view kit class, as a derived class may reach it.
template <class Kit> struct KitData : Kit {
  static bool released() {
    return Kit::classTypeId.isBad() && !Kit::fieldData && !Kit::parentFieldData &&
           Kit::firstInstance == 1 && !Kit::nodekitCatalog;
  }
  static const SoFieldData *fields() { return Kit::fieldData; }
  static const void *tables() { return Kit::nodekitCatalog; }
};

template <class Action> struct ActionData : Action {
  static bool released() {
    return Action::classTypeId.isBad() && !Action::enabledElements && !Action::methods &&
           Action::classTypeIdIsSet == 0;
  }
  static bool registered() {
    return !Action::classTypeId.isBad() && Action::enabledElements && Action::methods &&
           Action::classTypeIdIsSet == 1;
  }
  static const void *tables() { return Action::methods; }
};

// What the test needs of one view kit class: an instance (PoBaseView is
// abstract; the test kit stands in for it) and one field it registers.
template <class Kit, class MadeKit, const char *const *Field> struct ViewKitCase {
  using Class = Kit;
  using Made = MadeKit;
  static constexpr bool isKit = true;
  static bool released() { return KitData<Kit>::released(); }
  static const void *tables() { return KitData<Kit>::tables(); }
  static const char *constructorReport() { return "SO_NODE_CONSTRUCTOR"; }
  static std::string constructorMessage() {
    return std::string("Can't construct a node of type ") +
           Kit::getClassTypeId().getName().getString() + " until initClass() has been called";
  }
  // Builds an instance and checks that it works as a new one does.
  static void buildAndCheck(const char *name) {
    Made *made = new Made;
    made->ref();
    EXPECT_EQ(made->viewportSize.getValue(), SbVec2f(1, 1));
    EXPECT_EQ(countField(KitData<Kit>::fields(), *Field), 1) << name;
    EXPECT_NE(Kit::getClassNodekitCatalog(), nullptr);
    made->unref();
  }
};

template <class Action> struct ActionCase {
  using Class = Action;
  static constexpr bool isKit = false;
  static bool released() { return ActionData<Action>::released(); }
  static const void *tables() { return ActionData<Action>::tables(); }
  static const char *constructorReport() { return "SO_ACTION_CONSTRUCTOR"; }
  static std::string constructorMessage() {
    return std::string("Can't construct an action of type ") +
           Action::getClassTypeId().getName().getString() +
           " until initClass() has been called. Check SoDB::init() has been called.";
  }
  static void buildAndCheck(const char *) {
    Action action;
    EXPECT_TRUE(ActionData<Action>::registered());
    EXPECT_EQ(action.getActionMethods(), action.getActionMethods());
    SoSeparator *root = new SoSeparator;
    root->ref();
    action.apply(root); // converts without failing
    root->unref();
  }
};

const char *const kViewportOrigin = "viewportOrigin";
const char *const kCatchAction = "catchActionCallback";
const char *const kBorderVisible = "isBorderVisible";

using BaseViewCase = ViewKitCase<PoBaseView, TestViewKit, &kViewportOrigin>;
using ViewCase = ViewKitCase<PoView, PoView, &kCatchAction>;
using SceneViewCase = ViewKitCase<PoSceneView, PoSceneView, &kBorderVisible>;

// Every test ends with the whole library registered again, as the other
// tests expect it; the test kit is there for PoBaseView's instances.
template <class Case> class ClassLifecycle : public ModuleClassesTest {
protected:
  void SetUp() override { TestViewKit::initClass(); }
  void TearDown() override {
    TestViewKit::exitClass();
    ModuleClassesTest::TearDown();
  }
};

using AllClasses = ::testing::Types<BaseViewCase, ViewCase, SceneViewCase,
                                    ActionCase<PoToVRML2Action>, ActionCase<PoToX3DAction>>;
TYPED_TEST_SUITE(ClassLifecycle, AllClasses);

} // namespace

TYPED_TEST(ClassLifecycle, ReleaseTwiceThenConstructBeforeInit) {
  using Class = typename TypeParam::Class;
  const std::string name = Class::getClassTypeId().getName().getString();
  DebugCapture capture;
  Class::exitClass();
  EXPECT_TRUE(capture.ours().empty());
  EXPECT_TRUE(TypeParam::released());
  EXPECT_TRUE(SoType::fromName(name.c_str()).isBad());

  // A second release cannot remove the type and says so, naming it.
  Class::exitClass();
  ASSERT_EQ(capture.ours().size(), 1u);
  EXPECT_EQ(capture.ours()[0],
            Report(name + "::exitClass", exitReport(SoType::badType().getName().getString())));
  EXPECT_TRUE(TypeParam::released());

  // Building one now reports, registers the class on the spot (a kit
  // advancing the action-method index once) and yields a working instance.
  capture.clear();
  const int indexBefore = nextActionMethodIndex();
  TypeParam::buildAndCheck(name.c_str());
  ASSERT_EQ(capture.ours().size(), 1u);
  EXPECT_EQ(capture.ours()[0].first, TypeParam::constructorReport());
  EXPECT_EQ(capture.ours()[0].second, TypeParam::constructorMessage());
  EXPECT_EQ(SbName(name.c_str()), Class::getClassTypeId().getName());
  EXPECT_EQ(nextActionMethodIndex(), indexBefore + (TypeParam::isKit ? 1 : 0));

  // Later instances report nothing.
  capture.clear();
  TypeParam::buildAndCheck(name.c_str());
  EXPECT_TRUE(capture.ours().empty());
}

TYPED_TEST(ClassLifecycle, ReleaseAndRegisterAllRebuildsTheClass) {
  using Class = typename TypeParam::Class;
  const std::string name = Class::getClassTypeId().getName().getString();
  TypeParam::buildAndCheck(name.c_str());
  TestViewKit::exitClass();
  PoBaseView::exitClasses();
  EXPECT_TRUE(TypeParam::released());

  const int indexBefore = nextActionMethodIndex();
  DebugCapture capture;
  PoBaseView::initClasses();
  TestViewKit::initClass();
  EXPECT_TRUE(capture.ours().empty());
  EXPECT_GT(nextActionMethodIndex(), indexBefore);
  EXPECT_EQ(SbName(name.c_str()), Class::getClassTypeId().getName());
  TypeParam::buildAndCheck(name.c_str());
  EXPECT_TRUE(capture.ours().empty());
}

// A class registered twice (Coin's on-demand loading calls initClass, and so
// may initClasses later) stays the one type with the tables it has.
TYPED_TEST(ClassLifecycle, SecondRegistrationChangesNothing) {
  using Class = typename TypeParam::Class;
  const std::string name = Class::getClassTypeId().getName().getString();
  TypeParam::buildAndCheck(name.c_str());
  const SoType type = Class::getClassTypeId();
  const void *tables = TypeParam::tables();
  DebugCapture capture;
  Class::initClass();
  PoBaseView::initClasses();
  EXPECT_EQ(Class::getClassTypeId(), type);
  EXPECT_EQ(TypeParam::tables(), tables);
  TypeParam::buildAndCheck(name.c_str());
  EXPECT_TRUE(capture.ours().empty());
}

// Coin's on-demand loading registers a class by calling its initClass alone:
// the kits registered before their parent register the parent too, silently.
class KitRegistrationOrder : public ModuleClassesTest {};

TEST_F(KitRegistrationOrder, KitRegisteredBeforeItsParentRegistersTheParent) {
  for (int which = 0; which < 2; ++which) {
    {
      DebugCapture quiet; // classes left unregistered by the last round say so
      PoBaseView::exitClasses();
    }
    DebugCapture capture;
    const SoType type = which ? (PoSceneView::initClass(), PoSceneView::getClassTypeId())
                              : (PoView::initClass(), PoView::getClassTypeId());
    EXPECT_FALSE(PoBaseView::getClassTypeId().isBad());
    EXPECT_EQ(type.getParent(), PoBaseView::getClassTypeId());
    EXPECT_TRUE(capture.ours().empty());
  }

  // Built with nothing registered, a kit registers its parent, then itself.
  {
    DebugCapture quiet;
    PoBaseView::exitClasses();
  }
  DebugCapture capture;
  PoView *view = new PoView;
  view->ref();
  ASSERT_EQ(capture.ours().size(), 2u);
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(capture.ours()[std::size_t(i)],
              Report("SO_NODE_CONSTRUCTOR", std::string("Can't construct a node of type ") +
                                                (i ? "PoView" : "PoBaseView") +
                                                " until initClass() has been called"));
  EXPECT_EQ(view->getTypeId(), PoView::getClassTypeId());
  EXPECT_EQ(PoView::getClassTypeId().getParent(), PoBaseView::getClassTypeId());
  view->unref();
}

// Tearing the field table away under a live kit is reported and repaired by
// the next query, for every kit class.
TYPED_TEST(ClassLifecycle, FieldDataWithoutTableReportsAndRepairs) {
  if constexpr (TypeParam::isKit) {
    using Class = typename TypeParam::Class;
    const std::string name = Class::getClassTypeId().getName().getString();
    auto *made = new typename TypeParam::Made;
    made->ref();
    Class::exitClass(); // releases the table under a live kit
    DebugCapture capture;
    EXPECT_NE(made->Class::getFieldData(), nullptr);
    ASSERT_EQ(capture.ours().size(), 1u);
    EXPECT_EQ(capture.ours()[0],
              Report(name, "Instance not properly constructed.\nDid you forget to put "
                           "SO_NODE_CONSTRUCTOR() in the constructor?"));
    made->unref();
    // Register and release once more to drop the stand-in table; the
    // fixture registers everything afresh.
    Class::initClass();
    Class::exitClass();
  }
}
