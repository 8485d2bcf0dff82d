// One rank of `poview wall`: renders its tile of the wall's picture, follows
// rank 0's camera changes frame by frame, and with -o sends its tile to
// rank 0, which writes the whole picture. Each step ends with every rank
// agreeing on how it went, so that one rank's failure ends them all with the
// same one-line message.
#include "Wall.h"

#include "CoinMessages.h"
#include "CommandOutput.h"
#include "Headlight.h"
#include "PictureBands.h"
#include "PictureFile.h"
#include "PoBaseView.h"
#include "PoOffscreenRenderer.h"
#include "ToolError.h"
#include "ViewerSetup.h"
#include "VirtualDisplay.h"
#include "WallCameras.h"
#include "WallLink.h"
#include "WallScreen.h"

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/viewers/SoQtExaminerViewer.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <unistd.h>

namespace {

// In --show, rank 0 speaks at least this often while nothing moves, and the
// others give up on it after kSilenceSeconds.
constexpr double kHeartbeatSeconds = 1;
constexpr double kSilenceSeconds = 10;

// mpirun, the rank's parent, ends every rank with SIGTERM once one has failed
// or died, or when it is stopped itself. A rank that has said why (or is
// saying it, on another thread) leaves without a second line; any other says
// that it stopped, and who stopped it: mpirun, or a signal from elsewhere,
// which is then the reason the wall ends.
enum ErrorLine { NotSaid, BeingSaid, Said };
char g_endedLine[160];
volatile std::sig_atomic_t g_errorLine = NotSaid;

struct StopSignal {
  int number;
  const char *name;
  char line[160];
};
StopSignal g_stopSignals[] = {
    {SIGTERM, "terminated", {}}, {SIGINT, "interrupted", {}}, {SIGHUP, "hangup", {}}};

void onStop(int number, siginfo_t *info, void *) {
  if (g_errorLine == NotSaid) {
    const char *line = g_endedLine;
    const bool fromMpirun = info && info->si_code == SI_USER && info->si_pid == ::getppid();
    for (const StopSignal &stop : g_stopSignals)
      if (stop.number == number && !fromMpirun) line = stop.line;
    const ssize_t written = ::write(STDERR_FILENO, line, std::strlen(line));
    (void)written;
  } else if (g_errorLine == BeingSaid) {
    const timespec lineTime{0, 300 * 1000 * 1000};
    ::nanosleep(&lineTime, nullptr);
  }
  ::_exit(ExitUserError);
}

// A rank that crashes names itself and the signal before it goes, so that
// the wall's output says which rank ended it and why; the signal then takes
// its course, for mpirun and core dumps.
struct CrashSignal {
  int number;
  const char *name;
  char line[160];
};
CrashSignal g_crashSignals[] = {{SIGSEGV, "segmentation fault", {}},
                                {SIGBUS, "bus error", {}},
                                {SIGFPE, "arithmetic exception", {}},
                                {SIGILL, "illegal instruction", {}},
                                {SIGABRT, "aborted", {}}};

[[maybe_unused]] void onCrash(int number) {
  for (const CrashSignal &crash : g_crashSignals)
    if (crash.number == number && g_errorLine == NotSaid) {
      const ssize_t written = ::write(STDERR_FILENO, crash.line, std::strlen(crash.line));
      (void)written;
    }
  std::signal(number, SIG_DFL);
  std::raise(number);
}

void installStopHandler(int rank) {
  std::snprintf(g_endedLine, sizeof g_endedLine,
                "poview wall: error: rank %d: stopped: mpirun ended the wall (another rank "
                "ended, or mpirun was stopped)\n",
                rank);
  struct sigaction action {};
  action.sa_sigaction = onStop;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  for (StopSignal &stop : g_stopSignals) {
    std::snprintf(stop.line, sizeof stop.line,
                  "poview wall: error: rank %d: stopped by signal (%s)\n", rank, stop.name);
    ::sigaction(stop.number, &action, nullptr);
  }
#ifndef __SANITIZE_ADDRESS__ // a sanitizer's own report of a crash says more
  for (CrashSignal &crash : g_crashSignals) {
    std::snprintf(crash.line, sizeof crash.line, "poview wall: error: rank %d: crashed (%s)\n",
                  rank, crash.name);
    std::signal(crash.number, onCrash);
  }
#endif
}

// A failure all ranks agreed on ends every rank with the same line.
void endOnFailure(const std::string &verdict) {
  if (!verdict.empty()) throw userError(verdict);
}

template <class Step> std::string attempt(Step step) {
  try {
    step();
    return "";
  } catch (const ToolError &error) {
    return error.what();
  }
}

std::string scenePathOf(std::string path, int rank) {
  const std::size_t mark = path.find("%r");
  if (mark != std::string::npos) path.replace(mark, 2, std::to_string(rank));
  return path;
}

// The rank's tile, in pixels of the picture with (0, 0) at the lower left;
// rank 0 is the upper-left tile, ranks run along rows.
struct Tile {
  int x, y, width, height;
};

Tile tileOf(int rank, const TileGrid &grid, const ImageSize &size) {
  const int column = rank % grid.columns, row = rank / grid.columns;
  const int x0 = column * size.width / grid.columns;
  const int x1 = (column + 1) * size.width / grid.columns;
  const int top = row * size.height / grid.rows;
  const int bottom = (row + 1) * size.height / grid.rows;
  return {x0, size.height - bottom, x1 - x0, bottom - top};
}

// A tile's rows, top first, three bytes a pixel and nothing between rows.
std::vector<unsigned char> packedRows(const QImage &tile) {
  const std::size_t row = std::size_t(tile.width()) * 3;
  std::vector<unsigned char> bytes(row * std::size_t(tile.height()));
  for (int y = 0; y < tile.height(); ++y)
    std::memcpy(bytes.data() + row * std::size_t(y), tile.constScanLine(y), row);
  return bytes;
}

class WallRank {
public:
  WallRank(const WallOptions &options, const Invocation &invocation)
      : m_options(options), m_invocation(invocation) {
    installStopHandler(m_link.rank());
  }

