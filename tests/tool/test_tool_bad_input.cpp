// Every way a user can hand poview something it cannot use: one line on
// stderr that names the file or option, exit status 1 (files) or 2 (usage),
// and nothing written.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QFile>

#include <algorithm>
#include <cctype>
#include <string>
#include <tuple>

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
                      std::make_pair("--size", "1000001x10"),
                      std::make_pair("--background", "1,1"),
                      std::make_pair("--background", "2,0,0"),
                      std::make_pair("--background", "0,0,-0.5"),
                      std::make_pair("--background", "red"), std::make_pair("--tiles", "0x2"),
                      std::make_pair("--tiles", "3"), std::make_pair("--tiles", "3x2x1"),
                      std::make_pair("--tiles", "1000x1"), std::make_pair("--tiles", "641x1")));

TEST(ToolUsage, PictureNameWithAnExtensionNoWriterKnows) {
  ScratchDirectory scratch;
  const QString output = scratch.path("picture.pngx");
  const ToolResult result = runTool({"render", examplePath("side_by_side.iv"), "-o", output});
  expectOneLineError(result, 2, "pngx");
  EXPECT_NE(result.err.find("png"), std::string::npos) << result.err; // what Qt can write
  EXPECT_TRUE(scratch.entries().isEmpty());
}

TEST(ToolUsage, VersionNamesPoviewAndItsLibraries) {
  const ToolResult result = runTool({"--version"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.err.empty()) << result.err;
  EXPECT_EQ(result.out.rfind("poview ", 0), 0u) << result.out;
  for (const char *library : {"BrennicQt", "Coin", "SoQt", "Qt"})
    EXPECT_NE(result.out.find(library), std::string::npos) << result.out;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << result.out;
}

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

namespace {

// Scene files with a fault inside a view, the words the one-line error must
// hold, and the line it must point at.
struct BadScene {
  const char *name;
  const char *body; // after the header line
  const char *fragment;
  int line;
};

const BadScene kBadScenes[] = {
    {"unknown field", "PoSceneView {\n  viewportSize 0.5 1\n  zoomFactor 2\n}\n",
     "Unknown field \"zoomFactor\" in \"PoSceneView\"", 4},
    {"file ends inside a view", "Separator {\n  PoView {\n    viewportSize 0.5 1\n",
     "end of file inside \"PoView\"", 5},
    {"file ends inside a part",
     "PoSceneView {\n  cameraKit CameraKit {\n    camera PerspectiveCamera { position 0 0 5 }\n",
     "end of file in part \"cameraKit\"", 5},
    {"part of the wrong type", "PoSceneView {\n\n  cameraKit Cube { }\n}\n",
     "\"cameraKit\" of \"PoSceneView\" must be of type CameraKit, not Cube", 4},
    {"part holding parts of the wrong type", "PoSceneView { topSep Cube { } }\n",
     "\"topSep\" of \"PoSceneView\" must be of type Separator, not Cube", 2},
    {"sub-part of the wrong type", "PoView {\n  cameraKit.camera Cube { }\n}\n",
     "No part \"cameraKit.camera\" in \"PoView\" takes a Cube", 4},
    // The view is handed to what it is reading while it has no owner yet.
    {"view used in its own part", "DEF v PoSceneView {\n  cameraKit Separator { USE v }\n}\n",
     "\"cameraKit\" of \"PoSceneView\" must be of type CameraKit, not Separator", 3},
    // Coin reads on past the stray braces; the view it then finds must not
    // hide the error.
    {"junk after the header", "}}}} PoSceneView { }\n",
     "Erroneous character(s) after end of scenegraph", 2},
    {"camera link entry that is no view",
     "Separator {\n  DEF A PoView { }\n  PoCameraLink {\n    views [ USE A,\n      Cube { } ] }\n}\n",
     "Entry 1 of \"views\" in \"PoCameraLink\" must be a view", 6},
    {"view connected to from its own part",
     "DEF v PoView {\n  cameraKit.camera OrthographicCamera { } = USE v.viewportSize\n}\n",
     "\".viewportSize\" in \"PoView\"", 4},
};

class BadSceneFile : public ::testing::TestWithParam<std::tuple<const char *, BadScene>> {};

TEST_P(BadSceneFile, OneLineSaysWhatIsWrongAndWhere) {
  const char *command = std::get<0>(GetParam());
  const BadScene &bad = std::get<1>(GetParam());
  ScratchDirectory scratch;
  const QString scene =
      scratch.write("bad.iv", QByteArray("#Inventor V2.1 ascii\n") + bad.body);
  QStringList words{command, scene};
  if (std::string(command) != "info") words << "-o" << scratch.path("out");
  const ToolResult result = runTool(words);
  expectOneLineError(result, 1, bad.fragment);
  EXPECT_NE(result.err.find("line " + std::to_string(bad.line) + " "), std::string::npos)
      << result.err;
  EXPECT_EQ(scratch.entries(), QStringList{"bad.iv"});
}

INSTANTIATE_TEST_SUITE_P(Tool, BadSceneFile,
                         ::testing::Combine(::testing::Values("info", "render", "export"),
                                            ::testing::ValuesIn(kBadScenes)),
                         [](const auto &info) {
                           std::string name = std::string(std::get<0>(info.param)) + "_" +
                                              std::get<1>(info.param).name;
                           for (char &c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

class ViewWithoutCamera : public ::testing::TestWithParam<const char *> {};

// A view that shows nothing is named on one warning line; the others and
// the command's result are as usual.
TEST_P(ViewWithoutCamera, IsNamedInOneWarning) {
  ScratchDirectory scratch;
  const QString scene = scratch.write(
      "blind.iv", "#Inventor V2.1 ascii\nSeparator {\n"
                  "  PoSceneView { viewportSize 0.5 1 }\n"
                  "  DEF Seeing PoSceneView { viewportOrigin 0.5 0 viewportSize 0.5 1\n"
                  "    cameraKit CameraKit { camera PerspectiveCamera { } } }\n"
                  "  DEF Blind PoView { }\n}\n");
  QStringList words{GetParam(), scene};
  if (std::string(GetParam()) != "info") words << "-o" << scratch.path("out");
  const ToolResult result = runTool(words);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::vector<std::string> lines = result.errorLines();
  ASSERT_EQ(lines.size(), 2u) << result.err;
  EXPECT_NE(lines[0].find("warning: view 1 (PoSceneView)"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("warning: view 3 (PoView \"Blind\")"), std::string::npos) << lines[1];
  EXPECT_EQ(result.err.find("Seeing"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Tool, ViewWithoutCamera, ::testing::Values("info", "render", "export"));

} // namespace
