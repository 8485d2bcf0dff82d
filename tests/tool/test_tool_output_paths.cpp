// Whatever the output path names, the result goes where a user expects: a
// new path or a regular file gets the complete new file (keeping the old
// one's permissions), links are followed to the file they end at, devices
// and FIFOs are written to as they are, and what cannot take the result is
// refused with a failure.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// How a command is told where its result goes, and whether a result is one.
struct WritingCommand {
  const char *name;
  QStringList words; // before the output path
  const char *extension;
  // Besides render and export, the viewer's screenshot runs the cases so marked.
  bool allCases;
};

void PrintTo(const WritingCommand &command, std::ostream *out) { *out << command.name; }

bool isResult(const WritingCommand &command, const QByteArray &bytes) {
  if (QString(command.extension) == "wrl") return bytes.startsWith("#VRML V2.0 utf8");
  return QImage::fromData(bytes).size() == QSize(64, 48);
}

unsigned modeOf(const QString &path) {
  struct stat info;
  return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

QByteArray contents(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Reads a FIFO to its end while the tool writes into it. Should the tool
// never open it (or put a file in its place), finish() opens it for writing
// itself, through a descriptor held from the start, so the reader ends.
class FifoReader {
public:
  explicit FifoReader(const QString &path)
      : m_held(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK)),
        m_thread([path, this] {
          QFile fifo(path);
          if (fifo.open(QIODevice::ReadOnly)) m_bytes = fifo.readAll();
          m_done = true;
        }) {}
  QByteArray finish() {
    const QByteArray held = "/proc/self/fd/" + QByteArray::number(m_held);
    while (!m_done) {
      ::close(::open(held.constData(), O_WRONLY | O_NONBLOCK));
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    m_thread.join();
    ::close(m_held);
    return m_bytes;
  }

private:
  int m_held;
  QByteArray m_bytes;
  std::atomic<bool> m_done{false};
  std::thread m_thread;
};

enum Kind { NewPath, RegularFile, Link, LinkChain, DanglingLink, LinkToDirectory, Fifo, Null, Full };

struct OutputCase {
  const char *name;
  Kind kind;
  bool succeeds;
  bool forScreenshots;
};

const OutputCase kCases[] = {
    {"new path", NewPath, true, false},
    {"regular file with its permissions", RegularFile, true, false},
    {"link to a file", Link, true, true},
    {"chain of relative links", LinkChain, true, false},
    {"link to nothing yet", DanglingLink, true, false},
    {"link to a directory", LinkToDirectory, false, false},
    {"FIFO with a reader", Fifo, true, true},
    // Devices through links: a tool that replaced what it was given would
    // replace the link here, never the machine's device.
    {"/dev/null", Null, true, false},
    {"/dev/full", Full, false, true},
};

class ToolOutputPaths : public ::testing::TestWithParam<WritingCommand> {};

TEST_P(ToolOutputPaths, ResultGoesWhereThePathLeads) {
  const WritingCommand &command = GetParam();
  for (const OutputCase &c : kCases) {
    if (!command.allCases && !c.forScreenshots) continue;
    SCOPED_TRACE(c.name);
    ScratchDirectory scratch;
    ASSERT_TRUE(QDir().mkpath(scratch.path("sub")));
    const QString name = QString("out.") + command.extension;
    const QString output = scratch.path(name), target = scratch.path("target");
    switch (c.kind) {
    case NewPath: break;
    case RegularFile:
      scratch.write(name, "old");
      ASSERT_EQ(::chmod(QFile::encodeName(output).constData(), 0640), 0);
      break;
    case Link:
      scratch.write("target", "old");
      QFile::link("target", output);
      break;
    case LinkChain:
      scratch.write("target", "old");
      QFile::link("../target", scratch.path("sub/middle"));
      QFile::link("sub/middle", output);
      break;
    case DanglingLink: QFile::link("sub/made", output); break;
    case LinkToDirectory: QFile::link("sub", output); break;
    case Fifo: ASSERT_EQ(::mkfifo(QFile::encodeName(output).constData(), 0600), 0); break;
    case Null: QFile::link("/dev/null", output); break;
    case Full: QFile::link("/dev/full", output); break;
    }
    FifoReader *reader = c.kind == Fifo ? new FifoReader(output) : nullptr;
    const ToolResult result = runTool(QStringList{command.name, examplePath("side_by_side.iv")} +
                                      command.words + QStringList{output});
    const QByteArray fromFifo = reader ? reader->finish() : QByteArray();
    delete reader;

    if (c.succeeds) {
      EXPECT_EQ(result.exitCode, 0) << result.err;
    } else {
      EXPECT_EQ(result.exitCode, 1) << result.err;
      EXPECT_EQ(result.errorLines().size(), 1u) << result.err;
    }
    const QFileInfo at(output);
    switch (c.kind) {
    case NewPath: EXPECT_TRUE(isResult(command, contents(output))); break;
    case RegularFile:
      EXPECT_TRUE(isResult(command, contents(output)));
      EXPECT_EQ(modeOf(output), 0640u);
      break;
    case Link:
    case LinkChain:
      EXPECT_TRUE(at.isSymLink());
      EXPECT_TRUE(isResult(command, contents(target)));
      break;
    case DanglingLink:
      EXPECT_TRUE(at.isSymLink());
      EXPECT_TRUE(isResult(command, contents(scratch.path("sub/made"))));
      break;
    case LinkToDirectory:
      EXPECT_TRUE(at.isSymLink() && QFileInfo(scratch.path("sub")).isDir());
      break;
    case Fifo:
      EXPECT_TRUE(isResult(command, fromFifo)) << fromFifo.size() << " bytes";
      EXPECT_FALSE(at.isFile());
      break;
    case Null:
    case Full: EXPECT_TRUE(at.isSymLink()); break;
    }
    // No temporary file is left behind anywhere.
    for (const QString &directory : {QString(), QString("sub/")})
      for (const QString &entry : QDir(scratch.path(directory))
                                      .entryList(QDir::Hidden | QDir::AllEntries |
                                                 QDir::System | QDir::NoDotAndDotDot))
        EXPECT_FALSE(entry.startsWith('.')) << directory.toStdString() << entry.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ToolOutputPaths,
    ::testing::Values(WritingCommand{"render", {"--size", "64x48", "-o"}, "png", true},
                      WritingCommand{"export", {"-o"}, "wrl", true},
                      WritingCommand{"view", {"--size", "64x48", "--screenshot"}, "png", false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
