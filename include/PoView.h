#ifndef BRENNICQT_POVIEW_H
#define BRENNICQT_POVIEW_H

#include "PoBaseView.h"

#include <Inventor/SbColor.h>
#include <Inventor/fields/SoSFBool.h>
#include <Inventor/fields/SoSFString.h>

class SoFieldSensor;
class SoInput;
class SoSensor;

// The plain view: one camera kit under the view's viewport.
//
// Parts, in traversal order, all directly under the kit:
//   "catchActionCallback"  SoCallback that applies the viewport (never written)
//   "cameraKit"            SoCameraKit; its "camera" part is the view's camera,
//                          made when first asked for
//   "overlaySep"           SoAnnotation with the overlays: "labelLook" holding
//                          "labelApp", then "overlay" (only "labelApp" is
//                          written)
//
// PoView has no separator: what it sets in the traversal state holds for the
// nodes after it until an enclosing separator pops the state. Put each view,
// with the geometry it shows, under a separator of its own.
//
// Its overlays are those of PoSceneView, drawn over everything the view
// shows: `label`, a text in the view's top-left corner in the colour of
// "labelApp" (white unless it sets one), and isAxesVisible, an axis triad
// in the lower-left corner turned as the view's camera is turned. Both are
// off until asked for, written only when set, fixed in pixel size, and take
// no part in picking or bounding boxes.
class PoView : public PoBaseView {
public:
  PoView();
  // A new kit of its own, bound to its own traversal callback, that takes the
  // source's viewport fields, camera kit, sensitivity and overlays.
  PoView(const PoView &other);
  PoView &operator=(const PoView &other);

  PO_VIEW_KIT_HEADER();

public:
  SoSFString label;
  SoSFBool isAxesVisible;

  // The label's colour, through "labelApp" (see PoSceneView).
  void setLabelColor(const SbColor &color);
  SbColor getLabelColor() const;

  // Searches, bounding boxes and picks leave the overlays out: a viewer must
  // never adopt their camera, and a pick ray taken from it would miss the
  // scene after the view.
  virtual void search(SoSearchAction *action);
  virtual void getBoundingBox(SoGetBoundingBoxAction *action);
  virtual void rayPick(SoRayPickAction *action);

protected:
  virtual ~PoView();

  virtual void setDefaultOnNonWritingFields();
  virtual SbBool setUpConnections(SbBool connect, SbBool force = FALSE);

  SoSFNode overlaySep;
  SoSFNode labelLook;
  SoSFNode labelApp;
  SoSFNode overlay;

private:
  // Coin's instance factories take no argument.
  static void *createInstance();
  virtual SbBool readInstance(SoInput *in, unsigned short flags);

  static void overlaySensorCB(void *data, SoSensor *sensor);
  void drawOverlays();
  void dropEmptyOverlaySeparator();
  bool traverseWithoutOverlays(SoAction *action);

  SoFieldSensor *m_labelSensor;
  SoFieldSensor *m_axesSensor;
};

#endif
