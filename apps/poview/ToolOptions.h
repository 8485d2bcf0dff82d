#ifndef POVIEW_TOOLOPTIONS_H
#define POVIEW_TOOLOPTIONS_H

#include "Arguments.h"
#include "OptionValues.h"

#include <string>
#include <vector>

// The commands, as bits: each option names the commands that take it.
enum CommandMask : unsigned {
  ForRender = 1u << 0,
  ForExport = 1u << 1,
  ForView = 1u << 2,
  ForInfo = 1u << 3,
  ForWall = 1u << 4,
};

// One option of the tool: its names, what its value looks like (null for a
// flag), the commands that take it and its help text (lines separated by
// '\n'). An option whose meaning differs between commands has one entry for
// each meaning.
struct ToolOption {
  const char *longName;
  const char *shortName;
  const char *value;
  unsigned commands;
  const char *help;
};

// The options `command` takes, for Arguments::parse.
std::vector<OptionRule> optionRules(CommandMask command);

// The "Options:" part of `command`'s --help, one entry per option.
std::string optionHelp(CommandMask command);

// What the rendering options (the same for render, view and wall) ask for.
struct RenderingOptions {
  ImageSize size;
  Colour background;
  bool headlight;
  float lineScale; // line widths times this (render and wall)
};

// The picture (or drawing area) a command makes unless --size says otherwise.
extern const char *const kDefaultSize;

// The rendering options on the command line, defaults for those not given,
// the size at most `maxSide` a side. Throws a usage error naming an option
// whose value is malformed.
RenderingOptions parseRenderingOptions(const Arguments &arguments,
                                       int maxSide = kMaxImageSide);

#endif
