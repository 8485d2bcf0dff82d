#ifndef BRENNICQT_AXISTRIAD_H
#define BRENNICQT_AXISTRIAD_H

#include <Inventor/SbColor.h>
#include <Inventor/SbRotation.h>
#include <Inventor/SbVec2f.h>

#include <vector>

// The axis triad of a view as lines in pixels: the x, y and z axes of the
// view's scene as its camera sees them, projected orthographically from the
// triad's centre, each with its letter (X, Y, Z) beyond its tip, upright on
// the screen. The render and the X3D export draw the same lines.
struct TriadLine {
  SbVec2f from, to; // pixels from the triad's centre, y up
  int axis;         // 0 x, 1 y, 2 z
  bool letter;      // a stroke of the axis's letter, else the axis itself
};

// The lines for a camera of the given orientation (in the frame of the
// view's scene), the farthest axis first so that nearer ones are drawn over
// it, each axis followed by its letter; sizes times `scale`.
std::vector<TriadLine> triadLines(const SbRotation &cameraOrientation, float scale);

// Red, green and blue.
SbColor axisColour(int axis);

#endif
