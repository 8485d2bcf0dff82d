#include "ToolOptions.h"

#include "ToolError.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

const char *const kDefaultSize = "640x480";

namespace {

const ToolOption kOptions[] = {
    // Where the result goes.
    {"--output", "-o", "OUT.png", ForRender,
     "the picture to write (replaced only once complete);\n"
     "its extension chooses the format: png, jpg, ppm, bmp\n"
     "or any other Qt writes (PNG without an extension);\n"
     "- writes PNG to standard output. PNG and PPM are\n"
     "written band by band as they are rendered, up to\n"
     "1000000 pixels a side in under 400 MB; the others\n"
     "hold the picture whole in memory (3 bytes a pixel),\n"
     "at most 32767 a side"},
    {"--output", "-o", "FILE", ForExport,
     "the file to write (replaced only once complete);\n"
     "- writes VRML97 to standard output"},
    {"--output", "-o", "OUT.png", ForWall,
     "rank 0 gathers the tiles and writes the picture, in\n"
     "the format its extension names (- for standard\n"
     "output); PNG and PPM a row of tiles at a time, the\n"
     "others from the whole picture in memory"},
    {"--screenshot", "", "OUT.png", ForView,
     "write the viewer's last frame to OUT.png and exit"},

    // Rendering options: render, view and wall read them alike (see
    // parseRenderingOptions); a new one goes here and into RenderingOptions.
    {"--size", "", "WxH", ForRender,
     "picture size in pixels (default 640x480; at most\n"
     "1000000 a side for PNG and PPM, 32767 for the other\n"
     "formats)"},
    {"--size", "", "WxH", ForView,
     "size of the viewer's drawing area in pixels, and so of\n"
     "a screenshot (default 640x480, as render)"},
    {"--size", "", "WxH", ForWall, "the whole picture in pixels, at most 32767 a side"},
    {"--background", "", "R,G,B", ForRender | ForView | ForWall,
     "colour where no view draws, components 0 to 1\n"
     "(default 0,0,0)"},
    {"--no-headlight", "", nullptr, ForRender | ForView | ForWall,
     "only the scene's own lights"},
    {"--no-headlight", "", nullptr, ForExport,
     ".x3dv, .x3d, .html: light the layers with the scene's\n"
     "own lights only, as 'poview render --no-headlight'"},
    {"--tiles", "", "CxR", ForRender, "render as C columns by R rows of tiles, at least"},
    {"--maximize", "", "NAME", ForRender,
     "the top-level view NAME fills the picture, the\n"
     "scene's other top-level views are hidden"},
    {"--line-scale", "", "S|auto", ForRender | ForWall,
     "draw lines (borders too) S times as wide, e.g. for a\n"
     "poster; auto: the picture's size over the default\n"
     "640x480 the scene is taken to be made for (the\n"
     "smaller of width/640 and height/480); default 1"},
    {"--logical", "", nullptr, ForWall, "the views' logical-viewport mode"},

    // Exports.
    {"--navigable", "", nullptr, ForExport,
     ".wrl: make the first scene view a navigable viewpoint\n"
     "instead of a fixed overlay"},
    {"--x-ite-url", "", "URL", ForExport,
     ".html: where the page loads X_ITE from (default:\n"
     "the tested X_ITE release on jsDelivr); the other\n"
     "forms ignore it"},

    // The viewer.
    {"--exit-after", "", "MS", ForView, "close the window after MS milliseconds (for scripts)"},
    {"--frames", "", "N", ForView,
     "with --screenshot: frames to draw before the picture\n"
     "is taken (default 1)"},
    {"--drag", "", "X0,Y0,X1,Y1", ForView,
     "with --screenshot: before the frames, drag with the\n"
     "left button from pixel X0,Y0 to X1,Y1, counted from\n"
     "the top left"},
    {"--keys", "", "KEYS", ForView,
     "with --screenshot: before the frames (after a drag)\n"
     "press these layout keys (see Keys) with the pointer\n"
     "where the drag ended, or in the middle"},

    // The wall.
    {"--grid", "", "CxR", ForWall, "columns and rows of the wall; C*R processes"},
    {"--show", "", nullptr, ForWall,
     "each rank shows its tile in a borderless window on\n"
     "its DISPLAY, placed as on the wall when ranks share\n"
     "one; rank 0 also opens an examiner viewer on the\n"
     "whole scene, whose camera moves the wall frame by\n"
     "frame (press a view to drive its camera)"},
    {"--camera-script", "", "FILE", ForWall,
     "rank 0 applies one line a frame, 'NAME FIELDS' with\n"
     "NAME a view or camera, e.g. 'TopLeft position 0 0 9'"},

    {"--json", "", nullptr, ForInfo, "print one JSON object {\"file\", \"views\": [...]} instead"},
};

// Where the help texts start, after the names.
constexpr std::size_t kHelpColumn = 26;

void appendEntry(std::string &help, const std::string &names, const char *text) {
  std::string line = "  " + names;
  if (line.size() + 1 > kHelpColumn) {
    help += line + "\n";
    line.clear();
  }
  for (const char *start = text;;) {
    const char *end = std::strchr(start, '\n');
    line.resize(kHelpColumn, ' ');
    line.append(start, end ? std::size_t(end - start) : std::strlen(start));
    help += line + "\n";
    line.clear();
    if (!end) break;
    start = end + 1;
  }
}

} // namespace

std::vector<OptionRule> optionRules(CommandMask command) {
  std::vector<OptionRule> rules;
  for (const ToolOption &option : kOptions)
    if (option.commands & command)
      rules.push_back({option.longName, option.shortName, option.value != nullptr});
  return rules;
}

std::string optionHelp(CommandMask command) {
  std::string help = "Options:\n";
  for (const ToolOption &option : kOptions) {
    if (!(option.commands & command)) continue;
    std::string names = *option.shortName ? std::string(option.shortName) + ", " : "";
    names += option.longName;
    if (option.value) names += std::string(" ") + option.value;
    appendEntry(help, names, option.help);
  }
  appendEntry(help, "-h, --help", "show this help");
  return help;
}

namespace {

// "auto" or a number from 0.01 to 100: the factor line widths are drawn with.
// auto takes the default size as the window the scene was made for.
float parseLineScale(const std::string &text, ImageSize size) {
  if (text == "auto") {
    const ImageSize made = parseImageSize("--size", kDefaultSize);
    return std::min(float(size.width) / made.width, float(size.height) / made.height);
  }
  char *end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(value >= 0.01 && value <= 100.0))
    throw usageError("--line-scale " + quoted(text) +
                     ": expected auto or a number from 0.01 to 100");
  return float(value);
}

} // namespace

RenderingOptions parseRenderingOptions(const Arguments &arguments, int maxSide) {
  RenderingOptions options{};
  options.size = parseImageSize("--size", arguments.value("--size", kDefaultSize), maxSide);
  options.background = parseColour("--background", arguments.value("--background", "0,0,0"));
  options.headlight = !arguments.has("--no-headlight");
  options.lineScale = parseLineScale(arguments.value("--line-scale", "1"), options.size);
  return options;
}
