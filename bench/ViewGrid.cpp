#include "ViewGrid.h"

#include "PoView.h"

#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSphere.h>
#include <Inventor/nodes/SoTranslation.h>

#include <string>

GridCell gridCell(int index) {
  const float step = 1.0f / kGridSide;
  return {SbVec2f(step * (index % kGridSide), step * (index / kGridSide)), SbVec2f(step, step)};
}

SoSeparator *makeSharedGridScene() {
  auto *scene = new SoSeparator;
  scene->addChild(new SoDirectionalLight);
  for (int i = 0; i < 8; ++i) {
    auto *item = new SoSeparator;
    auto *move = new SoTranslation;
    move->translation.setValue(float(i % 4) - 1.5f, float(i / 4) - 0.5f, 0);
    item->addChild(move);
    auto *material = new SoMaterial;
    material->diffuseColor.setValue(0.2f + 0.1f * i, 0.5f, 1.0f - 0.1f * i);
    item->addChild(material);
    if (i % 2)
      item->addChild(new SoCube);
    else
      item->addChild(new SoSphere);
    scene->addChild(item);
  }
  return scene;
}

SoSeparator *makeViewGrid(SoNode *shared, bool overlays) {
  auto *root = new SoSeparator;
  for (int i = 0; i < kGridSide * kGridSide; ++i) {
    const GridCell cell = gridCell(i);
    auto *cellRoot = new SoSeparator;
    auto *view = new PoView;
    view->viewportOrigin.setValue(cell.origin);
    view->viewportSize.setValue(cell.size);
    static_cast<SoCamera *>(view->getPart("cameraKit.camera", TRUE))->position.setValue(0, 0, 8);
    if (overlays) {
      view->label.setValue(("View " + std::to_string(i + 1)).c_str());
      view->isAxesVisible = TRUE;
    }
    cellRoot->addChild(view);
    cellRoot->addChild(shared);
    root->addChild(cellRoot);
  }
  return root;
}
