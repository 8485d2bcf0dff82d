// Posters: render and wall write PNG and PPM band by band, the same picture
// the formats written whole give, in memory bounded by a band.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

QImage loaded(const QString &path) {
  return QImage(path).convertToFormat(QImage::Format_RGB888);
}

// Runs poview with standard output and error on /dev/null, or on a pseudo
// terminal whose output is returned; answers the exit status and the peak
// resident memory of that one process.
struct MeasuredRun {
  int exitCode = -1;
  long peakMegabytes = 0;
  std::string terminal;
};

std::vector<char *> argvOf(std::vector<std::string> &words) {
  std::vector<char *> argv;
  for (std::string &word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);
  return argv;
}

MeasuredRun measure(const QStringList &arguments, bool onTerminal = false) {
  std::vector<std::string> words{toolPath().toStdString()};
  for (const QString &argument : arguments) words.push_back(argument.toStdString());
  std::vector<char *> argv = argvOf(words);
  int master = -1;
  const pid_t child = onTerminal ? ::forkpty(&master, nullptr, nullptr, nullptr) : ::fork();
  if (child == 0) {
    if (!onTerminal) {
      const int null = ::open("/dev/null", O_RDWR);
      ::dup2(null, STDOUT_FILENO);
      ::dup2(null, STDERR_FILENO);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  MeasuredRun run;
  if (child < 0) return run;
  char buffer[4096];
  for (ssize_t got; master >= 0 && (got = ::read(master, buffer, sizeof buffer)) > 0;)
    run.terminal.append(buffer, std::size_t(got));
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  if (master >= 0) ::close(master);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakMegabytes = usage.ru_maxrss / 1024;
  return run;
}

class ToolPosters : public ::testing::Test {
protected:
  QImage render(const QString &name, const QStringList &options,
                const QStringList &environment = {}) {
    const QString output = scratch.path(name);
    const ToolResult result = runTool(
        QStringList{"render", examplePath("four_quadrants.iv"), "-o", output} + options,
        environment);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    return loaded(output);
  }
  ScratchDirectory scratch;
};

} // namespace

// At sizes that are no multiple of the tile size, with and without a grid
// asked for, the streamed PNG and PPM are the picture the formats written
// whole give (BMP), pixel for pixel.
TEST_F(ToolPosters, StreamedPicturesAreTheWholePicture) {
  struct Case {
    const char *size;
    QStringList options;
  };
  const Case cases[] = {{"1001x777", {}},
                        {"1001x777", {"--tiles", "3x2", "--line-scale", "auto"}},
                        {"333x1251", {"--tiles", "1x4"}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << " " << c.options.join(' ').toStdString());
    const QStringList options = QStringList{"--size", c.size} + c.options;
    const QStringList smallTiles{"POVIEW_MAX_TILE_SIZE=256"};
    const QImage whole = render("whole.bmp", options, smallTiles);
    ASSERT_FALSE(whole.isNull());
    EXPECT_EQ(render("poster.png", options, smallTiles), whole);
    EXPECT_EQ(render("poster.ppm", options, smallTiles), whole);
  }
}

// A 20000 x 20000 PNG, 1.2 GB of pixels, is written in a few hundred MB; the
// formats written whole refuse sizes they cannot hold, naming --size. A
// sanitized build streams a shorter poster and is not held to the bound.
TEST_F(ToolPosters, PostersStayWithinBoundedMemory) {
#ifdef POVIEW_TESTS_SANITIZED
  const QSize poster(20000, 1500);
#else
  const QSize poster(20000, 20000);
#endif
  const MeasuredRun run =
      measure({"render", examplePath("four_quadrants.iv"), "-o", scratch.path("poster.png"),
               "--size", QString("%1x%2").arg(poster.width()).arg(poster.height())});
  ASSERT_EQ(run.exitCode, 0);
#ifndef POVIEW_TESTS_SANITIZED
  EXPECT_LT(run.peakMegabytes, 400);
#endif
  QImageReader reader(scratch.path("poster.png"));
  EXPECT_EQ(reader.size(), poster);

  for (const char *refused : {"poster.bmp", "poster.jpg"}) {
    SCOPED_TRACE(refused);
    const ToolResult result = runTool({"render", examplePath("four_quadrants.iv"), "-o",
                                       scratch.path(refused), "--size", "40000x100"});
    EXPECT_EQ(result.exitCode, 2);
    ASSERT_EQ(result.errorLines().size(), 1u) << result.err;
    EXPECT_NE(result.err.find("--size"), std::string::npos);
  }
}

// A long render shows how far it has come when standard error is a
// terminal; the tests above see nothing on a pipe. Many small tiles make the
// render long enough to be shown on any machine.
TEST_F(ToolPosters, ProgressShowsOnATerminal) {
  const MeasuredRun run = measure({"render", examplePath("four_quadrants.iv"), "-o",
                                   scratch.path("poster.ppm"), "--size", "4000x4000", "--tiles",
                                   "100x100"},
                                  true);
  ASSERT_EQ(run.exitCode, 0) << run.terminal;
  EXPECT_NE(run.terminal.find(" of 10000 tiles, "), std::string::npos) << run.terminal;
  EXPECT_NE(run.terminal.find(" elapsed"), std::string::npos) << run.terminal;
}

#ifdef POVIEW_MPIEXEC
// The wall's rank 0 writes PNG and PPM a row of tiles at a time: the same
// picture as the whole picture it writes for other formats.
TEST_F(ToolPosters, WallStreamsThePictureItGathers) {
  const auto wall = [this](const QString &name) {
    const ToolResult result = runProgram(
        QStringLiteral(POVIEW_MPIEXEC),
        {"--allow-run-as-root", "--oversubscribe", "-n", "4", toolPath(), "wall",
         examplePath("four_quadrants.iv"), "--grid", "2x2", "--size", "1001x777", "-o",
         scratch.path(name)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return loaded(scratch.path(name));
  };
  const QImage whole = wall("wall.bmp");
  ASSERT_FALSE(whole.isNull());
  EXPECT_EQ(wall("wall.png"), whole);
  EXPECT_EQ(wall("wall.ppm"), whole);
}
#endif
