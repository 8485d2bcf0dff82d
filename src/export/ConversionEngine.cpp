#include "ConversionEngine.h"

#include "VRML2Settings.h"

#include <Inventor/actions/SoToVRML2Action.h>

SoToVRML2Action *conversionEngine(SoToVRML2Action &owner, bool &ownerUsed,
                                  std::unique_ptr<SoToVRML2Action> &spare) {
  if (!ownerUsed) {
    ownerUsed = true;
    return &owner;
  }
  spare.reset(new SoToVRML2Action);
  VRML2Settings::of(owner).applyTo(*spare);
  return spare.get();
}
