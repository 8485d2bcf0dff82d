// Reads arbitrary bytes as a scene file and, when a graph comes back, runs the
// actions a view meets in an application over it.
#include "PoBaseView.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoOutput.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/errors/SoDebugError.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoSeparator.h>

#include "FuzzExport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void quiet(const SoError *, void *) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  SoNodeKit::init();
  PoBaseView::initClasses();
  // Malformed input is expected to be reported; the reports are not findings.
  SoDebugError::setHandlerCallback(quiet, nullptr);
  SoReadError::setHandlerCallback(quiet, nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  SoInput input;
  input.setBuffer(data, size);
  SoSeparator *root = SoDB::readAll(&input);
  if (!root) return 0;
  root->ref();

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
