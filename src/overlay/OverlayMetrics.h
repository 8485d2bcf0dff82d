#ifndef BRENNICQT_OVERLAYMETRICS_H
#define BRENNICQT_OVERLAYMETRICS_H

// The sizes of a view's overlays, in pixels of a picture drawn at the scale
// 1 (PoOffscreenRenderer's line-width scale multiplies them, as it does
// borders). The render and the X3D export place them alike.
namespace OverlayMetrics {

// Free pixels between a view's edge (or the inner edge of its border) and
// an overlay.
constexpr float kMargin = 6.0f;

// The label's text height (the font's pixel size), and the distance from
// the top of its first line to that line's baseline in the sans-serif font
// the render sets it in (DejaVu Sans rises 0.93 of its size).
constexpr float kLabelTextSize = 13.0f;
constexpr float kLabelAscent = 12.0f;

// The axis triad: the length of an axis and the room left around the axes
// for their letters, from the triad's centre to the edge of its square.
constexpr float kAxisLength = 22.0f;
constexpr float kTriadRadius = 36.0f;
constexpr float kAxisWidth = 2.0f;
// Letters are strokes in a box of this width and height, set this far
// beyond the tip of their axis.
constexpr float kLetterWidth = 6.0f;
constexpr float kLetterHeight = 8.0f;
constexpr float kLetterGap = 4.0f;
constexpr float kLetterStrokeWidth = 1.0f;

} // namespace OverlayMetrics

#endif
