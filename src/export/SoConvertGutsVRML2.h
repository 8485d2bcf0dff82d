#ifndef BRENNICQT_SOCONVERTGUTSVRML2_H
#define BRENNICQT_SOCONVERTGUTSVRML2_H

class SoAction;
class SoBaseKit;
class SoCallbackAction;
class SoNode;
class SoToVRML2Action;
class SoVRMLGroup;

// The second conversion stage: Inventor to VRML97, done by Coin's own
// SoToVRML2Action with the six settings given here. A derived converter can
// take over node kits: when Coin's conversion meets a kit, convertSoBaseKit
// is asked first, and may traverse a stand-in in the kit's place.
//
// Coin's conversion runs an SoCallbackAction over the graph, so node kits
// are routed through that action's method table. The route is set on
// SoBaseKit itself, a type that is never removed: Coin's method table breaks
// every later callback traversal once a type it holds a method for has been
// removed, which the module's own kit types are at exitClasses. The route is
// open only on the thread that runs convertTovrinToVRML2, and only while it
// runs; every other callback traversal goes on to the kit's own callback.
class SoConvertGutsVRML2 {
public:
  SoConvertGutsVRML2();
  virtual ~SoConvertGutsVRML2();
  SoConvertGutsVRML2(const SoConvertGutsVRML2 &) = delete;
  SoConvertGutsVRML2 &operator=(const SoConvertGutsVRML2 &) = delete;

  void setReuseAppearanceNodes(int flag) { m_reuseAppearanceNodes = flag; }
  void setReuseGeometryPropertyNodes(int flag) { m_reuseGeometryPropertyNodes = flag; }
  void setReuseGeometryNodes(int flag) { m_reuseGeometryNodes = flag; }
  void setConvertInlineNodes(int flag) { m_convertInlineNodes = flag; }
  void setConditionalConversion(int flag) { m_conditionalConversion = flag; }
  void setExpandTextureNodes(int flag) { m_expandTextureNodes = flag; }

  // Converts with engine, given the six settings above, instead of with an
  // action of the converter's own. Coin's actions are costly to construct
  // (each registers a callback for every node type), so a caller that has
  // one to spare lends it. Null: the converter makes its own.
  void setEngine(SoToVRML2Action *engine) { m_engine = engine; }

  // Converts the graph under root. The result belongs to the action that
  // converted it and lives until its next conversion or its end, unless the
  // caller references it.
  SoVRMLGroup *convertTovrinToVRML2(SoNode *root);

protected:
  // Called for a kit of a routed type met by the conversion. Non-zero: the
  // kit has been dealt with (for instance by action->traverse of a stand-in);
  // zero: the kit is converted as usual.
  virtual int convertSoBaseKit(SoBaseKit *kit, SoCallbackAction *action);
  // Called with the conversion's result before convertTovrinToVRML2 returns.
  virtual void finishConversion(SoVRMLGroup *result);

private:
  static void routeKits();
  static void routedKitMethod(SoAction *action, SoNode *node);

  int m_reuseAppearanceNodes;
  int m_reuseGeometryPropertyNodes;
  int m_reuseGeometryNodes;
  int m_convertInlineNodes;
  int m_conditionalConversion;
  int m_expandTextureNodes;
  SoToVRML2Action *m_engine;
  SoToVRML2Action *m_action;
};

#endif
