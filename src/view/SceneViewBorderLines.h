#ifndef BRENNICQT_SCENEVIEWBORDERLINES_H
#define BRENNICQT_SCENEVIEWBORDERLINES_H

#include <Inventor/nodes/SoLineSet.h>
#include <Inventor/nodes/SoSubNode.h>

// The line set of a scene view's border, drawn wholly inside the view: a
// border of width w (the line width in force, in whole pixels) covers
// exactly w pixels along each edge of the view's rectangle, corners
// included, in every render of the view, whole or in tiles. A view narrower
// or lower than 2w is covered by its border.
//
// The border's lines lie on the view's edges (its camera spans x and y from
// -1 to 1 over the view). While GL draws them they are twice as wide,
// drawing is cut to the view's rectangle, and the viewport is wider by more
// than a line width, so that GL's clipping at the viewport's edges never
// takes a line that lies on them. Everything else (picking, bounding boxes,
// exports) sees a plain line set.
class SceneViewBorderLines : public SoLineSet {
  SO_NODE_HEADER(SceneViewBorderLines);

public:
  // Registers the class once, whatever calls it; needs SoDB::init().
  static void initClass();
  SceneViewBorderLines();

  void GLRender(SoGLRenderAction *action) override;

protected:
  ~SceneViewBorderLines() override;
};

#endif
