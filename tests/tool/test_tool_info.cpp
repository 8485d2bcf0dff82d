// poview info: what it tells about the views of the examples, as a user or a
// script reads it.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

QJsonObject infoJson(const QString &scene) {
  const ToolResult result = runTool({"info", scene, "--json"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(result.err.empty()) << result.err;
  QJsonParseError error;
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << result.out;
  return document.object();
}

void expectPair(const QJsonValue &value, double x, double y) {
  const QJsonArray pair = value.toArray();
  ASSERT_EQ(pair.size(), 2);
  EXPECT_DOUBLE_EQ(pair[0].toDouble(), x);
  EXPECT_DOUBLE_EQ(pair[1].toDouble(), y);
}

void expectTriple(const QJsonValue &value, double r, double g, double b) {
  const QJsonArray triple = value.toArray();
  ASSERT_EQ(triple.size(), 3);
  EXPECT_DOUBLE_EQ(triple[0].toDouble(), r);
  EXPECT_DOUBLE_EQ(triple[1].toDouble(), g);
  EXPECT_DOUBLE_EQ(triple[2].toDouble(), b);
}

struct ExpectedView {
  const char *name;
  double originX, originY, sizeX, sizeY;
  const char *camera;
  double background[3];
};

TEST(ToolInfo, JsonListsTheFourQuadrants) {
  const QString scene = examplePath("four_quadrants.iv");
  const QJsonObject top = infoJson(scene);
  EXPECT_EQ(top["file"].toString(), scene);
  const QJsonArray views = top["views"].toArray();
  const ExpectedView expected[] = {
      {"TopLeft", 0, 0.5, 0.5, 0.5, "PerspectiveCamera", {0.1, 0.1, 0.4}},
      {"TopRight", 0.5, 0.5, 0.5, 0.5, "PerspectiveCamera", {0.1, 0.35, 0.1}},
      {"BottomLeft", 0, 0, 0.5, 0.5, "OrthographicCamera", {0.4, 0.1, 0.1}},
      {"BottomRight", 0.5, 0, 0.5, 0.5, "PerspectiveCamera", {0.3, 0.3, 0.3}}};
  ASSERT_EQ(views.size(), 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(expected[i].name);
    const QJsonObject view = views[i].toObject();
    EXPECT_EQ(view["type"].toString(), "PoSceneView");
    EXPECT_EQ(view["name"].toString(), expected[i].name);
    EXPECT_EQ(view["depth"].toInt(-1), 0);
    expectPair(view["viewportOrigin"], expected[i].originX, expected[i].originY);
    expectPair(view["viewportSize"], expected[i].sizeX, expected[i].sizeY);
    EXPECT_EQ(view["camera"].toString(), expected[i].camera);
    EXPECT_EQ(view["backgroundVisible"], QJsonValue(true));
    EXPECT_EQ(view["borderVisible"], QJsonValue(true));
    const double *background = expected[i].background;
    expectTriple(view["backgroundColor"], background[0], background[1], background[2]);
    expectTriple(view["borderColor"], 1, 1, 1);
    EXPECT_EQ(view["borderWidth"].toDouble(), 3);
  }
}

TEST(ToolInfo, JsonGivesTheInsetItsDepthAndWindowRelativeViewport) {
  const QJsonArray views = infoJson(examplePath("inset.iv"))["views"].toArray();
  ASSERT_EQ(views.size(), 2);
  const QJsonObject main = views[0].toObject();
  EXPECT_EQ(main["name"].toString(), "Main");
  EXPECT_EQ(main["depth"].toInt(-1), 0);
  expectPair(main["viewportOrigin"], 0, 0);
  expectPair(main["viewportSize"], 1, 1);
  EXPECT_EQ(main["backgroundVisible"], QJsonValue(true));
  EXPECT_EQ(main["borderVisible"], QJsonValue(false));
  const QJsonObject inset = views[1].toObject();
  EXPECT_EQ(inset["name"].toString(), "Inset");
  EXPECT_EQ(inset["depth"].toInt(-1), 1);
  expectPair(inset["viewportOrigin"], 0.65, 0.65);
  expectPair(inset["viewportSize"], 0.3, 0.3);
  EXPECT_EQ(inset["borderVisible"], QJsonValue(true));
}

TEST(ToolInfo, JsonMarksPlainViewsAsHavingNoDecorations) {
  const QJsonArray views = infoJson(examplePath("side_by_side.iv"))["views"].toArray();
  ASSERT_EQ(views.size(), 2);
  for (const QJsonValue &value : views) {
    const QJsonObject view = value.toObject();
    EXPECT_EQ(view["type"].toString(), "PoView");
    EXPECT_EQ(view["camera"].toString(), "PerspectiveCamera");
    for (const char *absent :
         {"backgroundVisible", "borderVisible", "backgroundColor", "borderColor", "borderWidth"})
      EXPECT_TRUE(view[absent].isNull()) << absent;
  }
  expectPair(views[1].toObject()["viewportOrigin"], 0.5, 0);
  expectPair(views[1].toObject()["viewportSize"], 0.5, 1);
}

TEST(ToolInfo, ViewWithoutCameraIsListedWithoutMakingOne) {
  ScratchDirectory scratch;
  const QString scene = scratch.write(
      "bare.iv", "#Inventor V2.1 ascii\nPoSceneView { viewportSize 0.25 0.5 }\n");
  // The listing goes to stdout; the warning that the view shows nothing to
  // stderr (see test_tool_bad_input.cpp).
  const ToolResult json = runTool({"info", scene, "--json"});
  EXPECT_EQ(json.exitCode, 0);
  const QJsonArray views =
      QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object()["views"].toArray();
  ASSERT_EQ(views.size(), 1);
  EXPECT_TRUE(views[0].toObject()["camera"].isNull());
  const ToolResult text = runTool({"info", scene});
  EXPECT_EQ(text.exitCode, 0);
  // A view never styled shows the colours and width it is drawn with.
  EXPECT_EQ(text.out, "PoSceneView origin 0 0 size 0.25 0.5 camera none background off color"
                      " 0.8 0.8 0.8 border off color 0.8 0.8 0.8 width 1\n");
}

// Views switched off are left out of the listing, as out of the picture; a
// scene whose views are all switched off still holds views.
TEST(ToolInfo, ViewsSwitchedOffAreLeftOut) {
  ScratchDirectory scratch;
  const QString scene =
      scratch.write("off.iv", "#Inventor V2.1 ascii\nPoView { isVisible FALSE }\n");
  const ToolResult result = runTool({"info", scene});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(result.out.empty()) << result.out;
}

TEST(ToolInfo, TextHasOneLinePerViewIndentedByNesting) {
  const ToolResult result = runTool({"info", examplePath("inset.iv")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "PoSceneView \"Main\" origin 0 0 size 1 1 camera PerspectiveCamera"
            " background on color 0.15 0.15 0.2 border off color 0.8 0.8 0.8 width 1\n"
            "  PoSceneView \"Inset\" origin 0.65 0.65 size 0.3 0.3 camera PerspectiveCamera"
            " background on color 0.1 0.3 0.4 border on color 1 0.9 0 width 3\n");
}

TEST(ToolInfo, TextForPlainViews) {
  const ToolResult result = runTool({"info", examplePath("side_by_side.iv")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "PoView \"Left\" origin 0 0 size 0.5 1 camera PerspectiveCamera background - border -\n"
            "PoView \"Right\" origin 0.5 0 size 0.5 1 camera PerspectiveCamera background - border -\n");
}

} // namespace
