// poview wall: a display wall of MPI processes, each rendering its tile.
#include "PictureMatch.h"
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <chrono>

namespace {

#ifdef POVIEW_MPIEXEC

// mpirun of `ranks` poview processes; this machine has fewer cores than a
// wall has ranks, and tests may run as root.
ToolResult runWall(int ranks, const QStringList &arguments, const QStringList &mpiOptions = {}) {
  return runProgram(QStringLiteral(POVIEW_MPIEXEC),
                    QStringList{"--allow-run-as-root", "--oversubscribe", "-n",
                                QString::number(ranks)} +
                        mpiOptions + QStringList{toolPath(), "wall"} + arguments);
}

// The lines one rank wrote itself to stderr, kept apart by mpirun's
// --output-filename `directory` (its own notices go elsewhere).
std::vector<std::string> wallLines(const QString &directory, int rank) {
  QFile file(directory + QString("/1/rank.%1/stderr").arg(rank));
  std::vector<std::string> lines;
  if (!file.open(QIODevice::ReadOnly)) return lines;
  for (const QByteArray &line : file.readAll().split('\n'))
    if (line.startsWith("poview wall")) lines.push_back(line.toStdString());
  return lines;
}

class ToolWall : public ::testing::Test {
protected:
  QImage render(const QString &scene, const QString &name, const QString &size = "800x600") {
    const QString output = scratch.path(name);
    const ToolResult result = runTool({"render", scene, "-o", output, "--size", size});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return QImage(output).convertToFormat(QImage::Format_RGB888);
  }
  ScratchDirectory scratch;
};

// The gathered picture is the single-process render, for every grid and mode,
// borders included, also at a size whose tiles and views end between pixels.
TEST_F(ToolWall, GatheredPictureIsTheSingleProcessRender) {
  struct Case {
    int ranks;
    QString size;
    QStringList options;
  };
  const Case cases[] = {{4, "800x600", {"--grid", "2x2"}},
                        {3, "800x600", {"--grid", "3x1"}},
                        {4, "800x600", {"--grid", "2x2", "--logical"}},
                        {4, "1001x777", {"--grid", "2x2"}},
                        {3, "1001x777", {"--grid", "1x3"}}};
  for (const Case &c : cases) {
    SCOPED_TRACE((c.size + " " + c.options.join(' ')).toStdString());
    const QImage single = render(examplePath("four_quadrants.iv"), "single.png", c.size);
    const QString output = scratch.path("wall.png");
    const ToolResult result = runWall(
        c.ranks,
        QStringList{examplePath("four_quadrants.iv"), "--size", c.size, "-o", output} + c.options);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::string why;
    EXPECT_TRUE(
        matchesWhole(single, QImage(output).convertToFormat(QImage::Format_RGB888), &why))
        << why;
  }
}

// Camera changes scripted on rank 0 reach every rank frame by frame; after the
// last one the wall shows the scene with the final cameras, with and without
// the wall's windows.
TEST_F(ToolWall, ScriptedCameraChangesReachEveryRank) {
  const QString script = scratch.write("cameras.txt", "TopLeft position 0 0 8\n"
                                                      "# the cylinder's view, on rank 3\n"
                                                      "BottomRight position 1 0 7\n"
                                                      "TopLeft position 0 1 9\n");
  QFile example(examplePath("four_quadrants.iv"));
  ASSERT_TRUE(example.open(QIODevice::ReadOnly));
  QByteArray moved = example.readAll();
  moved.replace("PerspectiveCamera { position 0 0 6 }\n    }\n    scene Separator {\n"
                "      Material { diffuseColor 1 0.8 0.2 }",
                "PerspectiveCamera { position 0 1 9 }\n    }\n    scene Separator {\n"
                "      Material { diffuseColor 1 0.8 0.2 }");
  moved.replace("position 0 0 7", "position 1 0 7");
  const QImage final = render(scratch.write("final.iv", moved), "final.png");
  for (bool show : {false, true}) {
    SCOPED_TRACE(show ? "--show" : "off screen");
    const QString output = scratch.path("wall.png");
    QStringList options{examplePath("four_quadrants.iv"), "--grid", "2x2", "--size", "800x600",
                        "-o", output, "--camera-script", script};
    if (show) options << "--show";
    const ToolResult result = runWall(4, options);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::string why;
    EXPECT_TRUE(matchesWhole(final, QImage(output).convertToFormat(QImage::Format_RGB888), &why))
        << why;
  }
}

// A rank cannot read its scene file: every rank ends soon, non-zero, each
// with one line naming that rank and the cause; nothing is written. A cause
// longer than MPI sends in one piece (a file name of 5000 characters, on
// every rank) reaches the other ranks whole.
TEST_F(ToolWall, OneRanksFailureEndsEveryRank) {
  QFile example(examplePath("side_by_side.iv"));
  ASSERT_TRUE(example.open(QIODevice::ReadOnly));
  const QByteArray scene = example.readAll();
  for (int rank : {0, 1, 3}) scratch.write(QString("scene-%1.iv").arg(rank), scene);
  const QString longName =
      scratch.path(QString("d" + QString("/%1").repeated(25)).arg(QString(200, 'd')));
  struct Case {
    QString scene, failed, cause;
  };
  const Case cases[] = {{scratch.path("scene-%r.iv"), "rank 2", "scene-2.iv"},
                        {longName + "/scene-%r.iv", "rank 0", longName + "/scene-0.iv"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.failed.toStdString());
    const QString ranks = scratch.path("ranks");
    const auto start = std::chrono::steady_clock::now();
    const ToolResult result = runWall(4,
                                      {c.scene, "--grid", "2x2", "--size", "400x300", "-o",
                                       scratch.path("wall.png")},
                                      {"--output-filename", ranks});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(40));
    EXPECT_NE(result.exitCode, 0);
    for (int rank = 0; rank < 4; ++rank) {
      const std::vector<std::string> lines = wallLines(ranks, rank);
      ASSERT_EQ(lines.size(), 1u) << "rank " << rank << ": " << result.err.substr(0, 500);
      EXPECT_NE(lines[0].find(c.failed.toStdString() + ": "), std::string::npos) << lines[0];
      EXPECT_NE(lines[0].find(c.cause.toStdString()), std::string::npos) << lines[0];
    }
    EXPECT_FALSE(scratch.entries().contains("wall.png"));
    QDir(ranks).removeRecursively();
  }
}

