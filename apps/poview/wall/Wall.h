#ifndef POVIEW_WALL_H
#define POVIEW_WALL_H

#include "CommandSupport.h"
#include "OptionValues.h"
#include "ToolOptions.h"

#include <string>

// What `poview wall` was asked to do.
struct WallOptions {
  std::string scene; // "%r" stands for the rank
  TileGrid grid;
  RenderingOptions rendering; // the size is the whole wall's picture
  std::string output;
  std::string cameraScript;
  bool show = false;
  bool logical = false;
  // The longest a rank may take for one step (reading, rendering, writing),
  // and so how long rank 0 waits for the others' answers.
  double stepSeconds = 60;
};

// Runs this process's part of the wall, as one rank of an MPI job.
int runWallRank(const WallOptions &options, const Invocation &invocation);

#endif