  // The rank's failure is said here, while MPI still runs: once one rank
  // has left with a failure, mpirun stops the rest.
  int run() {
    try {
      runSteps();
      if (m_link.rank() == 0) m_messages.printWarnings("poview wall: ");
      return ExitSuccess;
    } catch (const ToolError &error) {
      g_errorLine = BeingSaid;
      const int status = printToolError("wall", error);
      g_errorLine = Said;
      return status;
    }
  }

private:
  void runSteps() {
    const int ranks = m_options.grid.columns * m_options.grid.rows;
    if (m_link.size() != ranks)
      throw usageError("--grid " + std::to_string(m_options.grid.columns) + "x" +
                       std::to_string(m_options.grid.rows) + " needs " + std::to_string(ranks) +
                       " processes, mpirun started " + std::to_string(m_link.size()));
    m_tile = tileOf(m_link.rank(), m_options.grid, wallSize());
    initSceneDatabase();
    endOnFailure(m_link.agree(attempt([&] { load(); }), m_options.stepSeconds));
    if (m_options.show) placeWindow(m_link.share(screenOfThisRank(), m_options.stepSeconds));
    endOnFailure(m_link.agree(attempt([&] { startQt(); }), m_options.stepSeconds));
    frame("");
    if (m_options.show)
      m_link.rank() == 0 ? leadShow() : follow(kSilenceSeconds);
    else
      m_link.rank() == 0 ? leadScript() : follow(m_options.stepSeconds);
    if (!m_options.output.empty()) gatherAndWrite();
  }

  void load() {
    m_scene.reset(new LoadedScene(scenePathOf(m_options.scene, m_link.rank()), m_messages));
    m_lit.reset(new LitScene(m_scene->root(), m_options.rendering.headlight));
    m_cameras.reset(new WallCameras(m_lit->root()));
    if (m_link.rank() != 0) return;
    if (!m_options.cameraScript.empty()) m_script.reset(new CameraScript(m_options.cameraScript));
    if (!m_options.output.empty()) checkOutput(m_options.output);
  }

  void startQt() {
    if (m_options.show) {
      m_mainWindow = startWindowGui(m_invocation, "the wall");
      m_window.reset(new TileWindow(QSize(m_tile.width, m_tile.height), m_place));
      m_window->show();
      // Rank 0 runs Qt's own loop and must not be entered again from it.
      if (m_link.rank() != 0) m_link.setIdle([] { QCoreApplication::processEvents(); });
    } else {
      m_virtualDisplay = startOffscreenGui(m_invocation);
    }
    const RenderingOptions &rendering = m_options.rendering;
    m_renderer.reset(new PoOffscreenRenderer(rendering.size.width, rendering.size.height));
    m_renderer->setBackgroundColor(
        SbColor(rendering.background.red, rendering.background.green, rendering.background.blue));
    m_renderer->setLineWidthScale(rendering.lineScale);
    if (m_options.logical) m_renderer->setMode(PoOffscreenRenderer::LOGICAL_VIEWPORT);
  }

