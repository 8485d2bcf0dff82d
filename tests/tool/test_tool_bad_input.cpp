// Every way a user can hand poview something it cannot use: one line on
// stderr that names the file or option, exit status 1 (files) or 2 (usage),
// and nothing written.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QByteArray kNoViewScene = "#Inventor V2.1 ascii\nSeparator { Cube { } }\n";
const QByteArray kBrokenScene = "#Inventor V2.1 ascii\nSeparator { Cube { width } \n";

void expectOneLineError(const ToolResult &result, int status, const std::string &mention) {
  EXPECT_EQ(result.exitCode, status) << result.err;
  const std::vector<std::string> lines = result.errorLines();
  ASSERT_EQ(lines.size(), 1u) << result.err;
  EXPECT_NE(lines[0].find("error"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find(mention), std::string::npos) << lines[0];
  EXPECT_TRUE(result.out.empty()) << result.out;
}

// The commands that write a file, with the output file name to pass.
struct WritingCommand {
  const char *name;
  const char *output;
};

void PrintTo(const WritingCommand &command, std::ostream *out) { *out << command.name; }

class WritingCommandBadInput : public ::testing::TestWithParam<WritingCommand> {
protected:
  ToolResult run(const QString &scene, const QString &output, QStringList extra = {}) {
    return runTool(QStringList{GetParam().name, scene, "-o", output} + extra);
  }
  QString output() const { return scratch.path(GetParam().output); }
  ScratchDirectory scratch;
};

TEST_P(WritingCommandBadInput, MissingSceneFileIsNamed) {
  const QString missing = scratch.path("missing.iv");
  expectOneLineError(run(missing, output()), 1, missing.toStdString());
  EXPECT_TRUE(scratch.entries().isEmpty());
}

TEST_P(WritingCommandBadInput, DirectoryGivenAsSceneFile) {
  expectOneLineError(run(scratch.path(""), output()), 1, "is a directory");
  EXPECT_TRUE(scratch.entries().isEmpty());
}

TEST_P(WritingCommandBadInput, UnreadableSceneFile) {
  // A path through a regular file cannot be opened, whoever runs the test.
  const QString plain = scratch.write("plain", "x");
  const QString unreadable = plain + "/scene.iv";
  expectOneLineError(run(unreadable, output()), 1, unreadable.toStdString());
  EXPECT_EQ(scratch.entries(), QStringList{"plain"});
}

TEST_P(WritingCommandBadInput, TextFileIsNotASceneFile) {
  const QString text = scratch.write("notes.txt", "shopping list\n");
  expectOneLineError(run(text, output()), 1, "not a scene file");
  EXPECT_EQ(scratch.entries(), QStringList{"notes.txt"});
}

TEST_P(WritingCommandBadInput, EmptyFileIsNotASceneFile) {
  const QString empty = scratch.write("empty.iv", "");
  expectOneLineError(run(empty, output()), 1, empty.toStdString());
  EXPECT_EQ(scratch.entries(), QStringList{"empty.iv"});
}

TEST_P(WritingCommandBadInput, SyntaxErrorIsReportedOnOneLine) {
  const QString broken = scratch.write("broken.iv", kBrokenScene);
  expectOneLineError(run(broken, output()), 1, broken.toStdString());
  EXPECT_EQ(scratch.entries(), QStringList{"broken.iv"});
}

TEST_P(WritingCommandBadInput, SceneWithoutViewLeavesExistingOutputAlone) {
  const QString scene = scratch.write("plain.iv", kNoViewScene);
  scratch.write(GetParam().output, "previous contents");
  expectOneLineError(run(scene, output()), 1, "no view");
  QFile previous(output());
  ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
  EXPECT_EQ(previous.readAll(), QByteArray("previous contents"));
  EXPECT_EQ(scratch.entries().size(), 2);
}

TEST_P(WritingCommandBadInput, OutputDirectoryMissing) {
  const QString target = scratch.path("no/such/dir/") + GetParam().output;
  expectOneLineError(run(examplePath("side_by_side.iv"), target), 1, target.toStdString());
  EXPECT_TRUE(scratch.entries().isEmpty());
}

TEST_P(WritingCommandBadInput, OutputUnderARegularFile) {
  const QString plain = scratch.write("plain", "x");
  const QString target = plain + "/" + GetParam().output;
  expectOneLineError(run(examplePath("side_by_side.iv"), target), 1, target.toStdString());
  EXPECT_EQ(scratch.entries(), QStringList{"plain"});
}

TEST_P(WritingCommandBadInput, OutputIsADirectory) {
  const QString target = scratch.path("");
  expectOneLineError(run(examplePath("side_by_side.iv"), target), 1, "is a directory");
  EXPECT_TRUE(scratch.entries().isEmpty());
}

TEST_P(WritingCommandBadInput, MissingOutputOptionIsUsage) {
  expectOneLineError(runTool({GetParam().name, examplePath("side_by_side.iv")}), 2, "-o");
}

TEST_P(WritingCommandBadInput, OutputOptionWithoutValueIsUsage) {
  expectOneLineError(runTool({GetParam().name, examplePath("side_by_side.iv"), "-o"}), 2,
                     "--output");
}

INSTANTIATE_TEST_SUITE_P(Tool, WritingCommandBadInput,
                         ::testing::Values(WritingCommand{"render", "out.png"},
                                           WritingCommand{"export", "out.wrl"}),
                         [](const auto &info) { return std::string(info.param.name); });

// Bad usage of every command: status 2 and the offending word named.
class CommandUsage : public ::testing::TestWithParam<const char *> {
protected:
  // The command line, with an output file for the commands that need one, so
  // that only the fault under test is wrong with it.
  QStringList commandLine(QStringList words) const {
    const std::string command = GetParam();
    words.prepend(GetParam());
    if (command == "render" || command == "export") words << "-o" << "/tmp/poview-never-written";
    return words;
  }
};

TEST_P(CommandUsage, MissingSceneArgument) {
  expectOneLineError(runTool({GetParam()}), 2, "scene file");
}

TEST_P(CommandUsage, UnknownOption) {
  expectOneLineError(runTool(commandLine({examplePath("side_by_side.iv"), "--frobnicate"})), 2,
                     "--frobnicate");
}

TEST_P(CommandUsage, SecondSceneArgument) {
  expectOneLineError(runTool(commandLine({examplePath("side_by_side.iv"), "extra.iv"})), 2,
                     "extra.iv");
}

TEST_P(CommandUsage, HelpGoesToStdoutAndSucceeds) {
  const ToolResult result = runTool({GetParam(), "--help"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out.rfind(std::string("Usage: poview ") + GetParam(), 0), 0u) << result.out;
  EXPECT_TRUE(result.err.empty()) << result.err;
}

TEST_P(CommandUsage, MissingSceneFileIsAUserError) {
  expectOneLineError(runTool(commandLine({"/nonexistent/scene.iv"})), 1,
                     "/nonexistent/scene.iv");
}

INSTANTIATE_TEST_SUITE_P(Tool, CommandUsage,
                         ::testing::Values("render", "export", "view", "info"));

TEST(ToolUsage, NoCommand) { expectOneLineError(runTool({}), 2, "command"); }

TEST(ToolUsage, UnknownCommand) { expectOneLineError(runTool({"paint"}), 2, "paint"); }

TEST(ToolUsage, TopLevelHelpListsEveryCommand) {
  const ToolResult result = runTool({"--help"});
  EXPECT_EQ(result.exitCode, 0);
  for (const char *command : {"render", "export", "view", "info"})
    EXPECT_NE(result.out.find(std::string("  ") + command + " "), std::string::npos) << command;
}

class RenderOptionValue : public ::testing::TestWithParam<std::pair<const char *, const char *>> {
};

TEST_P(RenderOptionValue, MalformedValueIsUsageAndWritesNothing) {
  ScratchDirectory scratch;
  const QString output = scratch.path("out.png");
  const ToolResult result = runTool({"render", examplePath("side_by_side.iv"), "-o", output,
                                     GetParam().first, GetParam().second});
  expectOneLineError(result, 2, GetParam().first);
  EXPECT_NE(result.err.find(GetParam().second), std::string::npos) << result.err;
  EXPECT_TRUE(scratch.entries().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Tool, RenderOptionValue,
    ::testing::Values(std::make_pair("--size", "0x480"), std::make_pair("--size", "640x0"),
                      std::make_pair("--size", "0x0"), std::make_pair("--size", "640"),
                      std::make_pair("--size", "640x"), std::make_pair("--size", "-640x480"),
                      std::make_pair("--size", "640x480x2"), std::make_pair("--size", "axb"),
                      std::make_pair("--size", "99999x10"),
                      std::make_pair("--background", "1,1"),
                      std::make_pair("--background", "2,0,0"),
                      std::make_pair("--background", "0,0,-0.5"),
                      std::make_pair("--background", "red"), std::make_pair("--tiles", "0x2"),
                      std::make_pair("--tiles", "3"), std::make_pair("--tiles", "3x2x1"),
                      std::make_pair("--tiles", "1000x1"), std::make_pair("--tiles", "641x1")));

TEST(ToolUsage, OptionGivenTwice) {
  expectOneLineError(runTool({"render", examplePath("side_by_side.iv"), "-o", "/tmp/a.png",
                              "--size", "10x10", "--size", "20x20"}),
                     2, "--size");
}

TEST(ToolUsage, FlagWithValue) {
  expectOneLineError(runTool({"info", examplePath("side_by_side.iv"), "--json=yes"}), 2,
                     "--json");
}

} // namespace
