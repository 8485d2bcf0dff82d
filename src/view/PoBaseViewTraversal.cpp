// What a view does when an action reaches it: it sets the viewport state that
// the rest of its subtree is rendered, picked, bounded or handled with.
//
// The callback runs once per view for every traversal of every action, so it
// works on values only and allocates nothing.

#include "PoBaseView.h"

#include "DrawingArea.h"
#include "SkippedScopeElement.h"
#include "ViewportRegionLayer.h"
#include "CurrentViewElement.h"
#include "SoDBImpl.h"
#include "SoLogicalViewportElement.h"
#include "SoModifyLogicalViewportElement.h"
#include "SoModifyViewVolumeElement.h"
#include "ToolkitLayer.h"
#include "ViewInTile.h"
#include "ViewVolumeGeometry.h"

#include <Inventor/SbBox3f.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/elements/SoViewportRegionElement.h>
#include <Inventor/system/gl.h>

#include <cmath>

namespace {

// The class-wide values a GL render traversal records for the views below.
struct TraversalRecord {
  SbVec4f &portion;
  SbVec2s &logicalViewportSize;
};

// The viewport region of an action that is not a GL render action; false,
// with a default region, when the action type carries none.
bool nonRenderViewportRegion(SoAction *action, SbViewportRegion &region) {
  if (action->isOfType(SoGetBoundingBoxAction::getClassTypeId()))
    region = static_cast<SoGetBoundingBoxAction *>(action)->getViewportRegion();
  else if (action->isOfType(SoGetMatrixAction::getClassTypeId()))
    region = static_cast<SoGetMatrixAction *>(action)->getViewportRegion();
  else if (action->isOfType(SoHandleEventAction::getClassTypeId()))
    region = static_cast<SoHandleEventAction *>(action)->getViewportRegion();
  else if (action->isOfType(SoPickAction::getClassTypeId()))
    region = static_cast<SoPickAction *>(action)->getViewportRegion();
  else
    return false;
  return true;
}

// The action's viewport and the class-wide record are invisible to Coin's
// render caches, which watch only the elements read under them. Reading the
// elements those values come from (the viewport, portion and logical
// viewport in force where the view stands) makes every cache between the
// window and this view depend on them, so a new window size or another tile
// rebuilds the cache instead of replaying the view where it was.
void dependOnRecordedInputs(SoState *state) {
  (void)SoViewportRegionElement::get(state);
  (void)SoModifyViewVolumeElement::get(state);
  (void)SoLogicalViewportElement::get(state);
}

// The outermost view of a render traversal records the portion in force and
// marks the state, so that views reached later under the same state (nested or
// following) work from that portion rather than from the one this view sets.
void recordPortion(SoState *state, TraversalRecord record) {
  const int info = SoModifyViewVolumeElement::getInfo(state);
  if (info == 0) {
    record.portion = SoModifyViewVolumeElement::get(state);
    const SbViewportRegion logical(SoLogicalViewportElement::get(state));
    record.logicalViewportSize = logical.getViewportSizePixels();
    SoModifyViewVolumeElement::setInfo(state, 1);
  }
}

// Truncation toward zero into the 16-bit pixel range. Values beyond the range
// saturate and NaN gives 0: a plain conversion would be undefined there.
short truncateToShort(float value) {
  if (!(value == value)) return 0;
  if (value >= 32767.0f) return 32767;
  if (value <= -32768.0f) return -32768;
  return static_cast<short>(value);
}

// Re-expresses the interval [low, high] of one axis relative to a view with
// the given origin and size on that axis. A view of size 0 gives no finite
// result; the interval is then left as it is.
void relativeToView(float low, float high, float origin, float size,
                    float &outLow, float &outHigh) {
  if (size == 0.0f) return;
  const float reciprocal = 1.0f / size;
  const float shift = -reciprocal * origin;
  const float relativeLow = low * reciprocal + shift;
  const float relativeHigh = high * reciprocal + shift;
  if (!std::isfinite(relativeLow) || !std::isfinite(relativeHigh)) return;
  outLow = relativeLow;
  outHigh = relativeHigh;
}

// The action's region with the view's rectangle as its viewport, each edge on
// the pixel edge nearest to it: neighbouring views then share their common
// edge, with no pixel between them or claimed by both, and a view that ends
// at the window's edge ends there, at every window size. Tiles of a larger
// picture place views the same way. A rectangle that pixels cannot hold (not
// finite, beyond 16 bits) is given as it is.
SbViewportRegion placedInWindow(const SbViewportRegion &actionRegion, const SbVec2f &origin,
                                const SbVec2f &size) {
  SbViewportRegion region(actionRegion);
  const SbVec2s &window = actionRegion.getWindowSize();
  const PixelRect exact{double(origin[0]) * window[0], double(origin[1]) * window[1],
                        double(size[0]) * window[0], double(size[1]) * window[1]};
  const PixelRect pixels = wholePixelsOf(exact, false);
  const double values[4] = {pixels.x, pixels.y, pixels.width, pixels.height};
  bool fits = window[0] > 0 && window[1] > 0 && pixels.width >= 0.0 && pixels.height >= 0.0;
  for (double value : values) fits = fits && std::isfinite(value) && std::fabs(value) <= 32767.0;
  if (fits)
    region.setViewportPixels(short(pixels.x), short(pixels.y), short(pixels.width),
                             short(pixels.height));
  else
    region.setViewport(origin, size);
  return region;
}

void applyPlainPath(SoState *state, bool isGLRender, const SbViewportRegion &viewRegion) {
  SoViewportRegionElement::set(state, viewRegion);
  if (!isGLRender) return;
  // GL draws only inside the view's own pixels, the ones its viewport got:
  // lines and points along its edges stay in it, as they do when the view is
  // rendered in tiles, and never reach a neighbouring view.
  DrawingArea::limitTo(state, viewRegion.getWindowSize(), pixelsOf(viewRegion));
}

// A render of a part of the view volume (a tile): the viewport stays the
// action's, the view is cut out with the scissor and by re-expressing the
// portion relative to the view.
void applyPortionPath(SoState *state, const SbViewportRegion &actionRegion,
                      const SbVec2f &origin, const SbVec2f &size, TraversalRecord record) {
  glEnable(GL_SCISSOR_TEST);
  const SbVec2s &scissorOrigin = actionRegion.getViewportOriginPixels();
  const SbVec2s &scissorSize = actionRegion.getViewportSizePixels();
  glScissor(scissorOrigin[0], scissorOrigin[1], scissorSize[0], scissorSize[1]);

  const SbVec4f &recorded = record.portion;
  SbVec4f portion = SoModifyViewVolumeElement::get(state);
  relativeToView(recorded[0], recorded[2], origin[0], size[0], portion[0], portion[2]);
  relativeToView(recorded[1], recorded[3], origin[1], size[1], portion[1], portion[3]);
  SoModifyViewVolumeElement::set(state, portion);

  const SbVec2s &logicalSize = record.logicalViewportSize;
  SbViewportRegion logical;
  logical.setViewportPixels(truncateToShort(logicalSize[0] * origin[0]),
                            truncateToShort(logicalSize[1] * origin[1]),
                            truncateToShort(logicalSize[0] * size[0]),
                            truncateToShort(logicalSize[1] * size[1]));
  SoLogicalViewportElement::set(state, logical);
}

void applyStandardMode(const PoBaseView &view, SoAction *action, SoState *state,
                       TraversalRecord record) {
  const SbVec2f origin = view.viewportOrigin.getValue();
  const SbVec2f size = view.viewportSize.getValue();

  const bool isGLRender = action->isOfType(SoGLRenderAction::getClassTypeId());
  SbViewportRegion actionRegion;
  bool hasWindow = true;
  if (isGLRender) {
    dependOnRecordedInputs(state);
    actionRegion = static_cast<SoGLRenderAction *>(action)->getViewportRegion();
    recordPortion(state, record);
  } else {
    record.portion = SoModifyViewVolumeElement::getDefault();
    hasWindow = nonRenderViewportRegion(action, actionRegion);
  }

  // Relative to the whole window, also for a view nested in another one. A
  // default region stands for no window, whose pixels mean nothing.
  SbViewportRegion viewRegion(actionRegion);
  if (hasWindow)
    viewRegion = placedInWindow(actionRegion, origin, size);
  else
    viewRegion.setViewport(origin, size);

  if (isGLRender) ViewInTile::placeStandard(state, origin, size);
  if (record.portion == SoModifyViewVolumeElement::getDefault())
    applyPlainPath(state, isGLRender, viewRegion);
  else
    applyPortionPath(state, actionRegion, origin, size, record);
}

// One axis of a view clipped against the part of the logical viewport this
// render covers.
struct ClippedAxis {
  float origin;
  float size;
};

ClippedAxis clipAxis(float rawOrigin, float fullSize, float coveredSize) {
  const float rawEnd = rawOrigin + fullSize;
  if (rawOrigin < 0.0f) {
    if (coveredSize < rawEnd) return {0.0f, coveredSize};
    if (rawEnd > 0.0f) return {0.0f, rawEnd};
    return {0.0f, 0.0f};
  }
  if (coveredSize > rawOrigin) {
    if (coveredSize < rawEnd) return {rawOrigin, coveredSize - rawOrigin};
    return {rawOrigin, fullSize};
  }
  return {0.0f, 0.0f};
}

// Places one axis of a view on the whole pixels a render of the whole logical
// viewport gives it, origin and size each truncated, and then in the pixels
// of the part this render covers, which starts on a whole pixel. Truncating
// after the covered part's start is taken off would move the view's edges by
// a pixel from one tile to the next. Values pixels cannot hold are left as
// they are.
void snapToWholePixels(float logicalOrigin, float coveredStart, float &rawOrigin,
                       float &fullSize) {
  const double start = std::trunc(double(logicalOrigin));
  const double length = std::trunc(double(fullSize));
  const double covered = std::floor(double(coveredStart) + 0.5);
  if (!std::isfinite(start) || !std::isfinite(length) || !std::isfinite(covered) ||
      std::fabs(start) > 1.0e7 || std::fabs(length) > 1.0e7 || std::fabs(covered) > 1.0e7)
    return;
  rawOrigin = float(start - covered);
  fullSize = float(length);
}

// The fraction [cut / full, (cut + clipped) / full] of one axis that remains
// of the view. A view of full size 0 gives no finite result; the axis of the
// current box is then left as it is.
void visibleFraction(float cut, float clippedSize, float fullSize, float &outLow,
                     float &outHigh) {
  if (fullSize == 0.0f) return;
  const float low = cut / fullSize;
  const float high = (cut + clippedSize) / fullSize;
  if (!std::isfinite(low) || !std::isfinite(high)) return;
  outLow = low;
  outHigh = high;
}

// Rendering a part of a larger logical viewport: the view is placed in pixels
// of the logical viewport, clipped against what this render covers, and the
// hidden part is cut from its view volume.
void applyLogicalViewportMode(const PoBaseView &view, SoAction *action, SoState *state,
                              TraversalRecord record) {
  if (!action->isOfType(SoGLRenderAction::getClassTypeId())) return;
  const SbVec2f origin = view.viewportOrigin.getValue();
  const SbVec2f size = view.viewportSize.getValue();

  dependOnRecordedInputs(state);
  const SbViewportRegion &actionRegion =
      static_cast<SoGLRenderAction *>(action)->getViewportRegion();
  const SbVec2i32 covered = getViewportSizePixels_i32(actionRegion);

  record.portion = SoModifyLogicalViewportElement::get(state);
  const SbVec4f coveredPortion = record.portion;

  const SbViewportRegion logical(SoLogicalViewportElement::get(state));
  const SbVec2i32 logicalSize = getViewportSizePixels_i32(logical);

  float fullSize[2], rawOrigin[2];
  ClippedAxis clipped[2];
  for (int axis = 0; axis < 2; ++axis) {
    const float logicalPixels = float(logicalSize[axis]);
    fullSize[axis] = logicalPixels * size[axis];
    rawOrigin[axis] = logicalPixels * origin[axis] - coveredPortion[axis] * logicalPixels;
    snapToWholePixels(logicalPixels * origin[axis], coveredPortion[axis] * logicalPixels,
                      rawOrigin[axis], fullSize[axis]);
    clipped[axis] = clipAxis(rawOrigin[axis], fullSize[axis], float(covered[axis]));
  }
  ViewInTile::placeLogical(state, rawOrigin, fullSize);

  int stackIndex = 0;
  if (!SoModifyViewVolumeElement::getInstance(state, stackIndex)) return;

  const SbBox3f &current = SoModifyViewVolumeElement::getBox(state);
  float low[2] = {current.getMin()[0], current.getMin()[1]};
  float high[2] = {current.getMax()[0], current.getMax()[1]};
  for (int axis = 0; axis < 2; ++axis) {
    const float cut = rawOrigin[axis] < 0.0f ? -rawOrigin[axis] : 0.0f;
    visibleFraction(cut, clipped[axis].size, fullSize[axis], low[axis], high[axis]);
  }
  SbBox3f box;
  box.setBounds(low[0], low[1], 0.0f, high[0], high[1], 1.0f);
  SoModifyViewVolumeElement::set(state, box);

  for (ClippedAxis &axis : clipped)
    if (axis.size < 0.0f) axis.size = 0.0f;

  bool visible = clipped[0].size != 0.0f && clipped[1].size != 0.0f;
  // A view so much narrower than high that the quotient overflows is far
  // below a pixel wide; it is hidden like a view clipped to nothing, so that
  // no infinite scale reaches the logical viewport.
  const float heightOverWidth = visible ? clipped[1].size / clipped[0].size : 1.0f;
  if (!std::isfinite(heightOverWidth)) visible = false;
  SbViewportRegion viewRegion;
  if (visible)
    viewRegion.setViewportPixels(truncateToShort(clipped[0].origin),
                                 truncateToShort(clipped[1].origin),
                                 truncateToShort(clipped[0].size),
                                 truncateToShort(clipped[1].size));
  else
    viewRegion.setViewportPixels(0, 0, 0, 0);
  const ScaledViewportRegion logicalRegion =
      visible ? ScaledViewportRegion(truncateToShort(fullSize[0]), truncateToShort(fullSize[1]),
                                       heightOverWidth)
              : ScaledViewportRegion(0, 0, 1.0f);

  SoViewportRegionElement::set(state, viewRegion);
  SoLogicalViewportElement::set(state, logicalRegion);
}

// A view switched off ends the action's traversal up to the end of its scope:
// a scene view's own separator, or for a plain view the separator around it,
// so what it would show after it goes with it. A path into the view still
// has its matrix. Answers whether the view was passed by.
bool passHiddenViewBy(const PoBaseView &view, SoAction *action) {
  if (view.isVisible.getValue() || action->isOfType(SoGetMatrixAction::getClassTypeId()))
    return false;
  return SkippedScopeElement::skipRestOfScope(action);
}

} // namespace

void PoBaseView::catchActionCB(void *view, SoAction *action) {
  if (action->isOfType(SoSearchAction::getClassTypeId()) ||
      action->isOfType(SoWriteAction::getClassTypeId()))
    return;
  const PoBaseView &self = *static_cast<const PoBaseView *>(view);
  if (passHiddenViewBy(self, action)) return;
  SoState *state = action->getState();
  // What the view draws over its scene finds the view, and so its camera,
  // through the state.
  CurrentViewElement::set(state, static_cast<PoBaseView *>(view));
  TraversalRecord record{m_vvPortion, m_currentLogicalViewportSize};
  if (SoDBImpl::m_isZemba)
    applyLogicalViewportMode(self, action, state, record);
  else
    applyStandardMode(self, action, state, record);
}