// What each rank can tell on its own is bad usage, before the wall starts.
TEST(ToolWallUsage, BadWallsAreRefusedInOneLine) {
  const QString scene = examplePath("side_by_side.iv");
  struct Case {
    QStringList arguments;
    const char *named;
  };
  const Case cases[] = {
      {{scene, "--size", "800x600", "-o", "wall.png"}, "--grid"},
      {{scene, "--grid", "2x2", "-o", "wall.png"}, "--size"},
      {{scene, "--grid", "2x2", "--size", "800x600"}, "-o"},
      {{scene, "--grid", "0x2", "--size", "800x600", "-o", "wall.png"}, "--grid"},
      // Started without mpirun, the wall has one process, not four.
      {{scene, "--grid", "2x2", "--size", "800x600", "-o", "wall.png"}, "4 processes"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.named);
    const ToolResult result = runTool(QStringList{"wall"} + c.arguments);
    EXPECT_EQ(result.exitCode, 2);
    ASSERT_EQ(result.errorLines().size(), 1u) << result.err;
    EXPECT_NE(result.err.find(c.named), std::string::npos) << result.err;
  }
}

#else

TEST(ToolWall, WithoutMpiTheWallSaysSoInOneLine) {
  const ToolResult result = runTool({"wall", examplePath("four_quadrants.iv"), "--grid", "2x2",
                                     "--size", "800x600", "-o", "wall.png"});
  EXPECT_EQ(result.exitCode, 2);
  ASSERT_EQ(result.errorLines().size(), 1u) << result.err;
  EXPECT_NE(result.err.find("MPI"), std::string::npos) << result.err;
}

#endif

} // namespace
