#ifndef BRENNICQT_DECORATIONLOOKS_H
#define BRENNICQT_DECORATIONLOOKS_H

#include <Inventor/SbColor.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSubNode.h>

class SoColorPacker;

// The parents of a view's appearance parts "labelApp" and "activeBorderApp":
// each puts a default colour in force before its children, so that a part
// left empty (or one that sets no colour) draws in that colour, and a part
// that sets one draws in its own. Both are rebuilt by their kit and never
// written.

// White, for the label; a plain group, so that its colour and the
// appearance below it hold for the overlays that follow.
class LabelLook : public SoGroup {
  SO_NODE_HEADER(LabelLook);

public:
  static void initClass();
  LabelLook();
  static SbColor defaultColour();

  // Coin's render action calls a group's three path variants, never its
  // GLRender.
  void GLRenderBelowPath(SoGLRenderAction *action) override;
  void GLRenderInPath(SoGLRenderAction *action) override;
  void GLRenderOffPath(SoGLRenderAction *action) override;
  void callback(SoCallbackAction *action) override;

protected:
  ~LabelLook() override;

private:
  SoColorPacker *m_packer;
};

// A clear yellow, for the border of the view the viewer drives: its
// children are drawn only while the view it is in (CurrentViewElement) has
// the camera the viewer rendering it drives (DrivingViewers); other renders
// and other actions pass it by.
class ActiveBorderSeparator : public SoSeparator {
  SO_NODE_HEADER(ActiveBorderSeparator);

public:
  static void initClass();
  ActiveBorderSeparator();
  static SbColor defaultColour();

  void GLRenderBelowPath(SoGLRenderAction *action) override;
  void GLRenderInPath(SoGLRenderAction *action) override;
  void GLRenderOffPath(SoGLRenderAction *action) override;
  void doAction(SoAction *action) override;
  void callback(SoCallbackAction *action) override;
  void getBoundingBox(SoGetBoundingBoxAction *action) override;
  void pick(SoPickAction *action) override;
  void handleEvent(SoHandleEventAction *action) override;
  void getMatrix(SoGetMatrixAction *action) override;

protected:
  ~ActiveBorderSeparator() override;

private:
  // Whether the render is the driving viewer's and this is its view's;
  // then the default colour is put in force, below the separator's own
  // state, which the caller pops after drawing.
  bool beginActive(SoGLRenderAction *action);

  SoColorPacker *m_packer;
};

#endif
