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
    // Nothing the library put into the graph (camera kits, decorations)
    // draws a warning from Coin's conversion.
    EXPECT_EQ(result.err, "");
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
  // Each scene view follows the viewer through a proximity sensor; one
  // viewpoint binds the field of view they are placed for.
  EXPECT_EQ(countOf(root, SoVRMLProximitySensor::getClassTypeId()), 4);
  EXPECT_EQ(countOf(root, SoVRMLViewpoint::getClassTypeId()), 1);
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

TEST_F(ToolExport, InsetIsAnOverlayOfItsOwn) {
  SoSeparator *root = exportAndRead("inset.iv");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(countOf(root, SoVRMLCollision::getClassTypeId()), 1);
  EXPECT_EQ(countOf(root, SoVRMLProximitySensor::getClassTypeId()), 2);
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

namespace {

int occurrences(const QByteArray &text, const char *what) { return text.count(what); }

} // namespace

// The X3D forms, chosen by the output's extension: each view a layer, each
// border two more, the labels and triads of a view one layout layer, in a
// file or page written whole.
TEST(ToolExportX3D, ExtensionChoosesTheForm) {
  struct Case {
    const char *example;
    int layers;
    int overlayLayers;
  };
  const Case cases[] = {
      {"four_quadrants.iv", 12, 4}, {"inset.iv", 4, 0}, {"side_by_side.iv", 2, 0}};
  struct Form {
    const char *extension;
    const char *head;
    const char *layer;
    const char *overlayLayer;
  };
  const Form forms[] = {
      {".x3dv", "#X3D V4.0 utf8", " Layer {", "LayoutLayer {"},
      {".X3D", "<?xml", "<Layer containerField='layers'", "<LayoutLayer containerField='layers'"},
      {".html", "<!DOCTYPE html>", " Layer {", "LayoutLayer {"}};
  for (const Case &c : cases)
    for (const Form &form : forms) {
      SCOPED_TRACE(std::string(c.example) + form.extension);
      ScratchDirectory scratch;
      const QString output = scratch.path(QString("scene") + form.extension);
      const ToolResult result = runTool({"export", examplePath(c.example), "-o", output,
                                         "--x-ite-url", "x_ite/x_ite.min.js"});
      const bool page = QString(form.extension) == ".html";
      EXPECT_EQ(result.exitCode, 0) << result.err;
      // The X_ITE address is for pages; the other forms note that they
      // ignore it, on one line.
      EXPECT_EQ(result.errorLines().size(), page ? 0u : 1u) << result.err;
      QFile file(output);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      const QByteArray text = file.readAll();
      EXPECT_TRUE(text.startsWith(form.head));
      EXPECT_EQ(occurrences(text, form.layer), c.layers);
      EXPECT_EQ(occurrences(text, form.overlayLayer), c.overlayLayers);
      if (!page) continue;
      EXPECT_TRUE(text.contains("<script src=\"x_ite/x_ite.min.js\"></script>"));
      // The scene inside its script element cannot end the element.
      EXPECT_EQ(occurrences(text, "</script>"), 2);
    }
  for (const Case &c : cases)
    for (const Form &form : {forms[0], forms[1]}) {
      SCOPED_TRACE(std::string(c.example) + form.extension);
      ScratchDirectory scratch;
      const QString output = scratch.path(QString("scene") + form.extension);
      for (const bool headlight : {true, false}) {
        QStringList arguments{"export", examplePath(c.example), "-o", output};
        if (!headlight) arguments << "--no-headlight";
        const ToolResult result = runTool(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(scratch.entries(), QStringList{QString("scene") + form.extension});
        QFile file(output);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        EXPECT_TRUE(text.startsWith(form.head));
        EXPECT_EQ(occurrences(text, form.layer), c.layers);
        // Every layer's navigation (and the window's) says whether the
        // headlight is on; border layers never light.
        const char *on = form.head[0] == '#' ? "headlight TRUE" : "headlight='true'";
        EXPECT_EQ(occurrences(text, on) > 0, headlight);
      }
    }
}

TEST(ToolExportX3D, OptionsOfOneFormAreRefusedForTheOthers) {
  const char *const refused[][2] = {{"--navigable", ".x3dv"},
                                    {"--navigable", ".html"},
                                    {"--no-headlight", ".wrl"}};
  for (const auto &pair : refused) {
    SCOPED_TRACE(std::string(pair[0]) + " " + pair[1]);
    ScratchDirectory scratch;
    const ToolResult result = runTool({"export", examplePath("inset.iv"), "-o",
                                       scratch.path(QString("scene") + pair[1]), pair[0]});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.errorLines().size(), 1u);
    EXPECT_EQ(scratch.entries(), QStringList());
  }
}
