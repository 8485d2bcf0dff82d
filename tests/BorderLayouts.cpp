#include "BorderLayouts.h"

#include "PoSceneView.h"

#include <Inventor/nodes/SoCone.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoMaterial.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoTranslation.h>

#include <cmath>

namespace {

int nearestEdge(double fraction, int pixels) { return int(std::floor(fraction * pixels + 0.5)); }

SoGroup *sceneOf(PoSceneView *view) { return static_cast<SoGroup *>(view->getPart("scene", TRUE)); }

} // namespace

const std::vector<BorderLayout> &borderLayouts() {
  static const std::vector<BorderLayout> layouts = {
      {"one view", {{0.25f, 0.25f, 0.5f, 0.5f, SbColor(1, 1, 1), false}}},
      {"2x2",
       {{0.0f, 0.5f, 0.5f, 0.5f, SbColor(1, 0, 0), false},
        {0.5f, 0.5f, 0.5f, 0.5f, SbColor(0, 1, 0), false},
        {0.0f, 0.0f, 0.5f, 0.5f, SbColor(0, 0, 1), false},
        {0.5f, 0.0f, 0.5f, 0.5f, SbColor(1, 1, 0), false}}},
      {"inset",
       {{0.0f, 0.0f, 1.0f, 1.0f, SbColor(0, 1, 1), false},
        {0.65f, 0.65f, 0.3f, 0.3f, SbColor(1, 0, 1), true}}},
      {"strip", {{0.45f, 0.1f, 0.012f, 0.8f, SbColor(1, 0.5f, 0), false}}},
  };
  return layouts;
}

SoSeparator *buildLayout(const BorderLayout &layout, float width) {
  auto *root = new SoSeparator;
  PoSceneView *previous = nullptr;
  for (const FramedView &framed : layout.views) {
    auto *view = new PoSceneView;
    view->viewportOrigin.setValue(framed.x, framed.y);
    view->viewportSize.setValue(framed.width, framed.height);
    view->isBorderVisible = TRUE;
    view->setBorderColor(framed.colour);
    view->setBorderWidth(width);
    if (framed.nested && previous)
      sceneOf(previous)->addChild(view);
    else
      root->addChild(view);
    previous = view;
  }
  return root;
}

QImage expectedPicture(const BorderLayout &layout, int windowWidth, int windowHeight,
                       int drawnWidth) {
  QImage picture(windowWidth, windowHeight, QImage::Format_RGB888);
  picture.fill(Qt::black);
  for (const FramedView &framed : layout.views) {
    const int x0 = nearestEdge(framed.x, windowWidth);
    const int x1 = nearestEdge(double(framed.x) + framed.width, windowWidth);
    const int y0 = nearestEdge(framed.y, windowHeight);
    const int y1 = nearestEdge(double(framed.y) + framed.height, windowHeight);
    const QRgb colour = qRgb(int(framed.colour[0] * 255 + 0.5f), int(framed.colour[1] * 255 + 0.5f),
                             int(framed.colour[2] * 255 + 0.5f));
    for (int y = std::max(y0, 0); y < std::min(y1, windowHeight); ++y)
      for (int x = std::max(x0, 0); x < std::min(x1, windowWidth); ++x)
        if (x < x0 + drawnWidth || x >= x1 - drawnWidth || y < y0 + drawnWidth ||
            y >= y1 - drawnWidth)
          picture.setPixel(x, windowHeight - 1 - y, colour);
  }
  return picture;
}

SoSeparator *cadLayout() {
  struct Quadrant {
    float x, y;
    SbColor border;
    float width;
    bool perspective;
    float position[3];
    float axis[3];
    float angle;
  };
  const Quadrant quadrants[] = {
      {0.0f, 0.5f, SbColor(1, 0.2f, 0.2f), 2, false, {0, 6, 0}, {1, 0, 0}, -1.5707964f},
      {0.5f, 0.5f, SbColor(0.2f, 1, 0.2f), 3, false, {0, 0, 6}, {1, 0, 0}, 0.0f},
      {0.0f, 0.0f, SbColor(0.3f, 0.5f, 1), 1, false, {6, 0, 0}, {0, 1, 0}, 1.5707964f},
      {0.5f, 0.0f, SbColor(1, 1, 0.2f), 4, true, {4, 4, 4}, {-1, 1, 0}, 0.9553166f},
  };
  auto *root = new SoSeparator;
  auto *light = new SoDirectionalLight;
  light->direction.setValue(0, 0, -1);
  root->addChild(light);
  for (const Quadrant &q : quadrants) {
    auto *view = new PoSceneView;
    view->viewportOrigin.setValue(q.x, q.y);
    view->viewportSize.setValue(0.5f, 0.5f);
    view->isBackgroundVisible = TRUE;
    view->setBackgroundColor(SbColor(0.15f, 0.15f, 0.2f));
    view->isBorderVisible = TRUE;
    view->setBorderColor(q.border);
    view->setBorderWidth(q.width);
    SoCamera *camera = q.perspective ? static_cast<SoCamera *>(new SoPerspectiveCamera)
                                     : static_cast<SoCamera *>(new SoOrthographicCamera);
    camera->position.setValue(q.position[0], q.position[1], q.position[2]);
    camera->orientation.setValue(SbVec3f(q.axis[0], q.axis[1], q.axis[2]), q.angle);
    if (!q.perspective) static_cast<SoOrthographicCamera *>(camera)->height = 4.0f;
    view->setPart("cameraKit.camera", camera);
    SoGroup *scene = sceneOf(view);
    auto *material = new SoMaterial;
    material->diffuseColor.setValue(0.8f, 0.8f, 0.85f);
    scene->addChild(material);
    auto *block = new SoCube;
    block->width = 2.0f;
    block->height = 1.0f;
    block->depth = 1.5f;
    scene->addChild(block);
    auto *up = new SoTranslation;
    up->translation.setValue(0, 1.25f, 0);
    scene->addChild(up);
    auto *spire = new SoCone;
    spire->bottomRadius = 0.5f;
    spire->height = 1.5f;
    scene->addChild(spire);
    root->addChild(view);
  }
  return root;
}
