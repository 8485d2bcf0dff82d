// Generated files a stranger could hand poview: nesting up to and beyond the
// stated depth, scenes that hold themselves or multiply through USE, huge,
// tiny and unreadable numbers, long names. Each ends with exit 0 or one clear
// line and status 1, never a crash or a hang, whichever command reads it.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// The depth poview promises to take, as its README and --help state.
constexpr int kStatedDepth = 100000;

const QByteArray kHeader = "#Inventor V2.1 ascii\n";

// A view, then `levels` groups each inside the one before.
QByteArray groupChain(int levels) {
  return kHeader + "PoView { }\n" + QByteArray("Group{").repeated(levels) +
         QByteArray("}").repeated(levels) + "\n";
}

QByteArray sceneView(const QByteArray &fields) {
  return kHeader + "PoSceneView { " + fields +
         " isBorderVisible TRUE cameraKit CameraKit { camera PerspectiveCamera { } }"
         " scene Separator { Cube { } } }\n";
}

// Each level uses the one below twice: one traversal visits 2^levels nodes.
QByteArray doublingUses(int levels) {
  QByteArray text = kHeader + "PoView { }\nDEF L0 Cube { }\n";
  for (int i = 1; i <= levels; ++i)
    text += "DEF L" + QByteArray::number(i) + " Group { USE L" + QByteArray::number(i - 1) +
            " USE L" + QByteArray::number(i - 1) + " }\n";
  return text;
}

const QByteArray kLongName = QByteArray("N").repeated(10000);

struct HostileFile {
  const char *label;
  const char *command;
  QByteArray contents;
  int status;
  // Expected in stdout on success, in the one error line on failure.
  const char *fragment;
};

void PrintTo(const HostileFile &file, std::ostream *out) { *out << file.label; }

const HostileFile kFiles[] = {
    {"DeepestAccepted", "info", groupChain(kStatedDepth), 0, "PoView origin 0 0 size 1 1"},
    {"DeeperRefused", "render", groupChain(kStatedDepth + 1), 1, "nests 100001 levels"},
    {"DeepRendered", "render", kHeader + "PoSceneView { cameraKit CameraKit { camera "
                               "PerspectiveCamera { } } scene Separator { " +
                                   QByteArray("Group{").repeated(30000) + "Cube{}" +
                                   QByteArray("}").repeated(30000) + " } }\n",
     0, ""},
    {"HoldsItself", "export", kHeader + "DEF A Separator { PoView { } USE A }\n", 1,
     "holds itself"},
    {"HoldsItselfThroughAKit", "view",
     kHeader + "DEF G Group { PoSceneView { scene Separator { USE G } } }\n", 1, "holds itself"},
    {"UsesDoubling", "info", doublingUses(40), 1, "visit more than"},
    {"HugeViewportListed", "info", sceneView("viewportOrigin -1e38 -1e38 viewportSize 1e38 1e38"),
     0, "origin -1e+38 -1e+38 size 1e+38 1e+38"},
    {"HugeViewportRendered", "render",
     sceneView("viewportOrigin -1e38 1e38 viewportSize 1e38 -1e38 isBackgroundVisible TRUE"), 0,
     ""},
    {"HugeViewportExported", "export", sceneView("viewportOrigin -1e38 -1e38 viewportSize 1e38 1e38"),
     0, ""},
    // Placing this view as an overlay overflows a float: it is left out
    // rather than written as infinities.
    {"HugeViewportPlacementOverflows", "export",
     sceneView("viewportOrigin 1e38 1e38 viewportSize 1e38 1e38"), 0, ""},
    {"HugeViewportViewed", "view", sceneView("viewportOrigin 1e38 -1e38 viewportSize -1e38 1e38"),
     0, ""},
    {"DenormalViewportRendered", "render",
     sceneView("viewportOrigin 1e-45 1e-40 viewportSize 1e-42 1e-39"), 0, ""},
    {"NaNAsText", "render", sceneView("viewportOrigin nan 0"), 1, "viewportOrigin"},
    {"LongNameListed", "info", kHeader + "DEF " + kLongName + " PoView { }\n", 0,
     "PoView \"NNNNNNNNNN"},
    {"LongNameExported", "export",
     kHeader + "DEF " + kLongName + " PoSceneView { cameraKit CameraKit { camera "
               "PerspectiveCamera { } } scene DEF " + kLongName + " Separator { Cube { } } }\n",
     0, ""},
};

class HostileFiles : public ::testing::TestWithParam<HostileFile> {};

TEST_P(HostileFiles, EndWithSuccessOrOneClearLine) {
  const HostileFile &file = GetParam();
  ScratchDirectory scratch;
  const QString scene = scratch.write("scene.iv", file.contents);
  QStringList arguments{file.command, scene};
  const std::string command = file.command;
  if (command == "render") arguments << "-o" << scratch.path("out.png");
  if (command == "export") arguments << "-o" << scratch.path("out.wrl");
  if (command == "view") arguments << "--exit-after" << "0";

  const ToolResult result = runTool(arguments);
  ASSERT_EQ(result.exitCode, file.status) << result.err;
  if (file.status == 0) {
    EXPECT_NE(result.out.find(file.fragment), std::string::npos) << result.out.substr(0, 300);
    if (command == "render" || command == "export") {
      EXPECT_EQ(scratch.entries().size(), 2);
    }
    if (command == "export") {
      QFile written(scratch.path("out.wrl"));
      ASSERT_TRUE(written.open(QIODevice::ReadOnly));
      const QByteArray text = written.readAll().toLower();
      EXPECT_FALSE(text.contains(" inf") || text.contains(" nan") || text.contains("-inf"))
          << "a number in the file is not finite";
    }
    return;
  }
  const std::vector<std::string> lines = result.errorLines();
  ASSERT_EQ(lines.size(), 1u) << result.err;
  EXPECT_NE(lines[0].find(scene.toStdString()), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find(file.fragment), std::string::npos) << lines[0];
  // Nothing written for a file that was refused.
  EXPECT_EQ(scratch.entries(), QStringList{"scene.iv"});
}

INSTANTIATE_TEST_SUITE_P(Tool, HostileFiles, ::testing::ValuesIn(kFiles),
                         [](const auto &info) { return std::string(info.param.label); });

} // namespace