  // Every rank applies rank 0's camera changes, renders its tile, and once
  // all have, shows it. Rank 0 may bring a failure of its own to the frame.
  void frame(const std::string &changes, const std::string &failure = "") {
    if (m_link.rank() != 0) m_cameras->apply(changes);
    const std::string rendered = failure.empty() ? attempt([&] { renderTile(); }) : failure;
    endOnFailure(m_link.agree(rendered, m_options.stepSeconds));
    if (m_window) m_window->swapTo(m_picture);
  }

  void renderTile() {
    m_picture = m_renderer->renderTile(m_lit->root(), m_tile.x, m_tile.y, m_tile.width,
                                       m_tile.height);
    if (m_picture.isNull()) throw userError(m_renderer->getLastError());
  }

  // Rank 0 without windows: the camera script, one line a frame.
  void leadScript() {
    while (m_script && !m_script->finished()) {
      const std::string failure = attempt([&] { m_script->applyNext(); });
      const std::string changes = m_cameras->changes();
      m_link.broadcast("F" + changes, m_options.stepSeconds);
      frame(changes, failure);
    }
    m_link.broadcast("Q", m_options.stepSeconds);
  }

  // The other ranks: frames until rank 0 says it is done ("F": a frame with
  // camera changes, "H": rank 0 is still there, "Q": the end).
  void follow(double silence) {
    for (;;) {
      const std::string message = m_link.broadcast("", silence);
      if (message == "Q") return;
      if (!message.empty() && message[0] == 'F') frame(message.substr(1));
    }
  }

  void gatherAndWrite() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::vector<std::size_t> sizes;
    for (int rank = 0; rank < m_link.size(); ++rank) {
      const Tile tile = tileOf(rank, m_options.grid, wallSize());
      sizes.push_back(std::size_t(tile.width) * std::size_t(tile.height) * 3);
    }
    std::string failure;
    double writing = 0;
    if (m_link.rank() != 0)
      m_link.gather(packedRows(m_picture), sizes, m_options.stepSeconds, nullptr);
    else if (isBandedFormat(m_options.output))
      failure = attempt([&] { gatherInBands(sizes); });
    else
      failure = gatherWhole(sizes, writing);
    endOnFailure(m_link.agree(failure, m_options.stepSeconds));
    // For the wall benchmark: the time rank 0 spends on the gathered picture.
    if (m_link.rank() == 0 && std::getenv("POVIEW_WALL_TIMINGS"))
      std::fprintf(stderr, "poview wall: timings: gather and write %.3f s, of which writing "
                           "the whole picture %.3f s\n",
                   std::chrono::duration<double>(Clock::now() - start).count(), writing);
  }

  // Rank 0 puts each tile in place as it comes and writes the picture. A
  // picture it cannot hold still takes the tiles, so that no rank waits for
  // a receipt in vain.
  std::string gatherWhole(const std::vector<std::size_t> &sizes, double &writing) {
    QImage picture(wallSize().width, wallSize().height, QImage::Format_RGB888);
    m_link.gather(packedRows(m_picture), sizes, m_options.stepSeconds,
                  [&](int rank, const std::vector<unsigned char> &bytes) {
                    if (!picture.isNull()) placeTile(picture.bits(), picture.bytesPerLine(), 0,
                                                     rank, bytes);
                  });
    const auto start = std::chrono::steady_clock::now();
    const std::string failure = attempt([&] {
      if (picture.isNull()) throw userError("cannot hold the whole picture in memory");
      writePicture(picture, m_options.output);
    });
    writing = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return failure;
  }

  // PNG and PPM: rank 0 holds one row of tiles at a time, the tiles coming
  // by rank along the rows from the top, and writes it once the row is
  // complete; the file is replaced once the last row is written.
  void gatherInBands(const std::vector<std::size_t> &sizes) {
    bool gathered = false;
    const auto gather = [&](const WallLink::TileTaker &take) {
      gathered = true;
      m_link.gather(packedRows(m_picture), sizes, m_options.stepSeconds, take);
    };
    try {
      writeOutput(m_options.output, [&](int fd) {
        const std::unique_ptr<BandEncoder> encoder =
            BandEncoder::forOutput(m_options.output, fd, wallSize().width, wallSize().height);
        const int columns = m_options.grid.columns;
        std::vector<unsigned char> band;
        const std::size_t bytesPerLine = std::size_t(wallSize().width) * 3;
        int writeError = 0;
        gather([&](int rank, const std::vector<unsigned char> &bytes) {
          const Tile tile = tileOf(rank, m_options.grid, wallSize());
          if (writeError) return;
          if (rank % columns == 0) band.assign(bytesPerLine * std::size_t(tile.height), 0);
          placeTile(band.data(), bytesPerLine, wallSize().height - tile.y - tile.height, rank,
                    bytes);
          if (rank % columns != columns - 1) return;
          const int top = wallSize().height - tile.y - tile.height;
          if (!encoder->takeRows(band.data(), top, tile.height, int(bytesPerLine)))
            writeError = errno;
        });
        if (writeError) errno = writeError;
        return !writeError && encoder->finish();
      });
    } catch (const ToolError &) {
      if (!gathered) gather([](int, const std::vector<unsigned char> &) {});
      throw;
    }
  }

