// Reads arbitrary bytes as a scene file and, when a graph comes back, runs the
// actions a view meets in an application over it.
#include "PoBaseView.h"
#include "PoCameraLink.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoOutput.h>
#include <Inventor/SoPath.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/errors/SoDebugError.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoSeparator.h>

#include "FuzzExport.h"
#include "GuardedCoinKits.h"
#include "PoSceneReader.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void quiet(const SoError *, void *) {}
// Far below the tool's limit, so that one input takes milliseconds.
constexpr double kFuzzMaxVisits = 1e5;
constexpr int kFuzzMaxDepth = 500;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  SoNodeKit::init();
  PoBaseView::initClasses();
  guardCoinKits();
  // Malformed input is expected to be reported; the reports are not findings.
  SoDebugError::setHandlerCallback(quiet, nullptr);
  SoReadError::setHandlerCallback(quiet, nullptr);
  return 0;
}

// Coin takes a buffer that starts like a gzip stream for a compressed file
// and unpacks it itself; a cut-off stream (the two magic bytes 1f 8b are
// enough) makes it read past the buffer. That is Coin's reader alone,
// before any node is made; what comes out of a good stream is the same text
// the fuzzer feeds in plain, so such inputs are passed over.
static bool looksCompressed(const uint8_t *data, std::size_t size) {
  return size >= 2 && data[0] == 0x1f && data[1] == 0x8b;
}

// Coin's reader keeps a reference too many on a node (or engine) written in
// place as the source of a field connection ("width 1 = Cube {}.height"),
// also when the connection then fails, so that node and all it holds are
// never freed. Its frame lies deep in Coin, which keeps no frame pointers, so
// a leak rule cannot see it without the slow unwinder (forty times slower).
// Inputs are passed over when an '=' is followed by anything but USE; a
// connection from a named node ("= USE c.height") is still read.
static bool connectsFromNodeInPlace(const uint8_t *data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != '=') continue;
    std::size_t j = i + 1;
    while (j < size && std::isspace(data[j])) ++j;
    if (size - j < 3 || std::memcmp(data + j, "USE", 3) != 0) return true;
  }
  return false;
}

// A node built into Coin reads the fields a file declares for it
// ("Separator { fields [ SFVec2f a ] a 1 2 }") into its class's field table,
// at an offset that fits that one node: every later node of the class reads
// and writes that field astray. That is Coin's reader alone (our kits read
// with a table of their own), so an input is passed over when "fields" stands
// anywhere but where one of our kits takes it: first in its braces, with the
// kit's type name on a line that no comment or string has started before it
// ("# PoSceneView {" is no kit; camera links read their declarations
// themselves too). Coin's own names may start with "Po" too (PointSet,
// PolygonOffset), so the name is looked up.
static bool isSpace(uint8_t c) { return std::isspace(c) != 0; }

static bool declaresFieldsOnCoinNode(const uint8_t *data, std::size_t size) {
  static const char kWord[] = "fields";
  const std::size_t wordLength = sizeof kWord - 1;
  for (std::size_t at = 0; at + wordLength <= size; ++at) {
    if (std::memcmp(data + at, kWord, wordLength) != 0) continue;
    std::size_t end = at;
    while (end > 0 && isSpace(data[end - 1])) --end;
    if (end == 0 || data[end - 1] != '{') return true;
    --end;
    while (end > 0 && isSpace(data[end - 1])) --end;
    std::size_t begin = end;
    while (begin > 0 && (std::isalnum(data[begin - 1]) || data[begin - 1] == '_')) --begin;
    const std::string name(reinterpret_cast<const char *>(data) + begin, end - begin);
    const SoType type = SoType::fromName(SbName(name.c_str()));
    if (type.isBad() || !(type.isDerivedFrom(PoBaseView::getClassTypeId()) ||
                          type == PoCameraLink::getClassTypeId()))
      return true;
    for (std::size_t i = begin; i > 0 && data[i - 1] != '\n' && data[i - 1] != '\r'; --i)
      if (data[i - 1] == '#' || data[i - 1] == '"') return true;
  }
  return false;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  if (looksCompressed(data, size) || connectsFromNodeInPlace(data, size) ||
      declaresFieldsOnCoinNode(data, size))
    return 0;
  // Read as an application that opens files from strangers reads them: a
  // node that holds itself ("DEF a Separator { Separator { USE a } }"), or
  // USEs that make a traversal take hours, are refused.
  PoSceneReader reader;
  reader.setMaxVisits(kFuzzMaxVisits);
  // Shallow enough to be read on the fuzzer's own stack, without a thread
  // for every input.
  reader.setMaxDepth(kFuzzMaxDepth);
  SoSeparator *root = reader.readBuffer(data, size);
  if (!root) return 0;

  SoSearchAction search;
  search.setType(PoBaseView::getClassTypeId());
  search.setInterest(SoSearchAction::ALL);
  search.apply(root);

  const SbViewportRegion viewport(64, 48);
  SoGetBoundingBoxAction bounds(viewport);
  bounds.apply(root);
  SoCallbackAction callback(viewport);
  callback.apply(root);
  SoRayPickAction pick(viewport);
  pick.setPoint(SbVec2s(32, 24));
  pick.apply(root);

  // A change of every linked camera, carried through whatever links the
  // file made.
  search.reset();
  search.setType(PoCameraLink::getClassTypeId());
  search.setInterest(SoSearchAction::ALL);
  search.apply(root);
  for (int i = 0; i < search.getPaths().getLength(); ++i) {
    const PoCameraLink *link = static_cast<const PoCameraLink *>(search.getPaths()[i]->getTail());
    for (int v = 0; v < link->views.getNum(); ++v) {
      SoNode *node = link->views[v];
      if (!node || !node->isOfType(PoBaseView::getClassTypeId())) continue;
      SoNode *camera = static_cast<PoBaseView *>(node)->getPart("cameraKit.camera", FALSE);
      if (camera && camera->isOfType(SoCamera::getClassTypeId()))
        static_cast<SoCamera *>(camera)->position =
            static_cast<SoCamera *>(camera)->position.getValue() + SbVec3f(0.5f, 0, 0);
    }
  }

  SoOutput output;
  output.setBuffer(nullptr, 0, realloc);
  SoWriteAction write(&output);
  write.apply(root);
  void *written = nullptr;
  std::size_t writtenSize = 0;
  if (output.getBuffer(written, writtenSize)) std::free(written);

  exportScene(root);
  root->unref();
  return 0;
}
