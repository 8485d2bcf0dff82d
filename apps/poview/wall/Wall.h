#ifndef POVIEW_WALL_H
#define POVIEW_WALL_H

#include "CommandSupport.h"
#include "OptionValues.h"

#include <string>

// What `poview wall` was asked to do.
struct WallOptions {
  std::string scene; // "%r" stands for the rank
  TileGrid grid;
  ImageSize size;
  std::string output;
  std::string cameraScript;
  bool show = false;
  bool logical = false;
  bool headlight = true;
};

// Runs this process's part of the wall, as one rank of an MPI job.
int runWallRank(const WallOptions &options, const Invocation &invocation);

#endif
