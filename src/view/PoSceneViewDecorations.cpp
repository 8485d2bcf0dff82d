#include "PoSceneView.h"

#include "DecorationLooks.h"
#include "OverlayGroup.h"
#include "SceneViewBorderLines.h"

#include <Inventor/SbVec3f.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoFaceSet.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoLineSet.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPickStyle.h>

// Each decoration carries an orthographic camera whose view volume runs from
// -1 to 1 in x and y and which is left alone by the viewport (mapping 4), so
// coordinates from -1 to 1 span the view's viewport exactly, whatever its
// aspect ratio and whatever the scene's camera does.

namespace {

constexpr int kLeaveCameraAlone = 4;   // SoCamera::LEAVE_ALONE
constexpr int kUnpickable = 2;         // SoPickStyle::UNPICKABLE

// Just below 1: with the background camera's near 1 and far 0 the depth range
// is reversed, and a rectangle this close to the camera lands at the back of
// it, behind everything the scene draws in the same viewport.
constexpr float kBackgroundZ = 1.0f - 1.0f / 8388608.0f; // 1 - 2^-23

const SbVec3f *backgroundVertices() {
  // Counter-clockwise seen from the camera, starting at the lower left.
  static const SbVec3f table[4] = {
      SbVec3f(-1, -1, kBackgroundZ), SbVec3f(1, -1, kBackgroundZ),
      SbVec3f(1, 1, kBackgroundZ), SbVec3f(-1, 1, kBackgroundZ)};
  return table;
}

const SbVec3f *borderVertices() {
  // Four separate segments: bottom, right, top, left edge.
  static const SbVec3f table[8] = {
      SbVec3f(-1, -1, -1), SbVec3f(1, -1, -1), SbVec3f(1, -1, -1), SbVec3f(1, 1, -1),
      SbVec3f(1, 1, -1),   SbVec3f(-1, 1, -1), SbVec3f(-1, 1, -1), SbVec3f(-1, -1, -1)};
  return table;
}

const int32_t kBorderCounts[4] = {2, 2, 2, 2};

SoPickStyle *newUnpickableStyle() {
  SoPickStyle *style = new SoPickStyle;
  style->style = kUnpickable;
  return style;
}

SoGroup *newDecoration(SoOrthographicCamera *camera, SoPickStyle *style,
                       SoCoordinate3 *coordinates, SoNode *shape) {
  SoGroup *group = new SoGroup;
  group->addChild(camera);
  group->addChild(style);
  group->addChild(coordinates);
  group->addChild(shape);
  return group;
}

} // namespace

void PoSceneView::drawBackground() {
  if (!isBackgroundVisible.getValue()) {
    // Coin makes the parent of a part even to set it to null; a kit that
    // holds no background is left as it is.
    if (background.getValue()) setPart("background", nullptr);
    return;
  }
  SoFaceSet *faces = new SoFaceSet;
  SoCoordinate3 *coordinates = new SoCoordinate3;
  coordinates->point.setValues(0, 4, backgroundVertices());
  faces->numVertices.set1Value(0, 4);
  SoPickStyle *style = newUnpickableStyle();
  SoOrthographicCamera *camera = new SoOrthographicCamera;
  camera->viewportMapping = kLeaveCameraAlone;
  camera->nearDistance = 1.0f;
  camera->farDistance = 0.0f;
  setPart("background", newDecoration(camera, style, coordinates, faces));
}

void PoSceneView::drawBorder() {
  if (!isBorderVisible.getValue()) {
    if (border.getValue()) setPart("border", nullptr);
    if (activeBorder.getValue()) setPart("activeBorder", nullptr);
    return;
  }
  SceneViewBorderLines::initClass();
  SoLineSet *lines = new SceneViewBorderLines;
  SoCoordinate3 *coordinates = new SoCoordinate3;
  coordinates->point.setValues(0, 8, borderVertices());
  lines->numVertices.setValues(0, 4, kBorderCounts);
  SoPickStyle *style = newUnpickableStyle();
  SoOrthographicCamera *camera = new SoOrthographicCamera;
  camera->viewportMapping = kLeaveCameraAlone;
  SoGroup *group = newDecoration(camera, style, coordinates, lines);
  setPart("border", group);
  // The same lines again, drawn over the border in the active colour while
  // a viewer drives this view.
  setPart("activeBorder", group);
}

void PoSceneView::drawOverlays() {
  SoGroup *group =
      newOverlayGroup(label.getValue(), isAxesVisible.getValue(), isBorderVisible.getValue());
  if (!group) {
    if (overlay.getValue()) setPart("overlay", nullptr);
    return;
  }
  setPart("overlay", group);
  // The label's default colour, rather than the border's in force before it.
  if (!labelLook.getValue()) setAnyPart("labelLook", new LabelLook);
}
