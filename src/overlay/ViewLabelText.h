#ifndef BRENNICQT_VIEWLABELTEXT_H
#define BRENNICQT_VIEWLABELTEXT_H

#include "LabelRaster.h"

#include <Inventor/fields/SoSFBool.h>
#include <Inventor/fields/SoSFString.h>
#include <Inventor/nodes/SoNode.h>
#include <Inventor/nodes/SoSubNode.h>

#include <mutex>

// A view's label: its text drawn in the top-left corner of the view, inside
// the border when `framed` (the line width in force is the border's), at a
// fixed pixel size whatever the camera, in the diffuse colour and
// transparency in force, unlit. It has no place in the world: picking and
// bounding boxes pass it by. Drawn under a decoration camera that spans the
// view (see OverlayFrame), in whole pixels, so tiles draw what one render
// draws.
class ViewLabelText : public SoNode {
  SO_NODE_HEADER(ViewLabelText);

public:
  // Registers the class once, whatever calls it; needs SoDB::init().
  static void initClass();
  ViewLabelText();

  SoSFString string;
  SoSFBool framed;

  void GLRender(SoGLRenderAction *action) override;

protected:
  ~ViewLabelText() override;

private:
  // The text set at one size, kept while text and size stay; a label is
  // drawn every frame, in any thread that renders.
  const LabelImage &imageFor(int pixelSize);

  std::mutex m_mutex;
  std::string m_text;
  int m_pixelSize = 0;
  LabelImage m_image;
};

#endif
