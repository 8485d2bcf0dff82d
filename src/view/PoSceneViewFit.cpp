// Fitting a scene view's camera to its scene.

#include "PoSceneView.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SbBox3f.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/nodes/SoCamera.h>

namespace {

// Coin's fitting step, which the camera classes keep protected.
struct CameraFitting : SoCamera {
  static void viewBox(SoCamera *camera, const SbBox3f &box, float aspect) {
    (camera->*(&CameraFitting::viewBoundingBox))(box, aspect, 1.0f);
  }
};

// The aspect ratio to fit with, for the view volume the camera will render
// with in a viewport of the given aspect ratio. The fitting step widens its
// sphere by 1 / aspect below 1; a camera that adjusts itself to the viewport
// already widens its volume that much for a tall viewport, so Coin's own
// viewAll shows the scene that much too small there.
float fittingAspect(const SoCamera *camera, float viewportAspect) {
  switch (camera->viewportMapping.getValue()) {
  case SoCamera::ADJUST_CAMERA:
    return viewportAspect < 1.0f ? 1.0f : viewportAspect;
  case SoCamera::LEAVE_ALONE:
    return camera->aspectRatio.getValue();
  default: // the cropping mappings render the camera's own aspect in a square
    return 1.0f;
  }
}

} // namespace

void PoSceneView::viewAll(const SbVec2s &windowSize) {
  SoNode *shown = scene.getValue();
  if (!shown || windowSize[0] <= 0 || windowSize[1] <= 0) return;
  SbViewportRegion region(windowSize);
  region.setViewport(viewportOrigin.getValue(), viewportSize.getValue());
  const SbVec2s pixels = region.getViewportSizePixels();
  if (pixels[0] <= 0 || pixels[1] <= 0) return;
  SoGetBoundingBoxAction bound(region);
  bound.apply(shown);
  const SbBox3f box = bound.getBoundingBox();
  if (box.isEmpty()) return;
  if (SoCamera *camera = getCamera())
    CameraFitting::viewBox(camera, box, fittingAspect(camera, region.getViewportAspectRatio()));
}

void PoSceneView::viewAll(SoQtRenderArea *renderArea) {
  SoSceneManager *manager = renderArea ? renderArea->getSceneManager() : nullptr;
  if (manager) viewAll(manager->getWindowSize());
}
