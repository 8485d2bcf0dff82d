// poview wall: a display wall of MPI processes, each rendering its tile.
#include "PictureMatch.h"
#include "ScratchDirectory.h"
#include "ToolRun.h"
#include "TopWindows.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <regex>
#include <set>
#include <thread>
#include <unistd.h>

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
  QImage render(const QString &scene, const QString &name, const QString &size = "800x600",
               const QStringList &options = {}) {
    const QString output = scratch.path(name);
    const ToolResult result =
        runTool(QStringList{"render", scene, "-o", output, "--size", size} + options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return QImage(output).convertToFormat(QImage::Format_RGB888);
  }
  ScratchDirectory scratch;
};

// The gathered picture is the single-process render, for every grid and mode,
// and with the rendering options that render takes, borders included, also
// at a size whose tiles and views end between pixels.
TEST_F(ToolWall, GatheredPictureIsTheSingleProcessRender) {
  struct Case {
    int ranks;
    QString size;
    QStringList options;
    const char *scene;
    QStringList rendering; // for render and the wall alike
  };
  const Case cases[] = {
      {4, "800x600", {"--grid", "2x2"}, "four_quadrants.iv", {}},
      {3, "800x600", {"--grid", "3x1"}, "four_quadrants.iv", {}},
      {4, "800x600", {"--grid", "2x2", "--logical"}, "four_quadrants.iv", {}},
      {4, "1001x777", {"--grid", "2x2"}, "four_quadrants.iv", {}},
      {3, "1001x777", {"--grid", "1x3"}, "four_quadrants.iv", {}},
      {4, "1001x777", {"--grid", "2x2"}, "four_quadrants.iv", {"--line-scale", "2.5"}},
      // Plain views leave the window's background to show.
      {2, "800x600", {"--grid", "2x1"}, "side_by_side.iv",
       {"--background", "0.5,0.2,0.1", "--no-headlight"}}};
  for (const Case &c : cases) {
    SCOPED_TRACE((c.size + " " + (c.options + c.rendering).join(' ')).toStdString());
    const QImage single = render(examplePath(c.scene), "single.png", c.size, c.rendering);
    const QString output = scratch.path("wall.png");
    const ToolResult result =
        runWall(c.ranks, QStringList{examplePath(c.scene), "--size", c.size, "-o", output} +
                             c.options + c.rendering);
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

// The process ids of a wall's ranks, as each wrote its own at start.
std::vector<pid_t> rankProcesses(const QString &directory, int ranks) {
  std::vector<pid_t> pids;
  for (int rank = 0; rank < ranks; ++rank) {
    QFile file(directory + "/" + QString::number(rank));
    if (!file.open(QIODevice::ReadOnly)) return {};
    pids.push_back(pid_t(file.readAll().trimmed().toInt()));
  }
  return pids;
}

template <class Ready> bool waitUntil(Ready ready, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!ready()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

// The windows of a 2x2 wall of 400x300 on this display, once all four are
// mapped at four places: a window can be mapped a moment before it is moved.
std::vector<QRect> tileWindows() {
  std::vector<QRect> tiles;
  std::set<std::pair<int, int>> places;
  for (const QRect &window : shownWindows("poview wall"))
    if (window.size() == QSize(200, 150)) {
      tiles.push_back(window);
      places.emplace(window.x(), window.y());
    }
  return places.size() == 4 ? tiles : std::vector<QRect>();
}

// The ranks a line names as silent: "1, 2" in "... from rank 1, 2 within ...".
std::string silentRanks(const std::string &line) {
  std::smatch named;
  return std::regex_search(line, named, std::regex("from rank ([0-9, ]+) within")) ? named[1].str()
                                                                                     : "";
}

// A 2x2 wall showing its tiles on this display while rank 0 moves a camera
// every frame; once every window is up, rank 2 gets a signal. Whatever ends
// the wall, the lines name rank 2: the rank itself when it is stopped by a
// signal, rank 0 and the others when it stops answering (and no other rank
// with it). The tiles, all on one display, lie as on the wall.
TEST_F(ToolWall, TheRankThatIsSignalledOrSilentIsNamed) {
  // Long enough that only the stopped rank falls silent, also when a
  // sanitized build shares the machine with other tests.
#ifdef POVIEW_TESTS_SANITIZED
  const QString kStepTimeout = "POVIEW_WALL_TIMEOUT=15";
#else
  const QString kStepTimeout = "POVIEW_WALL_TIMEOUT=4";
#endif
  QByteArray lines;
  for (int i = 0; i < 1000; ++i)
    lines += i % 2 ? "TopLeft position 0 0 8\n" : "TopLeft position 0 0 9\n";
  const QString script = scratch.write("cameras.txt", lines);
  struct Case {
    const char *name;
    int signal;
  };
  for (const Case &c : {Case{"SIGTERM", SIGTERM}, Case{"SIGSTOP", SIGSTOP}}) {
    SCOPED_TRACE(c.name);
    const QString pids = scratch.path("pids"), ranks = scratch.path("ranks");
    QDir().mkpath(pids);
    std::vector<QRect> tiles;
    std::thread signaller([&] {
      std::vector<pid_t> processes;
      if (!waitUntil([&] { return !(processes = rankProcesses(pids, 4)).empty(); }, 60) ||
          !waitUntil([&] { return (tiles = tileWindows()).size() == 4; }, 60))
        return;
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      ::kill(processes[2], c.signal);
      if (c.signal != SIGSTOP) return;
      waitUntil([&] { return !wallLines(ranks, 0).empty(); }, 60);
      ::kill(processes[2], SIGCONT);
    });
    const ToolResult result = runProgram(
        QStringLiteral(POVIEW_MPIEXEC),
        {"--allow-run-as-root", "--oversubscribe", "-n", "4", "--output-filename", ranks, "sh",
         "-c", "echo $$ > " + pids + "/$OMPI_COMM_WORLD_RANK; exec \"$0\" \"$@\"", toolPath(),
         "wall", examplePath("four_quadrants.iv"), "--grid", "2x2", "--size", "400x300",
         "--show", "--camera-script", script},
        {kStepTimeout});
    signaller.join();
    EXPECT_NE(result.exitCode, 0);
    for (int rank = 0; rank < 4; ++rank) {
      SCOPED_TRACE("rank " + std::to_string(rank));
      const std::vector<std::string> said = wallLines(ranks, rank);
      if (rank == 2 && c.signal == SIGSTOP) continue; // it says what it finds on waking
      ASSERT_EQ(said.size(), 1u) << result.err.substr(0, 800);
      if (c.signal == SIGSTOP) {
        EXPECT_EQ(silentRanks(said[0]), "2") << said[0];
      } else if (rank == 2) {
        EXPECT_NE(said[0].find("rank 2: "), std::string::npos) << said[0];
        EXPECT_NE(said[0].find("signal (terminated)"), std::string::npos) << said[0];
      } else {
        EXPECT_EQ(said[0].find("signal"), std::string::npos) << said[0];
      }
    }
    std::vector<std::pair<int, int>> places;
    for (const QRect &tile : tiles) places.emplace_back(tile.x(), tile.y());
    std::sort(places.begin(), places.end());
    EXPECT_EQ(places, (std::vector<std::pair<int, int>>{{0, 0}, {0, 150}, {200, 0}, {200, 150}}));
    QDir(pids).removeRecursively();
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
