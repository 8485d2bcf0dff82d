#ifndef BRENNICQT_POCONVERTGUTSVRML2_H
#define BRENNICQT_POCONVERTGUTSVRML2_H

#include "SoConvertGutsVRML2.h"

#include <vector>

class PoConvertGuts;
class SoVRMLGroup;

// The VRML2-stage converter of the VRML export. Every scene view recorded by
// the first-stage converter is converted as an empty VRML Group, which
// becomes the entry's vrmlGroup; the view's own parts are not converted,
// since the export rebuilds each view's output from its scene and camera.
// A scene view the first stage did not meet (one in the scene of another) is
// recorded when the conversion reaches it. A plain view converts to nothing.
class PoConvertGutsVRML2 : public SoConvertGutsVRML2 {
public:
  explicit PoConvertGutsVRML2(PoConvertGuts *firstStage);
  virtual ~PoConvertGutsVRML2();

protected:
  virtual int convertSoBaseKit(SoBaseKit *kit, SoCallbackAction *action);
  virtual void finishConversion(SoVRMLGroup *result);

private:
  SoVRMLGroup *standInFor(int index);
  void releaseStandIns();

  PoConvertGuts *m_firstStage;
  // By entry index; null where no conversion reached the view.
  std::vector<SoVRMLGroup *> m_standIns;
  // The entries whose stand-in the running conversion made.
  std::vector<int> m_pending;
};

#endif
