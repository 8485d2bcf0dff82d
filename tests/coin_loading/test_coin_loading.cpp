// Scene files of views opened by a program that knows only Coin: the install
// puts a link named after each node class beside the library, Coin loads the
// classes from them on demand, and the program renders the examples as
// poview render does, without a word on standard error.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

namespace {

class CoinLoading : public ::testing::Test {
protected:
  // One install for the whole suite, as a user makes it.
  static void SetUpTestSuite() {
    s_prefix = new ScratchDirectory;
    // Qt's own note about a missing runtime directory is no warning of ours.
    QDir().mkpath(s_prefix->path("runtime"));
    QFile::setPermissions(s_prefix->path("runtime"), QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner);
    s_install = runProgram(QStringLiteral(CMAKE_COMMAND),
                           {"--install", QStringLiteral(BRENNICQT_BUILD_DIR), "--prefix",
                            s_prefix->path("prefix")});
  }
  static void TearDownTestSuite() {
    delete s_prefix;
    s_prefix = nullptr;
  }
  static QString libraryDirectory() { return s_prefix->path("prefix/lib"); }
  static ToolResult read(const QString &scene, const QString &picture, bool withLibraries) {
    // In sanitizer builds the reader is instrumented too; what the GL driver
    // it unloads at exit keeps is no leak of ours.
    const QString sanitizer = qEnvironmentVariable("ASAN_OPTIONS");
    return runProgram(QStringLiteral(COIN_SCENE_READER),
                      {scene, picture, "320", "240"},
                      {withLibraries ? "LD_LIBRARY_PATH=" + libraryDirectory()
                                     : QStringLiteral("LD_LIBRARY_PATH="),
                       "XDG_RUNTIME_DIR=" + s_prefix->path("runtime"),
                       "ASAN_OPTIONS=" + sanitizer + (sanitizer.isEmpty() ? "" : ":") +
                           "detect_leaks=0"});
  }

  static ScratchDirectory *s_prefix;
  static ToolResult s_install;
  ScratchDirectory m_scratch;
};

ScratchDirectory *CoinLoading::s_prefix = nullptr;
ToolResult CoinLoading::s_install;

TEST_F(CoinLoading, InstallNamesEveryNodeClassAfterTheLibrary) {
  ASSERT_EQ(s_install.exitCode, 0) << s_install.err;
  const QString library = QFileInfo(libraryDirectory() + "/libBrennicQt.so").canonicalFilePath();
  ASSERT_FALSE(library.isEmpty());
  for (const QString &nodeClass : QStringLiteral(BRENNICQT_NODE_CLASSES).split(',')) {
    SCOPED_TRACE(nodeClass.toStdString());
    const QFileInfo link(libraryDirectory() + "/lib" + nodeClass + ".so");
    EXPECT_TRUE(link.isSymLink());
    EXPECT_EQ(link.canonicalFilePath(), library);
  }
}

TEST_F(CoinLoading, PlainCoinProgramRendersEveryExampleAsPoviewDoes) {
  ASSERT_EQ(s_install.exitCode, 0) << s_install.err;
  const QStringList examples =
      QDir(examplePath("")).entryList({"*.iv"}, QDir::Files, QDir::Name);
  ASSERT_FALSE(examples.isEmpty());
  for (const QString &example : examples) {
    SCOPED_TRACE(example.toStdString());
    const QString scene = examplePath(example.toUtf8().constData());
    const QString expected = m_scratch.path(example + ".poview.png");
    const QString actual = m_scratch.path(example + ".coin.png");
    const ToolResult poview = runTool({"render", scene, "-o", expected, "--size", "320x240"});
    ASSERT_EQ(poview.exitCode, 0) << poview.err;

    const ToolResult reader = read(scene, actual, true);
    EXPECT_EQ(reader.exitCode, 0);
    EXPECT_EQ(reader.err, "");
    const QImage want = QImage(expected).convertToFormat(QImage::Format_RGB888);
    const QImage got = QImage(actual).convertToFormat(QImage::Format_RGB888);
    ASSERT_FALSE(got.isNull());
    EXPECT_TRUE(got == want) << "the plain Coin program's picture differs from poview's";
  }
}

// What makes the difference is the library directory on the search path.
TEST_F(CoinLoading, WithoutTheLibraryDirectoryViewsAreUnknown) {
  const ToolResult reader =
      read(examplePath("four_quadrants.iv"), m_scratch.path("none.png"), false);
  EXPECT_NE(reader.exitCode, 0);
  EXPECT_NE(reader.err.find("PoSceneView"), std::string::npos) << reader.err;
}

} // namespace
