#ifndef BRENNICQT_POSCENEVIEW_H
#define BRENNICQT_POSCENEVIEW_H

#include "PoBaseView.h"

#include <Inventor/SbColor.h>
#include <Inventor/fields/SoSFBool.h>
#include <Inventor/fields/SoSFString.h>

class SoFieldSensor;
class SoInput;
class SoOutput;
class SoSensor;

// A view that shows a whole picture inside its viewport: an optional flat
// background, the application's scene seen through the view's own camera kit,
// and an optional frame along the viewport's edges drawn over the scene.
//
// Parts, in traversal order under "topSep":
//   catchActionCallback                    applies the viewport
//   backgroundSep: backgroundApp, background
//   sceneSep:      cameraKit, scene
//   borderSep (an SoAnnotation): borderApp, border,
//     activeBorderSep: activeBorderApp, activeBorder
//     overlaySep:      labelLook: labelApp; overlay
//
// The application puts its scene under "scene", gives the decorations their
// look through the appearance kits "backgroundApp" and "borderApp" (or the
// setters below) and shows or hides them with isBackgroundVisible and
// isBorderVisible. The kit builds the "background" and "border" geometry
// itself, at once, whenever one of the two fields changes. Files get the
// visibility fields and the looks, never the geometry; an appearance kit
// that holds only what construction put there (the background's base-colour
// light model) is not written either.
//
// Overlays, each off until asked for and written only when set: `label`, a
// text drawn in the view's top-left corner, inside the border, at a fixed
// pixel size in the colour of "labelApp" (white unless it sets one), and
// isAxesVisible, an axis triad in the lower-left corner (x red, y green, z
// blue, with their letters) turned as the view's camera is turned in every
// frame. Both are drawn over the scene and take no part in picking or
// bounding boxes. With PoBaseView's viewing callback installed on a viewer,
// the view whose camera the viewer drives draws its border in the colour of
// "activeBorderApp" (a clear yellow unless it sets one) in that viewer; a
// press that switches views redraws both borders in the same frame.
//
// A border of width w (the line width of "borderApp", rounded to whole
// pixels) covers exactly the w pixels inside each edge of the view's
// rectangle, corners included, whatever the window's size and however the
// picture is tiled; neighbouring views each show their own. A view narrower
// or lower than 2w is covered by its border. A view's rectangle runs between
// the pixel edges nearest to its edges in the window.
class PoSceneView : public PoBaseView {
public:
  PO_VIEW_KIT_HEADER();

public:
  PoSceneView();
  // Copies take the base view's values, share the source's scene, appearance
  // kits and decoration groups, and take its visibility fields. A copy has
  // sensors of its own and its own separators, so its traversal callback stays
  // bound to the copy.
  PoSceneView(const PoSceneView &other);
  PoSceneView &operator=(const PoSceneView &other);

  // Keeps an appearance kit out of written files while it holds only what
  // construction put there; Coin would write it for its light model.
  virtual void addWriteReference(SoOutput *out, SbBool isFromField = FALSE);

  // The colour of the background, and the colour and line width (in pixels;
  // PoOffscreenRenderer may scale it for a poster) of the border. They go into the appearance kits "backgroundApp" and
  // "borderApp" (their "material" and "drawStyle" parts), so written files
  // keep them. Both decorations are drawn unlit, in exactly this colour.
  void setBackgroundColor(const SbColor &color);
  void setBorderColor(const SbColor &color);
  void setBorderWidth(float width);

  // What the decorations are drawn with, in a scene that sets no material
  // or line width above the view: the diffuse colour of the appearance kit's
  // material (the colour drawn while the kit keeps its base-colour light
  // model) and its draw style's line width, Coin's defaults where the kit
  // sets none. A view never styled answers grey (0.8, 0.8, 0.8) for both
  // colours and a width of 1. Asking makes no part.
  SbColor getBackgroundColor() const;
  SbColor getBorderColor() const;
  float getBorderWidth() const;

  // The colour of the label (white for a view never styled) and of the
  // active view's border (a clear yellow, 1 0.85 0), through the appearance
  // kits "labelApp" and "activeBorderApp" as above; the active border keeps
  // the border's width unless "activeBorderApp" sets one.
  void setLabelColor(const SbColor &color);
  SbColor getLabelColor() const;
  void setActiveBorderColor(const SbColor &color);
  SbColor getActiveBorderColor() const;

  // Fits the view's camera (getCamera, made if needed) to the bounding box
  // of its "scene", seen in the view's rectangle in a window of the given
  // size, or of the render area's window. The camera keeps its direction and
  // moves so that the box, as the camera projects it, spans 90% of the view
  // along the axis that limits it, with a margin of 5% of the view at either
  // end, and lies inside the view along the other axis: in wide, tall and
  // square views, for perspective and orthographic cameras alike. Near and
  // far enclose the box. Cameras of other kinds get Coin's own fitting. Does
  // nothing without a scene, without a camera part, or when the view has no
  // pixels in that window.
  void viewAll(const SbVec2s &windowSize);
  void viewAll(SoQtRenderArea *renderArea);

  // Searches and bounding boxes leave the background, border and overlays
  // out: they are drawn with cameras of their own in the view's rectangle
  // and occupy no place in the world, and a viewer must never adopt their
  // cameras.
  virtual void search(SoSearchAction *action);
  virtual void getBoundingBox(SoGetBoundingBoxAction *action);
  // Picks leave the overlays out: a ray taken from their camera would miss
  // the scene after the view.
  virtual void rayPick(SoRayPickAction *action);

protected:
  virtual ~PoSceneView();

  virtual void setDefaultOnNonWritingFields();

  // Part fields.
  SoSFNode backgroundSep;
  SoSFNode backgroundApp;
  SoSFNode background;
  SoSFNode topSep;
  SoSFNode sceneSep;
  SoSFNode scene;
  SoSFNode borderSep;
  SoSFNode borderApp;
  SoSFNode border;
  SoSFNode activeBorderSep;
  SoSFNode activeBorderApp;
  SoSFNode activeBorder;
  SoSFNode overlaySep;
  SoSFNode labelLook;
  SoSFNode labelApp;
  SoSFNode overlay;

public:
  SoSFBool isBackgroundVisible;
  SoSFBool isBorderVisible;
  SoSFString label;
  SoSFBool isAxesVisible;

protected:
  virtual SbBool setUpConnections(SbBool connect, SbBool force = FALSE);
  static void fieldSensorCB(void *data, SoSensor *sensor);
  void drawBackground();
  void drawBorder();
  void drawOverlays();

  SoFieldSensor *m_backgroundSensor;
  SoFieldSensor *m_borderSensor;
  SoFieldSensor *m_labelSensor;
  SoFieldSensor *m_axesSensor;

private:
  static void *createInstance();
  virtual SbBool readInstance(SoInput *in, unsigned short flags);

  void registerParts();
  void createSensors();
  bool appearanceNeedsWriting(const SoSFNode &field) const;
  void copyPartsFrom(const PoSceneView &other);
  void dropEmptyBorderSeparator();
  // Traverses the kit's children without the decorations and overlays;
  // false (nothing done) for an action applied to a path into the kit or
  // when none is shown.
  bool traverseWithoutDecorations(SoAction *action);
};

#endif
