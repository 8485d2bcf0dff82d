#ifndef POVIEW_COMMANDS_H
#define POVIEW_COMMANDS_H

#include "CommandSupport.h"

// Each subcommand returns the exit status, or throws a ToolError.
struct Command {
  const char *name;
  const char *summary;
  int (*run)(const Invocation &invocation);
};

int runRender(const Invocation &invocation);
int runExport(const Invocation &invocation);
int runView(const Invocation &invocation);
int runInfo(const Invocation &invocation);
int runWall(const Invocation &invocation);

#endif
