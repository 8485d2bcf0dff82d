// Searching and bounding-box actions pass a scene view's background,
// border and overlays by.
//
// Each decoration carries its own orthographic camera and draws in fixed
// coordinates of the view's rectangle, not in the world. A viewer adopts the
// first camera its search meets (SoQt searches inside node kits), so a search
// that found the background camera handed it to the viewer, whose automatic
// clipping then rewrote its reversed depth range and the background covered
// the view's scene. Bounding boxes that held the decorations' squares pulled
// -1..1 into every scene's box (view all, automatic clipping), and left a
// bounding-box cache on the decoration shapes, with which Coin then culled
// the background against its own reversed view volume: the background went
// missing from the next frame on.

#include "PoSceneView.h"

#include "HiddenParts.h"
#include "NestedSceneViewBounds.h"

#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>

bool PoSceneView::traverseWithoutDecorations(SoAction *action) {
  SoNode *const shownBackground = background.getValue();
  SoNode *const shownBorder = border.getValue();
  SoNode *const shownOverlay = overlay.getValue();
  // The parts the shown decorations hang under, from the catalog: looking
  // for them through the kit's subtree instead would walk the scene, and
  // every view nested in it, at every view. The active border draws the
  // border's group again, which is hidden wherever it hangs.
  return traverseWithoutParts(
      this, action, {shownBackground, shownBorder, shownOverlay},
      {topSep.getValue(), shownBackground ? backgroundSep.getValue() : nullptr,
       shownBorder || shownOverlay ? borderSep.getValue() : nullptr,
       shownBorder ? activeBorderSep.getValue() : nullptr,
       shownOverlay ? overlaySep.getValue() : nullptr});
}

void PoSceneView::search(SoSearchAction *action) {
  SoNode::search(action);
  if (action->isFound() || !isSearchingChildren()) return;
  if (!traverseWithoutDecorations(action)) SoBaseKit::doAction(action);
}

void PoSceneView::getBoundingBox(SoGetBoundingBoxAction *action) {
  if (NestedSceneViewsLeftOut::inForce() && action->getCurPath()->getLength() > 1) return;
  if (!traverseWithoutDecorations(action)) SoBaseKit::getBoundingBox(action);
}

namespace {
thread_local bool t_nestedSceneViewsLeftOut = false;
} // namespace

NestedSceneViewsLeftOut::NestedSceneViewsLeftOut() : m_previous(t_nestedSceneViewsLeftOut) {
  t_nestedSceneViewsLeftOut = true;
}

NestedSceneViewsLeftOut::~NestedSceneViewsLeftOut() { t_nestedSceneViewsLeftOut = m_previous; }

bool NestedSceneViewsLeftOut::inForce() { return t_nestedSceneViewsLeftOut; }

void PoSceneView::rayPick(SoRayPickAction *action) {
  SoNode *const shown = overlay.getValue();
  if (!shown || !traverseWithoutParts(this, action, {shown},
                                      {topSep.getValue(), borderSep.getValue(), overlaySep.getValue()}))
    SoBaseKit::rayPick(action);
}
