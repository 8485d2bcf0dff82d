// The X3D export: how a graph is cut into the layers rendering draws, and
// what the document says of each layer.
#include "DebugCapture.h"
#include "PoToX3DAction.h"
#include "PoView.h"
#include "VRMLActionTestAccess.h"
#include "VRMLTestScenes.h"
#include "ViewLayers.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoPath.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoCone.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoShape.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

SoSeparator *readScene(const char *text) {
  SoInput input;
  input.setBuffer(text, std::strlen(text));
  SoSeparator *root = SoDB::readAll(&input);
  if (root) root->ref();
  return root;
}

// The type names of the shapes a layer draws, in drawing order.
std::string shapesOf(const ViewLayer &layer) {
  SoSearchAction search;
  search.setType(SoShape::getClassTypeId());
  search.setInterest(SoSearchAction::ALL);
  search.apply(layer.content);
  std::string names;
  for (int i = 0; i < search.getPaths().getLength(); ++i)
    names += std::string(i ? " " : "") + search.getPaths()[i]->getTail()->getTypeId().getName().getString();
  return names;
}

const char *const kHeader = "#Inventor V2.1 ascii\n";

} // namespace

// Each row: a graph, then per layer (the window's first) the shapes it draws.
TEST(X3DLayers, EachViewDrawsWhatRenderingDrawsInIt) {
  struct Case {
    const char *name;
    const char *graph;
    std::vector<std::string> shapes;
  };
  const Case cases[] = {
      {"scene views and the window's own shapes",
       "Separator { Cube {} PoSceneView { scene Separator { Cone {} } } Sphere {}"
       " PoSceneView { scene Separator { Cylinder {} } } }",
       {"Cube Sphere", "Cone", "Cylinder"}},
      {"a plain view draws what follows it up to the end of its separator",
       "Separator { Cube {} Separator { PoView {} Cone {} Sphere {} } Cylinder {} }",
       {"Cube Cylinder", "Cone Sphere"}},
      {"a plain view in a group goes on after the group",
       "Separator { Group { PoView {} Cone {} } Sphere {} Separator { PoView {} } Cube {} }",
       {"", "Cone Sphere Cube", ""}},
      {"a nested scene view is cut out of its parent, after it",
       "Separator { PoSceneView { scene Separator { Cone {}"
       " PoSceneView { scene Separator { Cube {} } } Sphere {} } } }",
       {"", "Cone Sphere", "Cube"}},
      {"a scene view in what a plain view draws",
       "Separator { PoView {} Cone {} PoSceneView { scene Separator { Cube {} } } Sphere {} }",
       {"", "Cone Sphere", "Cube"}},
      {"switches show their chosen child only",
       "Separator { Switch { whichChild 1 PoSceneView { scene Separator { Cone {} } }"
       " PoSceneView { scene Separator { Cube {} } } } Switch { PoSceneView {} } }",
       {"", "Cube"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SoSeparator *root = readScene((std::string(kHeader) + c.graph).c_str());
    ASSERT_NE(root, nullptr);
    ViewLayers layers(root);
    ASSERT_EQ(layers.getNumLayers(), static_cast<int>(c.shapes.size()));
    for (int i = 0; i < layers.getNumLayers(); ++i)
      EXPECT_EQ(shapesOf(layers.getLayer(i)), c.shapes[std::size_t(i)]) << "layer " << i;
    root->unref();
  }
}

TEST(X3DLayers, ViewsInheritTheStateAroundThemAndTheirCameras) {
  SoSeparator *root = readScene(
      "#Inventor V2.1 ascii\n"
      "Separator {\n"
      "  DirectionalLight { direction 0 0 -1 }\n"
      "  Material { diffuseColor 1 0 0 }\n"
      "  Translation { translation 0 0 2 }\n"
      "  PoSceneView {\n"
      "    isBackgroundVisible TRUE\n"
      "    isBorderVisible TRUE\n"
      "    borderApp AppearanceKit { drawStyle DrawStyle { lineWidth 3 } }\n"
      "    cameraKit CameraKit { camera PerspectiveCamera { position 0 0 6"
      "      orientation 0 1 0 1.5707963 } }\n"
      "    scene Separator { Cone {} }\n"
      "  }\n"
      "}\n");
  ASSERT_NE(root, nullptr);
  ViewLayers layers(root);
  ASSERT_EQ(layers.getNumLayers(), 2);
  const ViewLayer &view = layers.getLayer(1);
  // The background takes the colour in effect around the view, as rendering
  // draws it; the border too, with its own line width.
  EXPECT_TRUE(view.background.shown);
  EXPECT_EQ(view.background.colour, SbColor(1, 0, 0));
  EXPECT_TRUE(view.border.shown);
  EXPECT_EQ(view.border.colour, SbColor(1, 0, 0));
  EXPECT_EQ(view.border.lineWidth, 3.0f);
  // The camera is the view's own, placed by the translation above the view.
  ASSERT_NE(view.camera, nullptr);
  SbVec3f placed;
  view.cameraModel.multVecMatrix(view.camera->position.getValue(), placed);
  EXPECT_EQ(placed, SbVec3f(0, 0, 8));
  // The light before any camera shines along the eye's view: in the layer
  // it comes as a copy turned with the camera, looking down -x.
  SoSearchAction search;
  search.setType(SoDirectionalLight::getClassTypeId());
  search.apply(view.content);
  ASSERT_NE(search.getPath(), nullptr);
  const SbVec3f direction =
      static_cast<SoDirectionalLight *>(search.getPath()->getTail())->direction.getValue();
  EXPECT_NEAR(direction[0], -1.0f, 1e-5f);
  EXPECT_NEAR(direction[2], 0.0f, 1e-5f);
  EXPECT_NE(search.getPath()->getTail(), root->getChild(0));
  root->unref();
}

TEST(X3DExport, DocumentLayersViewpointsAndActiveLayer) {
  SoSeparator *root = new SoSeparator;
  root->ref();
  SoOrthographicCamera *orthographic = new SoOrthographicCamera;
  orthographic->height = 4.0f;
  PoSceneView *first = VRMLTestScenes::sceneView(SbVec2f(0, 0), SbVec2f(0.5f, 1), new SoCube,
                                                 orthographic);
  SoPerspectiveCamera *perspective = new SoPerspectiveCamera;
  perspective->heightAngle = 0.6f;
  perspective->position.setValue(1, 2, 3);
  PoSceneView *second = VRMLTestScenes::sceneView(SbVec2f(0.5f, 0), SbVec2f(0.5f, 1), new SoCone,
                                                  perspective);
  second->sensitiveOnEvents(1);
  root->addChild(first);
  root->addChild(second);

  for (PoToX3DAction::Encoding encoding : {PoToX3DAction::CLASSIC_VRML, PoToX3DAction::XML}) {
    PoToX3DAction action;
    action.setEncoding(encoding);
    action.apply(root);
    const std::string &text = action.getX3DText();
    const bool classic = encoding == PoToX3DAction::CLASSIC_VRML;
    SCOPED_TRACE(classic ? "classic" : "XML");
    EXPECT_EQ(text.rfind(classic ? "#X3D V4.0 utf8\nPROFILE Immersive\n" : "<?xml", 0), 0u);
    // The second view is the first sensitive one.
    EXPECT_NE(text.find(classic ? "activeLayer 2" : "activeLayer='2'"), std::string::npos);
    const char *const expected[] = {
        classic ? "clipBoundary [ 0 0.50000006 0 1 ]" : "clipBoundary='0 0.50000006 0 1'",
        classic ? "fieldOfView [ -2 -2 2 2 ]" : "fieldOfView='-2 -2 2 2'",
        classic ? "fieldOfView 0.6" : "fieldOfView='0.6'",
        classic ? "position 1 2 3" : "position='1 2 3'",
        classic ? "Cone {" : "<Cone",
        classic ? "Box {" : "<Box"};
    for (const char *part : expected) EXPECT_NE(text.find(part), std::string::npos) << part;
  }
  PoToX3DAction nothing;
  nothing.apply(static_cast<SoNode *>(nullptr));
  EXPECT_TRUE(nothing.getX3DText().empty());
  root->unref();
}

TEST(X3DExport, RegisteredBesideTheVRMLActionAndCopied) {
  const SoType type = PoToX3DAction::getClassTypeId();
  EXPECT_EQ(SbName("PoToX3DAction"), type.getName());
  EXPECT_EQ(SoToVRML2Action::getClassTypeId(), type.getParent());
  PoToX3DAction action;
  action.setEncoding(PoToX3DAction::XML);
  action.setHeadlight(FALSE);
  action.reusePropertyNodes(TRUE);
  const PoToX3DAction copy(action);
  EXPECT_EQ(copy.getEncoding(), PoToX3DAction::XML);
  EXPECT_FALSE(copy.hasHeadlight());
  EXPECT_TRUE(const_cast<PoToX3DAction &>(copy).doReusePropertyNodes());
  EXPECT_EQ(copy.getTypeId(), type);
  {
    ModuleRegisteredAgain reset;
    DebugCapture reports;
    PoBaseView::exitClasses();
    EXPECT_TRUE(PoToX3DAction::getClassTypeId().isBad());
    PoToX3DAction late; // registers its class on the spot, with a report
    EXPECT_EQ(late.getTypeId().getName(), SbName("PoToX3DAction"));
    EXPECT_EQ(reports.ours().size(), 1u);
  }
}
