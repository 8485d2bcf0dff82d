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

struct ExpectedView {
  const char *name;
  double originX, originY, sizeX, sizeY;
  const char *camera;
};

TEST(ToolInfo, JsonListsTheFourQuadrants) {
  const QString scene = examplePath("four_quadrants.iv");
  const QJsonObject top = infoJson(scene);
  EXPECT_EQ(top["file"].toString(), scene);
  const QJsonArray views = top["views"].toArray();
  const ExpectedView expected[] = {{"TopLeft", 0, 0.5, 0.5, 0.5, "PerspectiveCamera"},
                                   {"TopRight", 0.5, 0.5, 0.5, 0.5, "PerspectiveCamera"},
                                   {"BottomLeft", 0, 0, 0.5, 0.5, "OrthographicCamera"},
                                   {"BottomRight", 0.5, 0, 0.5, 0.5, "PerspectiveCamera"}};
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
    EXPECT_TRUE(view["backgroundVisible"].isNull());
    EXPECT_TRUE(view["borderVisible"].isNull());
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
  EXPECT_EQ(text.out,
            "PoSceneView origin 0 0 size 0.25 0.5 camera none background off border off\n");
}

TEST(ToolInfo, TextHasOneLinePerViewIndentedByNesting) {
  const ToolResult result = runTool({"info", examplePath("inset.iv")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "PoSceneView \"Main\" origin 0 0 size 1 1 camera PerspectiveCamera"
            " background on border off\n"
            "  PoSceneView \"Inset\" origin 0.65 0.65 size 0.3 0.3 camera PerspectiveCamera"
            " background on border on\n");
}

TEST(ToolInfo, TextForPlainViews) {
  const ToolResult result = runTool({"info", examplePath("side_by_side.iv")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "PoView \"Left\" origin 0 0 size 0.5 1 camera PerspectiveCamera background - border -\n"
            "PoView \"Right\" origin 0.5 0 size 0.5 1 camera PerspectiveCamera background - border -\n");
}

} // namespace
