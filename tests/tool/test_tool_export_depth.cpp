// poview export of deeply nested scenes: every form grows with the scene,
// not with the square of its depth, and stays readable where it is shallow.
#include "ScratchDirectory.h"
#include "ToolRun.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A scene view whose scene is a cube inside `levels` separators.
QByteArray nestedScene(int levels) {
  return "#Inventor V2.1 ascii\n"
         "PoSceneView { cameraKit CameraKit { camera PerspectiveCamera { } } scene Separator { " +
         QByteArray("Separator { ").repeated(levels) + "Cube { }" +
         QByteArray(" }").repeated(levels) + " } }\n";
}

int longestSpaceRun(const QByteArray &text) {
  int longest = 0, run = 0;
  for (char c : text) {
    run = c == ' ' ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

QList<QByteArray> lastLines(const QByteArray &text, int count) {
  const QList<QByteArray> lines = text.trimmed().split('\n');
  return lines.mid(std::max(0, lines.size() - count));
}

} // namespace

TEST(ToolExportDepth, OutputGrowsWithTheSceneInEveryForm) {
  // The shallow scenes stay below the depth where indentation stops; the
  // last lines of the moderate one close only levels the deep ones share.
  const int shallow = 3, moderate = 10, deep = 500, deeper = 2000;
  const int depths[] = {shallow, moderate, deep, deeper};
  const char *const extensions[] = {".wrl", ".x3dv", ".x3d", ".html"};
  ScratchDirectory scratch;
  QMap<int, QString> scenes;
  for (int levels : depths)
    scenes[levels] = scratch.write(QString("nested%1.iv").arg(levels), nestedScene(levels));

  for (const char *extension : extensions) {
    SCOPED_TRACE(extension);
    QMap<int, QByteArray> texts;
    for (int levels : depths) {
      const QString output = scratch.path(QString("out%1%2").arg(levels).arg(extension));
      const ToolResult result = runTool({"export", scenes[levels], "-o", output});
      ASSERT_EQ(result.exitCode, 0) << result.err;
      QFile file(output);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      texts[levels] = file.readAll();
    }
    // Four times the depth, about four times the text.
    const double growth = double(texts[deeper].size()) / double(texts[deep].size());
    EXPECT_GT(growth, 3.5);
    EXPECT_LT(growth, 4.5);
    // Indentation shows the nesting of a shallow scene, stops at one width
    // in deep ones, and comes back the same way out of them.
    EXPECT_LT(longestSpaceRun(texts[shallow]), longestSpaceRun(texts[deep]));
    EXPECT_EQ(longestSpaceRun(texts[deep]), longestSpaceRun(texts[deeper]));
    EXPECT_EQ(lastLines(texts[deeper], 10), lastLines(texts[moderate], 10));
  }

  // The VRML97 file with its indentation cut reads back.
  SoInput input;
  ASSERT_TRUE(input.openFile(scratch.path(QString("out%1.wrl").arg(deeper)).toLocal8Bit().constData()));
  SoSeparator *root = SoDB::readAll(&input);
  ASSERT_NE(root, nullptr);
  root->ref();
  root->unref();
}
