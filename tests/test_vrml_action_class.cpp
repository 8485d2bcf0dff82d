#include "DebugCapture.h"
#include "PoConvertGuts.h"
#include "VRMLActionTestAccess.h"
#include "VRMLTestScenes.h"

#include <Inventor/SoPath.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLProximitySensor.h>
#include <Inventor/VRMLnodes/SoVRMLViewpoint.h>
#include <Inventor/actions/SoToVRML2Action.h>
#include <Inventor/elements/SoGLLightIdElement.h>
#include <Inventor/lists/SoEnabledElementsList.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace VRMLTestScenes;
using Access = PoToVRML2ActionTestAccess;

namespace {

const char *const kExitFormat =
    "Unable to remove type (%s) for this class. Check exitClass() method is implemented and is "
    "called only once.\n";

bool hasElement(const SoEnabledElementsList &list, SoType type) {
  const SoTypeList &elements = const_cast<SoEnabledElementsList &>(list).getElements();
  for (int i = 0; i < elements.getLength(); ++i)
    if (elements[i] == type) return true;
  return false;
}

// Coin's class list of its own action.
struct CoinActionAccess : SoToVRML2Action {
  static SoEnabledElementsList *enabledElements() { return getClassEnabledElements(); }
};

} // namespace

TEST(VRMLActionClass, RegisteredWithClassListsThatDeferToCoin) {
  SoType type = PoToVRML2Action::getClassTypeId();
  EXPECT_EQ(SbName("PoToVRML2Action"), type.getName());
  EXPECT_EQ(SoToVRML2Action::getClassTypeId(), type.getParent());
  EXPECT_FALSE(type.canCreateInstance());
  EXPECT_EQ(Access::classTypeIdIsSet(), 1);
  ASSERT_NE(Access::enabledElements(), nullptr);
  ASSERT_NE(Access::methods(), nullptr);

  PoToVRML2Action first, second;
  EXPECT_EQ(first.getTypeId(), type);
  EXPECT_TRUE(first.isOfType(SoToVRML2Action::getClassTypeId()));
  // Class-wide lists, the same for every instance, and the action traverses
  // with the class's table.
  EXPECT_EQ(first.getActionMethods(), Access::methods());
  EXPECT_EQ(second.getActionMethods(), Access::methods());
  EXPECT_EQ(&Access::enabledElementsOf(first), Access::enabledElements());
  EXPECT_EQ(&Access::enabledElementsOf(second), Access::enabledElements());
  EXPECT_EQ(Access::traversalMethodsOf(first), Access::methods());

  // The converter factory makes a new recording converter every time.
  std::unique_ptr<SoConvertGuts> a(Access::newConvertGuts(first));
  std::unique_ptr<SoConvertGuts> b(Access::newConvertGuts(first));
  EXPECT_NE(a.get(), b.get());
  EXPECT_NE(dynamic_cast<PoConvertGuts *>(a.get()), nullptr);
}

TEST(VRMLActionClass, ConstructionBeforeInitClassReportsAndRegisters) {
  ModuleRegisteredAgain reset;
  PoToVRML2Action::exitClass();
  EXPECT_TRUE(PoToVRML2Action::getClassTypeId().isBad());
  EXPECT_EQ(Access::enabledElements(), nullptr);
  EXPECT_EQ(Access::methods(), nullptr);
  EXPECT_EQ(Access::classTypeIdIsSet(), 0);

  DebugCapture capture;
  {
    PoToVRML2Action action;
    ASSERT_EQ(capture.ours().size(), 1u);
    EXPECT_EQ(capture.ours()[0].first, "SO_ACTION_CONSTRUCTOR");
    EXPECT_EQ(capture.ours()[0].second,
              "Can't construct an action of type PoToVRML2Action until initClass() has been "
              "called. Check SoDB::init() has been called.");
    EXPECT_FALSE(action.getTypeId().isBad());
    EXPECT_EQ(action.getTypeId(), SoType::fromName("PoToVRML2Action"));
    EXPECT_EQ(Access::traversalMethodsOf(action), Access::methods());

    // And it works.
    SoSeparator *root = new SoSeparator;
    root->ref();
    root->addChild(smallScene());
    action.apply(root);
    EXPECT_NE(action.getVRML2SceneGraph(), nullptr);
    root->unref();
  }
  PoToVRML2Action again;
  EXPECT_EQ(capture.ours().size(), 1u);
}

TEST(VRMLActionClass, SecondExitClassReportsAndChangesNothing) {
  ModuleRegisteredAgain reset;
  PoToVRML2Action::exitClass();
  DebugCapture capture;
  PoToVRML2Action::exitClass();
  ASSERT_EQ(capture.ours().size(), 1u);
  EXPECT_EQ(capture.ours()[0].first, "PoToVRML2Action::exitClass");
  char expected[256];
  std::snprintf(expected, sizeof expected, kExitFormat, SoType::badType().getName().getString());
  EXPECT_EQ(capture.ours()[0].second, expected);
  EXPECT_TRUE(PoToVRML2Action::getClassTypeId().isBad());
  EXPECT_EQ(Access::classTypeIdIsSet(), 0);
  // Coin's type system still knows its bad type by name.
  EXPECT_TRUE(SoType::fromName("BadType").isBad());
  EXPECT_FALSE(SoType::fromName("SoToVRML2Action").isBad());
}

