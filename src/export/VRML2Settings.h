#ifndef BRENNICQT_VRML2SETTINGS_H
#define BRENNICQT_VRML2SETTINGS_H

#include <Inventor/SbString.h>

class SoToVRML2Action;

// The conversion settings of a Coin VRML97 conversion action, taken as a
// value: to copy them from one action to another, and to run an action with
// Coin's default settings for a while and put its own back afterwards.
struct VRML2Settings {
  SbBool expandSoFile;
  SbString urlName;
  SbBool writeTexCoords;
  SbBool expandTexture2Node;
  SbBool keepUnknownNodes;
  SbBool convertInlineNodes;
  SbBool conditionalConversion;
  SbBool verbose;
  SbBool reuseAppearanceNodes;
  SbBool reusePropertyNodes;
  SbBool reuseGeometryNodes;

  static VRML2Settings of(const SoToVRML2Action &action);
  // The settings of a freshly constructed action.
  static const VRML2Settings &defaults();
  void applyTo(SoToVRML2Action &action) const;
};

#endif
