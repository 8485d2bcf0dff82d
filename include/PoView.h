#ifndef BRENNICQT_POVIEW_H
#define BRENNICQT_POVIEW_H

#include "PoBaseView.h"

class SoInput;

// The plain view: one camera kit under the view's viewport.
//
// Parts, in traversal order, both directly under the kit:
//   "catchActionCallback"  SoCallback that applies the viewport (never written)
//   "cameraKit"            SoCameraKit; its "camera" part is the view's camera,
//                          made when first asked for
//
// PoView has no separator: what it sets in the traversal state holds for the
// nodes after it until an enclosing separator pops the state. Put each view,
// with the geometry it shows, under a separator of its own.
class PoView : public PoBaseView {
public:
  PoView();
  // A new kit of its own, bound to its own traversal callback, that takes the
  // source's viewport fields, camera kit and sensitivity.
  PoView(const PoView &other);
  PoView &operator=(const PoView &other);

  PO_VIEW_KIT_HEADER();

protected:
  virtual ~PoView();

private:
  // Coin's instance factories take no argument.
  static void *createInstance();
  virtual SbBool readInstance(SoInput *in, unsigned short flags);
};

#endif
