// poview view: the interactive viewer starts on the examples and closes
// cleanly when asked to.
#include "ToolRun.h"

#include <gtest/gtest.h>

namespace {

class ToolView : public ::testing::TestWithParam<const char *> {};

TEST_P(ToolView, OpensTheSceneAndClosesOnRequest) {
  const ToolResult result = runTool({"view", examplePath(GetParam()), "--exit-after", "300"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(result.out.empty()) << result.out;
}

INSTANTIATE_TEST_SUITE_P(Tool, ToolView,
                         ::testing::Values("four_quadrants.iv", "inset.iv", "side_by_side.iv"));

TEST(ToolViewUsage, MalformedDelayIsUsage) {
  const ToolResult result = runTool({"view", examplePath("inset.iv"), "--exit-after", "soon"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("--exit-after"), std::string::npos) << result.err;
}

TEST(ToolViewUsage, NoDisplayIsAUserError) {
  const ToolResult result =
      runTool({"view", examplePath("inset.iv"), "--exit-after", "0"}, {"DISPLAY=", "QT_QPA_PLATFORM="});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.errorLines().size(), 1u) << result.err;
  EXPECT_NE(result.err.find("display"), std::string::npos) << result.err;
}

} // namespace