TEST(VRMLActionClass, EnableElementOnlyForThisClass) {
  ModuleRegisteredAgain reset; // the lists are built afresh afterwards
  const SoType element = SoGLLightIdElement::getClassTypeId();
  ASSERT_FALSE(hasElement(*Access::enabledElements(), element));

  DebugCapture capture;
  PoToVRML2Action::enableElement(SoType::badType(), 0);
  ASSERT_EQ(capture.ours().size(), 1u);
  EXPECT_EQ(capture.ours()[0].first, "SO_ENABLE_ELEMENT");
  EXPECT_EQ(capture.ours()[0].second, "Can't enable element for PoToVRML2Action until the element "
                                      "initClass function has been called");
  EXPECT_FALSE(hasElement(*Access::enabledElements(), element));

  PoToVRML2Action::enableElement(element, SoGLLightIdElement::getClassStackIndex());
  EXPECT_TRUE(hasElement(*Access::enabledElements(), element));
  PoToVRML2Action action;
  EXPECT_TRUE(hasElement(Access::enabledElementsOf(action), element));
  // Coin's own class list is untouched.
  EXPECT_FALSE(hasElement(*CoinActionAccess::enabledElements(), element));
  EXPECT_EQ(capture.ours().size(), 1u);
}

TEST(VRMLActionClass, SwitchAndCopies) {
  PoToVRML2Action action;
  EXPECT_EQ(action.isFirstSceneViewSensitive(), 0);
  action.setFirstSceneViewSensitive(5);
  EXPECT_EQ(action.isFirstSceneViewSensitive(), 5);

  // Coin's action keeps only the property-node reuse setting; its other two
  // reuse switches read back FALSE whatever is set.
  action.reusePropertyNodes(TRUE);
  action.convertInlineNodes(FALSE);
  action.expandTexture2Node(TRUE);
  action.setUrlName("scene.wrl");

  PoToVRML2Action copy(action);
  EXPECT_EQ(copy.isFirstSceneViewSensitive(), 5);
  EXPECT_EQ(copy.getTypeId(), PoToVRML2Action::getClassTypeId());
  EXPECT_TRUE(copy.doReusePropertyNodes());
  EXPECT_FALSE(copy.doConvertInlineNodes());
  EXPECT_TRUE(copy.areTexture2NodeExpanded());
  EXPECT_EQ(copy.getUrlName(), SbString("scene.wrl"));
  EXPECT_EQ(Access::traversalMethodsOf(copy), Access::methods());
  EXPECT_EQ(copy.getVRML2SceneGraph(), nullptr);

  PoToVRML2Action assigned;
  assigned = action;
  EXPECT_EQ(assigned.isFirstSceneViewSensitive(), 5);
  EXPECT_TRUE(assigned.doReusePropertyNodes());
  EXPECT_FALSE(assigned.doConvertInlineNodes());
  action.setFirstSceneViewSensitive(0);
  EXPECT_EQ(assigned.isFirstSceneViewSensitive(), 5);

  // A copy converts on its own: the source's result stays the source's.
  SoSeparator *root = new SoSeparator;
  root->ref();
  root->addChild(smallScene());
  action.apply(root);
  PoToVRML2Action late(action);
  EXPECT_EQ(late.getVRML2SceneGraph(), nullptr);
  late.apply(root);
  EXPECT_NE(late.getVRML2SceneGraph(), action.getVRML2SceneGraph());
  root->unref();
}

TEST(VRMLActionClass, PathFormsDoOnlyCoinsConversion) {
  SoSeparator *root = new SoSeparator;
  root->ref();
  root->addChild(smallScene());
  PoSceneView *view = sceneView(SbVec2f(0.5f, 0.5f), SbVec2f(0.5f, 0.5f), smallScene());
  root->addChild(view);

  // A path through the scene view into its scene.
  SoPath *path = new SoPath(root);
  path->ref();
  path->append(view);
  EXPECT_EQ(path->getTail(), view);

  PoToVRML2Action action;
  action.setFirstSceneViewSensitive(1);
  action.apply(path);
  SoToVRML2Action plain;
  plain.apply(path);
  ASSERT_NE(action.getVRML2SceneGraph(), nullptr);
  EXPECT_EQ(shape(action.getVRML2SceneGraph()), shape(plain.getVRML2SceneGraph()));
  EXPECT_EQ(writeVRML(action.getVRML2SceneGraph()), writeVRML(plain.getVRML2SceneGraph()));
  EXPECT_EQ(count(action.getVRML2SceneGraph(), SoVRMLProximitySensor::getClassTypeId()), 0);
  EXPECT_EQ(count(action.getVRML2SceneGraph(), SoVRMLViewpoint::getClassTypeId()), 0);
  // The recording converter met the scene view at the path's tail.
  EXPECT_EQ(numSceneViews(action), 1);
  EXPECT_EQ(viewGroup(action, 0), nullptr);

  SoPathList paths;
  paths.append(path);
  PoToVRML2Action listAction;
  listAction.apply(paths);
  SoToVRML2Action plainList;
  plainList.apply(paths);
  ASSERT_NE(listAction.getVRML2SceneGraph(), nullptr);
  EXPECT_EQ(writeVRML(listAction.getVRML2SceneGraph()), writeVRML(plainList.getVRML2SceneGraph()));
  EXPECT_EQ(numSceneViews(listAction), 1);

  path->unref();
  root->unref();
}

TEST(VRMLActionClass, SecondInitClassKeepsTheClassAndItsLists) {
  ModuleRegisteredAgain reset;
  const SoType type = PoToVRML2Action::getClassTypeId();
  SoEnabledElementsList *elements = Access::enabledElements();
  SoActionMethodList *methods = Access::methods();
  DebugCapture capture;
  PoToVRML2Action::initClass();
  EXPECT_TRUE(capture.ours().empty());
  EXPECT_EQ(PoToVRML2Action::getClassTypeId(), type);
  EXPECT_EQ(Access::enabledElements(), elements);
  EXPECT_EQ(Access::methods(), methods);
}
