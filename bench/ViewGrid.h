#ifndef BRENNICQT_BENCH_VIEWGRID_H
#define BRENNICQT_BENCH_VIEWGRID_H

#include <Inventor/SbVec2f.h>

class SoNode;
class SoSeparator;

// The 16-view grid of the render benchmarks: a 4 x 4 grid of cells over one
// shared scene of eight lit spheres and cubes.
constexpr int kGridSide = 4;

// One cell of the grid, in window fractions.
struct GridCell {
  SbVec2f origin, size;
};
GridCell gridCell(int index);

SoSeparator *makeSharedGridScene();

// The grid with a PoView in each cell, each with its own camera, all showing
// `shared`; with `overlays`, each view shows a label and its axis triad.
// Carries no reference.
SoSeparator *makeViewGrid(SoNode *shared, bool overlays = false);

#endif
