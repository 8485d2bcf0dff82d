#include "AxisTriad.h"

#include "OverlayMetrics.h"

#include <Inventor/SbVec3f.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Letter strokes in a box of side 1 (stretched to the letter's width and
// height), from its lower-left corner.
struct Stroke {
  float x0, y0, x1, y1;
};
const std::vector<Stroke> kLetters[3] = {
    {{0, 0, 1, 1}, {0, 1, 1, 0}},
    {{0, 1, 0.5f, 0.5f}, {1, 1, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f, 0}},
    {{0, 1, 1, 1}, {1, 1, 0, 0}, {0, 0, 1, 0}}};

// Seen almost end on, an axis has no direction on the screen to put its
// letter beyond; it then goes to the upper right of the tip.
SbVec2f letterDirection(const SbVec2f &onScreen) {
  const float length = onScreen.length();
  if (length < 0.15f) return SbVec2f(float(M_SQRT1_2), float(M_SQRT1_2));
  return onScreen / length;
}

} // namespace

SbColor axisColour(int axis) {
  return SbColor(axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 2 ? 1.0f : 0.0f);
}

std::vector<TriadLine> triadLines(const SbRotation &cameraOrientation, float scale) {
  using namespace OverlayMetrics;
  const SbRotation toEye = cameraOrientation.inverse();
  std::array<SbVec3f, 3> eye;
  for (int axis = 0; axis < 3; ++axis) {
    SbVec3f direction(0, 0, 0);
    direction[axis] = 1.0f;
    toEye.multVec(direction, eye[std::size_t(axis)]);
  }
  // The eye looks along -z: the most negative z lies farthest away.
  std::array<int, 3> order{0, 1, 2};
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return eye[std::size_t(a)][2] < eye[std::size_t(b)][2]; });

  std::vector<TriadLine> lines;
  const float length = kAxisLength * scale;
  for (int axis : order) {
    const SbVec2f onScreen(eye[std::size_t(axis)][0], eye[std::size_t(axis)][1]);
    const SbVec2f tip = onScreen * length;
    lines.push_back({SbVec2f(0, 0), tip, axis, false});
    // The letter's box centred on a point beyond the tip, far enough along
    // the axis's direction that the box stays clear of it.
    const SbVec2f away = letterDirection(onScreen);
    const float reach = (kLetterGap + 0.5f * std::max(kLetterWidth, kLetterHeight)) * scale;
    const SbVec2f centre = tip + away * reach;
    const SbVec2f corner(std::round(centre[0] - 0.5f * kLetterWidth * scale),
                         std::round(centre[1] - 0.5f * kLetterHeight * scale));
    const float width = std::round(kLetterWidth * scale), height = std::round(kLetterHeight * scale);
    for (const Stroke &stroke : kLetters[axis])
      lines.push_back({corner + SbVec2f(stroke.x0 * width, stroke.y0 * height),
                       corner + SbVec2f(stroke.x1 * width, stroke.y1 * height), axis, true});
  }
  return lines;
}
