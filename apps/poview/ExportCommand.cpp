#include "Arguments.h"
#include "CappedIndentOutput.h"
#include "CoinMessages.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"
#include "ToolError.h"
#include "ToolOptions.h"
#include "ViewReport.h"
#include "WebPage.h"

#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/nodes/SoSeparator.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

const char *const kIntro =
    "Usage: poview export SCENE.iv -o OUT.wrl|OUT.x3dv|OUT.x3d|OUT.html [OPTIONS]\n"
    "\n"
    "Converts a scene file holding views; the output's extension chooses the form:\n"
    "  .wrl    VRML97 (also for any other name): each scene view becomes an overlay\n"
    "          fixed in front of the viewer, placed for a square window and a\n"
    "          45-degree field of view\n"
    "  .x3dv   X3D, classic VRML encoding: each view becomes a layer with its own\n"
    "          viewport, camera, background and border\n"
    "  .x3d    the same X3D in the XML encoding\n"
    "  .html   one self-contained web page showing the X3D scene in X_ITE\n"
    "\n";

enum class ExportForm { VRML97, X3DClassic, X3DXML, WebPage };

bool endsWith(const std::string &text, const char *suffix) {
  const std::string end(suffix);
  if (text.size() < end.size()) return false;
  for (std::size_t i = 0; i < end.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i])
      return false;
  return true;
}

// Any other name gets VRML97, the form every name got before X3D came.
ExportForm formOf(const std::string &output) {
  if (endsWith(output, ".x3dv")) return ExportForm::X3DClassic;
  if (endsWith(output, ".x3d")) return ExportForm::X3DXML;
  if (endsWith(output, ".html") || endsWith(output, ".htm")) return ExportForm::WebPage;
  return ExportForm::VRML97;
}

std::string baseName(const std::string &path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void *growBuffer(void *buffer, std::size_t size) { return std::realloc(buffer, size); }

// Coin writes into a buffer it grows itself; the text then goes to the file
// in one piece, so a failed write can be noticed and no partial file kept.
// Deep scenes are written with their indentation cut (CappedIndentOutput).
std::string writeVrml(SoNode *graph) {
  CappedIndentOutput output;
  const std::size_t initialSize = 4096;
  output.setBuffer(std::malloc(initialSize), initialSize, growBuffer);
  output.setHeaderString("#VRML V2.0 utf8\n"
                         "# Overlays placed for a square window and a 45-degree field of view");
  SoWriteAction write(&output);
  write.apply(graph);
  void *buffer = nullptr;
  std::size_t size = 0;
  output.getBuffer(buffer, size);
  std::string text(static_cast<const char *>(buffer), size);
  output.resetBuffer();
  std::free(buffer);
  return text;
}

} // namespace

int runExport(const Invocation &invocation) {
  const Arguments arguments = Arguments::parse(invocation.words, optionRules(ForExport), 1, 1);
  if (arguments.helpRequested()) {
    std::fputs((kIntro + optionHelp(ForExport)).c_str(), stdout);
    return ExitSuccess;
  }
  if (!arguments.has("--output")) throw usageError("missing the output file: -o OUT.wrl");
  const std::string scenePath = arguments.positional()[0];
  const std::string output = arguments.value("--output");
  const ExportForm form = formOf(output);
  if (arguments.has("--navigable") && form != ExportForm::VRML97)
    throw usageError("--navigable applies to VRML97 output (.wrl) only");
  if (arguments.has("--no-headlight") && form == ExportForm::VRML97)
    throw usageError("--no-headlight applies to X3D output (.x3dv, .x3d, .html) only");

  // One set of options for every form, as a script exporting several forms
  // may pass; only where the page loads X_ITE from is harmless to drop.
  if (arguments.has("--x-ite-url") && form != ExportForm::WebPage)
    std::fputs("poview export: note: --x-ite-url applies to web pages (.html) only; ignored\n",
               stderr);

  initSceneDatabase();
  CoinMessages messages;
  LoadedScene scene(scenePath, messages);
  checkOutput(output);

  if (form == ExportForm::VRML97) {
    PoToVRML2Action convert;
    convert.setFirstSceneViewSensitive(arguments.has("--navigable") ? 1 : 0);
    convert.apply(scene.root());
    SoNode *vrml = convert.getVRML2SceneGraph();
    if (!vrml) throw userError(quoted(scenePath) + ": the conversion to VRML97 gave no scene");
    writeOutput(output, writeVrml(vrml));
  } else {
    PoToX3DAction convert;
    convert.setEncoding(form == ExportForm::X3DXML ? PoToX3DAction::XML
                                                   : PoToX3DAction::CLASSIC_VRML);
    convert.setHeadlight(!arguments.has("--no-headlight"));
    convert.apply(scene.root());
    const std::string &x3d = convert.getX3DText();
    writeOutput(output, form == ExportForm::WebPage
                             ? webPage(baseName(scenePath), x3d,
                                       arguments.value("--x-ite-url", kDefaultXiteUrl))
                             : x3d);
  }
  messages.printWarnings("poview export: ");
  warnAboutViewsWithoutCamera(scene.views(), "poview export: ");
  return ExitSuccess;
}
