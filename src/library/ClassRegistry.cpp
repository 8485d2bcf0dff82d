// Every class PoBaseView::initClasses registers, in one place, parents before
// children. Each class's initClass also sets up the traversal elements and
// camera methods the views need in Coin, once.

#include "OverlayGroup.h"
#include "PoBaseView.h"
#include "PoCameraLink.h"
#include "PoSceneView.h"
#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"
#include "PoView.h"

void PoBaseView::initClasses() {
  PoToVRML2Action::initClass();
  PoToX3DAction::initClass();
  PoBaseView::initClass();
  // The classes the overlays' parts are made of, which the kits' catalogs
  // name.
  initOverlayClasses();
  PoView::initClass();
  PoSceneView::initClass();
  PoCameraLink::initClass();
}

void PoBaseView::exitClasses() {
  PoCameraLink::exitClass();
  PoSceneView::exitClass();
  PoView::exitClass();
  PoBaseView::exitClass();
  PoToX3DAction::exitClass();
  PoToVRML2Action::exitClass();
}
