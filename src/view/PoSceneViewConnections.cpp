#include "PoSceneView.h"

#include "SoDBImpl.h"

#include <Inventor/sensors/SoFieldSensor.h>

namespace {
void attachTo(SoFieldSensor *sensor, SoField &field) {
  if (sensor->getAttachedField() != &field) sensor->attach(&field);
}

void detach(SoFieldSensor *sensor) {
  if (sensor->getAttachedField()) sensor->detach();
}
} // namespace

// Coin's convention: the answer tells a caller that switched the kit off
// whether it was on, so that it can restore the old state afterwards.
SbBool PoSceneView::setUpConnections(SbBool connect, SbBool force) {
  const SbBool on = connect ? TRUE : FALSE;
  if (!force && (connectionsSetUp ? TRUE : FALSE) == on) return connect;
  if (on) {
    SoBaseKit::setUpConnections(connect, force);
    // Decorations first: a field changed while the kit was off counts now.
    // Coin's kit read connects the kit again at its end, also when it
    // failed and left the parts in pieces; readInstance draws instead, once
    // the read has succeeded.
    if (!isBeingRead()) fieldSensorCB(this, nullptr);
    attachTo(m_backgroundSensor, isBackgroundVisible);
    attachTo(m_borderSensor, isBorderVisible);
    attachTo(m_labelSensor, label);
    attachTo(m_axesSensor, isAxesVisible);
  } else {
    detach(m_backgroundSensor);
    detach(m_borderSensor);
    detach(m_labelSensor);
    detach(m_axesSensor);
    SoBaseKit::setUpConnections(connect, force);
  }
  connectionsSetUp = on;
  return !on;
}

void PoSceneView::fieldSensorCB(void *data, SoSensor *sensor) {
  // In logical-viewport mode the decorations belong to whoever drives that
  // mode; the switches leave the parts as they are.
  if (SoDBImpl::m_isZemba) return;
  PoSceneView *view = static_cast<PoSceneView *>(data);
  if (!sensor) {
    view->drawBackground();
    view->drawBorder();
    view->drawOverlays();
  } else if (sensor == view->m_backgroundSensor) {
    view->drawBackground();
  } else if (sensor == view->m_borderSensor) {
    // The overlays keep clear of the border.
    view->drawBorder();
    view->drawOverlays();
  } else if (sensor == view->m_labelSensor || sensor == view->m_axesSensor) {
    view->drawOverlays();
  }
}
