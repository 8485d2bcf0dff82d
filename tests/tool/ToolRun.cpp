#include "ToolRun.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <sstream>

std::vector<std::string> ToolResult::errorLines() const {
  std::vector<std::string> lines;
  std::istringstream in(err);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

ToolResult runTool(const QStringList &arguments, const QStringList &environment) {
  return runProgram(toolPath(), arguments, environment);
}

QString toolPath() { return QStringLiteral(POVIEW_EXECUTABLE); }

ToolResult runProgram(const QString &program, const QStringList &arguments,
                      const QStringList &environment) {
  QProcessEnvironment processEnvironment = QProcessEnvironment::systemEnvironment();
  for (const QString &entry : environment) {
    const int equals = entry.indexOf('=');
    const QString name = entry.left(equals);
    const QString value = entry.mid(equals + 1);
    if (value.isEmpty())
      processEnvironment.remove(name);
    else
      processEnvironment.insert(name, value);
  }
  QProcess process;
  process.setProcessEnvironment(processEnvironment);
  process.start(program, arguments);
  ToolResult result{-1, "", ""};
  if (!process.waitForStarted(10000)) {
    result.err = program.toStdString() + " did not start";
    return result;
  }
  process.closeWriteChannel();
  // Rendering under a fresh virtual X server takes a few seconds on a busy machine.
  process.waitForFinished(120000);
  result.out = process.readAllStandardOutput().toStdString();
  result.err = process.readAllStandardError().toStdString();
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  return result;
}

QString examplePath(const char *fileName) {
  return QStringLiteral(POVIEW_EXAMPLES_DIR "/") + QString::fromUtf8(fileName);
}
