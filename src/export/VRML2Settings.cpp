#include "VRML2Settings.h"

#include <Inventor/actions/SoToVRML2Action.h>

VRML2Settings VRML2Settings::of(const SoToVRML2Action &action) {
  VRML2Settings settings;
  settings.expandSoFile = action.areSoFileExpanded();
  settings.urlName = action.getUrlName();
  settings.writeTexCoords = action.areTexCoordWritten();
  settings.expandTexture2Node = action.areTexture2NodeExpanded();
  settings.keepUnknownNodes = action.areUnknownNodeKept();
  settings.convertInlineNodes = action.doConvertInlineNodes();
  settings.conditionalConversion = action.doConditionalConversion();
  settings.verbose = action.isVerbose();
  settings.reuseAppearanceNodes = action.doReuseAppearanceNodes();
  settings.reusePropertyNodes = action.doReusePropertyNodes();
  settings.reuseGeometryNodes = action.doReuseGeometryNodes();
  return settings;
}

const VRML2Settings &VRML2Settings::defaults() {
  // Read once from a fresh action, so they are Coin's whatever its version.
  static const VRML2Settings settings = [] {
    SoToVRML2Action fresh;
    return of(fresh);
  }();
  return settings;
}

void VRML2Settings::applyTo(SoToVRML2Action &action) const {
  action.expandSoFile(expandSoFile);
  action.setUrlName(urlName);
  action.writeTexCoords(writeTexCoords);
  action.expandTexture2Node(expandTexture2Node);
  action.keepUnknownNodes(keepUnknownNodes);
  action.convertInlineNodes(convertInlineNodes);
  action.conditionalConversion(conditionalConversion);
  action.setVerbosity(verbose);
  action.reuseAppearanceNodes(reuseAppearanceNodes);
  action.reusePropertyNodes(reusePropertyNodes);
  action.reuseGeometryNodes(reuseGeometryNodes);
}
