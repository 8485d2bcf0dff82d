#include "DebugCapture.h"
#include "VRML2FileNames.h"
#include "VRMLTestScenes.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/VRMLnodes/SoVRMLCollision.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLProximitySensor.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/VRMLnodes/SoVRMLTransform.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSphere.h>
#include <Inventor/nodes/SoTranslation.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <map>
#include <regex>
#include <set>

using namespace VRMLTestScenes;

namespace {

void collectReadErrors(const SoError *error, void *data) {
  static_cast<std::vector<std::string> *>(data)->push_back(error->getDebugString().getString());
}

// Reads a VRML97 file back with Coin, collecting its read errors.
SoSeparator *readBack(const std::string &file, std::vector<std::string> &errors) {
  SoErrorCB *previous = SoReadError::getHandlerCallback();
  void *previousData = SoReadError::getHandlerData();
  SoReadError::setHandlerCallback(collectReadErrors, &errors);
  SoInput input;
  input.setBuffer(file.data(), file.size());
  SoSeparator *root = SoDB::readAll(&input);
  SoReadError::setHandlerCallback(previous, previousData);
  return root;
}

// A graph with a bit of everything: two views sharing a model, one with an
// orthographic camera, a named and a shared node, a view nested in a view.
SoSeparator *richGraph() {
  SoSeparator *root = new SoSeparator;
  root->ref();
  SoSeparator *model = new SoSeparator;
  model->setName("Model");
  model->addChild(new SoTranslation);
  model->addChild(new SoSphere);
  SoCube *cube = new SoCube;
  cube->setName("Box 1"); // a name a VRML97 file cannot carry as it is
  root->addChild(cube);
  root->addChild(model);
  root->addChild(sceneView(SbVec2f(0, 0), SbVec2f(0.5f, 1), model));
  SoOrthographicCamera *camera = new SoOrthographicCamera;
  camera->height = 3.0f;
  PoSceneView *second = sceneView(SbVec2f(0.5f, 0), SbVec2f(0.5f, 0.5f), model, camera);
  static_cast<SoGroup *>(second->getPart("scene", FALSE))
      ->addChild(sceneView(SbVec2f(0, 0), SbVec2f(1, 1), smallScene()));
  root->addChild(second);
  SoSeparator *named = new SoSeparator;
  named->setName("Model"); // the same name on another node
  named->addChild(new SoCube);
  root->addChild(named);
  return root;
}

} // namespace

TEST(VRMLFile, WrittenNamesArePlainAndUnique) {
  for (int sensitive = 0; sensitive < 2; ++sensitive) {
    SoSeparator *root = richGraph();
    PoToVRML2Action action;
    action.setFirstSceneViewSensitive(sensitive);
    action.apply(root);
    const std::string file = writeVRML(action.getVRML2SceneGraph());
    ASSERT_EQ(file.rfind("#VRML V2.0 utf8", 0), 0u);
    EXPECT_EQ(file.find("_+"), std::string::npos) << file;

    std::set<std::string> defined;
    static const std::regex def(R"(DEF\s+(\S+))");
    for (auto it = std::sregex_iterator(file.begin(), file.end(), def); it != std::sregex_iterator(); ++it) {
      const std::string name = (*it)[1];
      EXPECT_TRUE(VRML2FileNames::isPlain(name.c_str())) << name;
      EXPECT_TRUE(defined.insert(name).second) << "defined twice: " << name;
    }
    // Every USE and every ROUTE end names a node defined before it.
    static const std::regex use(R"(USE\s+(\S+?)[\s,\]])");
    for (auto it = std::sregex_iterator(file.begin(), file.end(), use); it != std::sregex_iterator(); ++it)
      EXPECT_TRUE(defined.count((*it)[1])) << (*it)[1];
    static const std::regex route(R"(ROUTE\s+(\w+)\.(\w+)\s+TO\s+(\w+)\.(\w+))");
    int routes = 0;
    for (auto it = std::sregex_iterator(file.begin(), file.end(), route); it != std::sregex_iterator(); ++it, ++routes) {
      EXPECT_TRUE(defined.count((*it)[1])) << (*it)[0];
      EXPECT_TRUE(defined.count((*it)[3])) << (*it)[0];
    }
    // Three per viewer-fixed view, the nested one included.
    EXPECT_EQ(routes, sensitive ? 6 : 9);
    // The export's own nodes carry readable names.
    EXPECT_TRUE(defined.count("SceneView1_Sensor"));
    EXPECT_TRUE(defined.count("SceneView1_Follower"));
    EXPECT_TRUE(defined.count("SceneView1_Placement"));
    EXPECT_TRUE(defined.count("SceneView1_Camera"));
    EXPECT_TRUE(defined.count("Model"));
    root->unref();
  }
}

