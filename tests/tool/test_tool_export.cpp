// poview export: the VRML97 files of the examples, read back with Coin.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/VRMLnodes/SoVRMLCollision.h>
#include <Inventor/VRMLnodes/SoVRMLProximitySensor.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/VRMLnodes/SoVRMLViewpoint.h>

#include <QFile>

#include <gtest/gtest.h>

#include <set>

namespace {

int countOf(SoNode *root, SoType type) {
  SoSearchAction search;
  search.setType(type);
  search.setInterest(SoSearchAction::ALL);
  search.setSearchingAll(TRUE);
  search.apply(root);
  return search.getPaths().getLength();
}

class ToolExport : public ::testing::Test {
protected:
  // Exports, checks the header and reads the file back; the root holds one
  // reference for the test.
  SoSeparator *exportAndRead(const char *example, QStringList options = {}) {
    const QString output = scratch.path("scene.wrl");
    const ToolResult result =
        runTool(QStringList{"export", examplePath(example), "-o", output} + options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // Coin warns that the transform separator inside a camera kit has no VRML
    // counterpart; warnings may come, each once, but nothing else.
    const std::vector<std::string> lines = result.errorLines();
    for (const std::string &line : lines)
      EXPECT_EQ(line.rfind("poview export: warning: ", 0), 0u) << line;
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), lines.size());
    EXPECT_EQ(scratch.entries(), QStringList{"scene.wrl"});
    QFile file(output);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readLine().startsWith("#VRML V2.0 utf8"));
    SoInput input;
    if (!input.openFile(output.toLocal8Bit().constData())) return nullptr;
    SoSeparator *root = SoDB::readAll(&input);
    if (root) root->ref();
    return root;
  }

  ScratchDirectory scratch;
};

TEST_F(ToolExport, FourQuadrantsBecomeFourViewerFixedOverlays) {
  SoSeparator *root = exportAndRead("four_quadrants.iv");
  ASSERT_NE(root, nullptr);
  ASSERT_EQ(countOf(root, SoVRMLCollision::getClassTypeId()), 1);
  SoSearchAction search;
  search.setType(SoVRMLCollision::getClassTypeId());
  search.apply(root);
  auto *collision = static_cast<SoVRMLCollision *>(search.getPath()->getTail());
  EXPECT_FALSE(collision->collide.getValue());
  // Each scene view follows the viewer through a proximity sensor.
  EXPECT_EQ(countOf(root, SoVRMLProximitySensor::getClassTypeId()), 4);
  EXPECT_EQ(countOf(root, SoVRMLViewpoint::getClassTypeId()), 0);
  // The four scenes (cone, cube, sphere, cylinder) come through as shapes.
  EXPECT_GE(countOf(root, SoVRMLShape::getClassTypeId()), 4);
  root->unref();
}

TEST_F(ToolExport, NavigableMakesTheFirstSceneViewAViewpoint) {
  SoSeparator *root = exportAndRead("four_quadrants.iv", {"--navigable"});
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(countOf(root, SoVRMLViewpoint::getClassTypeId()), 1);
  EXPECT_EQ(countOf(root, SoVRMLProximitySensor::getClassTypeId()), 3);
  root->unref();
}

TEST_F(ToolExport, InsetTravelsInsideTheMainViewsOverlay) {
  SoSeparator *root = exportAndRead("inset.iv");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(countOf(root, SoVRMLCollision::getClassTypeId()), 1);
  // The conversion rebuilds each scene view from its "scene" part with
  // Coin's own converter, so the nested view comes out as part of the main
  // view's overlay rather than as an overlay of its own.
  EXPECT_EQ(countOf(root, SoVRMLProximitySensor::getClassTypeId()), 1);
  EXPECT_GE(countOf(root, SoVRMLShape::getClassTypeId()), 2); // sphere and cube
  root->unref();
}

TEST_F(ToolExport, DashWritesToStandardOutput) {
  const ToolResult result = runTool({"export", examplePath("side_by_side.iv"), "-o", "-"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out.rfind("#VRML V2.0 utf8", 0), 0u);
  SoInput input;
  input.setBuffer(result.out.data(), result.out.size());
  SoSeparator *root = SoDB::readAll(&input);
  ASSERT_NE(root, nullptr);
  root->ref();
  EXPECT_EQ(countOf(root, SoVRMLCollision::getClassTypeId()), 1);
  root->unref();
  EXPECT_TRUE(scratch.entries().isEmpty());
}

TEST_F(ToolExport, PlainViewsExportAsAnOrdinaryScene) {
  SoSeparator *root = exportAndRead("side_by_side.iv");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(countOf(root, SoVRMLCollision::getClassTypeId()), 1);
  EXPECT_EQ(countOf(root, SoVRMLProximitySensor::getClassTypeId()), 0);
  EXPECT_GE(countOf(root, SoVRMLShape::getClassTypeId()), 2);
  root->unref();
}

} // namespace