  // Ranks that share a screen put their windows side by side as their tiles
  // lie on the wall, the group's upper-left tile at the screen's corner.
  void placeWindow(const std::vector<std::string> &screens) {
    int left = wallSize().width, top = wallSize().height;
    for (int rank = 0; rank < m_link.size(); ++rank) {
      if (screens[std::size_t(rank)] != screens[std::size_t(m_link.rank())]) continue;
      const Tile tile = tileOf(rank, m_options.grid, wallSize());
      left = std::min(left, tile.x);
      top = std::min(top, wallSize().height - tile.y - tile.height);
    }
    m_place = QPoint(m_tile.x - left,
                     wallSize().height - m_tile.y - m_tile.height - top);
  }

  // Puts the rank's tile into rows `bytesPerLine` apart whose first row is
  // the picture's row `firstRow`.
  void placeTile(unsigned char *rows, std::size_t bytesPerLine, int firstRow, int rank,
                 const std::vector<unsigned char> &bytes) const {
    const Tile tile = tileOf(rank, m_options.grid, wallSize());
    const std::size_t row = std::size_t(tile.width) * 3;
    const int top = wallSize().height - tile.y - tile.height - firstRow;
    for (int y = 0; y < tile.height; ++y)
      std::memcpy(rows + bytesPerLine * std::size_t(top + y) + std::size_t(tile.x) * 3,
                  bytes.data() + row * std::size_t(y), row);
  }

  void leadShow();

  const ImageSize &wallSize() const { return m_options.rendering.size; }

  WallLink m_link;
  const WallOptions &m_options;
  const Invocation &m_invocation;
  Tile m_tile{};
  QPoint m_place; // of the rank's window on its screen
  CoinMessages m_messages;
  std::unique_ptr<LoadedScene> m_scene;
  std::unique_ptr<LitScene> m_lit;
  std::unique_ptr<WallCameras> m_cameras;
  std::unique_ptr<CameraScript> m_script;
  std::unique_ptr<VirtualDisplay> m_virtualDisplay;
  QWidget *m_mainWindow = nullptr;
  std::unique_ptr<TileWindow> m_window;
  std::unique_ptr<PoOffscreenRenderer> m_renderer;
  QImage m_picture;
};

// Rank 0 with windows: its tile and an examiner viewer on the whole scene,
// in which a press on a view hands that view's camera to the viewer. Every
// change of a camera, by the viewer or by the script, is a frame of the wall.
void WallRank::leadShow() {
  SoBaseKit::setSearchingChildren(TRUE);
  for (const ViewRecord &record : m_scene->views()) record.view->sensitiveOnEvents(1);
  SoQtExaminerViewer viewer(m_mainWindow);
  viewer.setSceneGraph(m_scene->root());
  PoBaseView::installViewingEventCB(&viewer);
  viewer.setTitle("poview wall");
  applyRenderingOptions(viewer, m_options.rendering);
  viewer.show();
  SoQt::show(m_mainWindow);

  std::unique_ptr<ToolError> stopped; // raised once Qt's loop is left
  auto spoken = std::chrono::steady_clock::now();
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    try {
      std::string failure;
      if (m_script) {
        if (m_script->finished()) return SoQt::exitMainLoop();
        failure = attempt([&] { m_script->applyNext(); });
      }
      const std::string changes = m_cameras->changes();
      const auto now = std::chrono::steady_clock::now();
      if (changes.empty() && failure.empty()) {
        if (now - spoken < std::chrono::duration<double>(kHeartbeatSeconds)) return;
        spoken = now;
        m_link.broadcast("H", m_options.stepSeconds);
        return;
      }
      spoken = now;
      m_link.broadcast("F" + changes, m_options.stepSeconds);
      frame(changes, failure);
    } catch (const ToolError &error) {
      stopped.reset(new ToolError(error));
      SoQt::exitMainLoop();
    }
  });
  timer.start(30);
  SoQt::mainLoop();
  timer.stop();
  if (stopped) throw *stopped;
  m_link.broadcast("Q", m_options.stepSeconds);
}

} // namespace

int runWallRank(const WallOptions &options, const Invocation &invocation) {
  WallRank rank(options, invocation);
  return rank.run();
}