TEST(VRMLFile, ReadsBackIntoTheSameStructure) {
  SoSeparator *root = richGraph();
  PoToVRML2Action action;
  action.apply(root);
  SoVRMLGroup *result = action.getVRML2SceneGraph();
  const std::string file = writeVRML(result);

  std::vector<std::string> errors;
  DebugCapture capture;
  SoSeparator *read = readBack(file, errors);
  ASSERT_NE(read, nullptr);
  read->ref();
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_TRUE(capture.coins().empty());
  ASSERT_EQ(read->getNumChildren(), 1);
  SoNode *collision = read->getChild(0);
  ASSERT_TRUE(collision->isOfType(SoVRMLCollision::getClassTypeId()));
  EXPECT_FALSE(static_cast<SoVRMLCollision *>(collision)->collide.getValue());
  EXPECT_EQ(shape(collision), shape(result));

  // The routes came back as connections between the right fields.
  SoSearchAction search;
  search.setType(SoVRMLProximitySensor::getClassTypeId());
  search.setInterest(SoSearchAction::ALL);
  search.setSearchingAll(TRUE);
  search.apply(read);
  ASSERT_EQ(search.getPaths().getLength(), 3);
  for (int i = 0; i < search.getPaths().getLength(); ++i) {
    SoPath *path = search.getPaths()[i];
    SoVRMLProximitySensor *sensor = static_cast<SoVRMLProximitySensor *>(path->getTail());
    SoField *master = nullptr;
    ASSERT_TRUE(sensor->center.getConnectedField(master));
    EXPECT_EQ(master, &sensor->position_changed);
    EXPECT_EQ(sensor->size.getValue(), SbVec3f(FLT_MAX, FLT_MAX, FLT_MAX));
    SoFieldList followers;
    EXPECT_EQ(sensor->position_changed.getForwardConnections(followers), 2);
    EXPECT_EQ(sensor->orientation_changed.getForwardConnections(followers), 1);
  }
  read->unref();
  root->unref();
}

TEST(VRMLFileNames, NamesWhatTheWriterWouldNameAndNothingElse) {
  SoVRMLGroup *root = new SoVRMLGroup;
  root->ref();
  SoVRMLShape *shapeNode = new SoVRMLShape;
  SoVRMLGroup *shared = new SoVRMLGroup;
  SoVRMLGroup *valid = new SoVRMLGroup;
  valid->setName("Keep_me");
  SoVRMLGroup *clash = new SoVRMLGroup;
  clash->setName("Keep_me");
  SoVRMLGroup *odd = new SoVRMLGroup;
  {
    DebugCapture quiet;
    odd->setName("9 lives+");
  }
  root->addChild(shapeNode);
  root->addChild(shared);
  root->addChild(shared);
  root->addChild(valid);
  root->addChild(clash);
  root->addChild(odd);
  SoVRMLTransform *inField = new SoVRMLTransform;
  shapeNode->geometry.setValue(nullptr);
  shapeNode->appearance.setValue(inField); // held once by a single-node field

  VRML2FileNames::assign(root);
  EXPECT_EQ(root->getName(), SbName::empty());
  EXPECT_EQ(inField->getName(), SbName::empty());
  EXPECT_EQ(shapeNode->getName(), SbName("Shape_0"));
  EXPECT_EQ(shared->getName(), SbName("Group_0"));
  EXPECT_EQ(valid->getName(), SbName("Keep_me"));
  EXPECT_EQ(clash->getName(), SbName("Keep_me_0"));
  // Coin itself replaces the characters a name may not hold; the result is
  // plain and kept.
  EXPECT_TRUE(VRML2FileNames::isPlain(odd->getName().getString()));
  EXPECT_EQ(writeVRML(root).find('+'), std::string::npos);
  root->unref();

  EXPECT_TRUE(VRML2FileNames::isPlain("_a1"));
  EXPECT_FALSE(VRML2FileNames::isPlain("1a"));
  EXPECT_FALSE(VRML2FileNames::isPlain("_+0"));
  EXPECT_FALSE(VRML2FileNames::isPlain(""));
}
