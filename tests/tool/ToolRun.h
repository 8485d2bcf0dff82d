#ifndef POVIEW_TESTS_TOOLRUN_H
#define POVIEW_TESTS_TOOLRUN_H

#include <QStringList>

#include <string>
#include <vector>

// What one run of the poview executable gave.
struct ToolResult {
  int exitCode;
  std::string out;
  std::string err;

  // The lines written to stderr, without the final line break.
  std::vector<std::string> errorLines() const;
};

// Runs poview with the arguments; `environment` entries "NAME=value" replace
// the inherited ones, "NAME=" removes the variable.
ToolResult runTool(const QStringList &arguments, const QStringList &environment = {});
// The same for another program, e.g. mpirun starting poview.
ToolResult runProgram(const QString &program, const QStringList &arguments,
                      const QStringList &environment = {});
QString toolPath();

// Path of a file in examples/.
QString examplePath(const char *fileName);

#endif
