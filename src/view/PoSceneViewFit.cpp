// Fitting a scene view's camera to its scene.

#include "PoSceneView.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/nodes/SoCamera.h>

// Coin's viewAll fits a camera to the bounding box of a graph with the aspect
// ratio of the viewport region it is given; that region is the view's own
// rectangle in the window, so a wide or a tall view shows all of its scene.
void PoSceneView::viewAll(const SbVec2s &windowSize) {
  SoNode *shown = scene.getValue();
  if (!shown || windowSize[0] <= 0 || windowSize[1] <= 0) return;
  SbViewportRegion region(windowSize);
  region.setViewport(viewportOrigin.getValue(), viewportSize.getValue());
  const SbVec2s pixels = region.getViewportSizePixels();
  if (pixels[0] <= 0 || pixels[1] <= 0) return;
  if (SoCamera *camera = getCamera()) camera->viewAll(shown, region);
}

void PoSceneView::viewAll(SoQtRenderArea *renderArea) {
  SoSceneManager *manager = renderArea ? renderArea->getSceneManager() : nullptr;
  if (manager) viewAll(manager->getWindowSize());
}
