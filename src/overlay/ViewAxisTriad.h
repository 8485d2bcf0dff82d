#ifndef BRENNICQT_VIEWAXISTRIAD_H
#define BRENNICQT_VIEWAXISTRIAD_H

#include <Inventor/fields/SoSFBool.h>
#include <Inventor/nodes/SoNode.h>
#include <Inventor/nodes/SoSubNode.h>

// A view's axis triad: the axes of the view's scene, turned as the view's
// camera is turned in every frame, drawn in the lower-left corner of the
// view (inside the border when `framed`: the line width in force is the
// border's) at a fixed pixel size, x red, y green, z blue, each with its
// letter. It has no place in the world: picking and bounding boxes pass it
// by. Drawn under a decoration camera that spans the view, like the label.
class ViewAxisTriad : public SoNode {
  SO_NODE_HEADER(ViewAxisTriad);

public:
  static void initClass();
  ViewAxisTriad();

  SoSFBool framed;

  void GLRender(SoGLRenderAction *action) override;

protected:
  ~ViewAxisTriad() override;
};

#endif
