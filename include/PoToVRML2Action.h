#ifndef BRENNICQT_POTOVRML2ACTION_H
#define BRENNICQT_POTOVRML2ACTION_H

#include <Inventor/actions/SoToVRML2Action.h>

#include "internal/ActionHeader.h"

#include "internal/ToVRMLStage.h"

#include <memory>

class SoConvertGuts;
class SoVRMLGroup;

// Converts a scene graph to VRML97 like Coin's SoToVRML2Action, and in
// addition understands scene views (PoSceneView): each one comes out as VRML
// nodes that keep its camera and its place in the window.
//
// apply(SoNode *) gives a VRML Collision node (collide FALSE) holding the
// converted graph; inside it every scene view is either
//  - viewer-fixed: a ProximitySensor covering all space drives a Transform
//    that follows the user, under which the view's scene is shown as its
//    camera shows it, shifted and scaled to the view's viewport; or
//  - navigable (only the first scene view met, and only when
//    setFirstSceneViewSensitive is on): a Viewpoint from the view's camera
//    and the scene in world space, shifted and scaled to the viewport.
// A scene view without a "scene" part or without a camera under
// "cameraKit.camera" is skipped: its group in the result stays empty and the
// conversion goes on. So is one whose camera is neither a perspective nor an
// orthographic camera, since no field of view can be taken from it.
//
// Every node of the result that a VRML97 file has to name (ROUTE ends,
// shared nodes, grouping children) carries a plain unique name made of
// letters, digits and underscores, so the file written with SoWriteAction
// loads in strict VRML97 parsers.
//
// The path forms of apply do only Coin's plain conversion; scene views on
// the path are converted as ordinary node kits.
//
// Coin keeps its own result slot private, so this class keeps the result of
// its last apply itself: call getVRML2SceneGraph() on a PoToVRML2Action (not
// through an SoToVRML2Action pointer) to get it.
class PoToVRML2Action : public SoToVRML2Action {
  typedef SoToVRML2Action inherited;

public:
  PO_ACTION_HEADER();

public:
  PoToVRML2Action();
  // Copies take the source's conversion settings and its first-scene-view
  // switch; results and converters are not copied.
  PoToVRML2Action(const PoToVRML2Action &other);
  PoToVRML2Action &operator=(const PoToVRML2Action &other);
  virtual ~PoToVRML2Action();

  virtual void apply(SoNode *node);
  virtual void apply(SoPath *path);
  virtual void apply(const SoPathList &pathList, SbBool obeysRules = FALSE);

  // The result of the last apply: the Collision node of the node form, or
  // Coin's conversion of the path forms. Null before the first apply.
  SoVRMLGroup *getVRML2SceneGraph() const;

  // The first-stage converter of the last apply, a PoConvertGuts holding one
  // entry per scene view met. Owned by the action.
  SoConvertGuts *getConvertGuts() const { return m_toVRMLStage.getConvertGuts(); }

  // When on (any non-zero value), the first scene view met becomes the
  // navigable main view. Off by default; stored as given.
  void setFirstSceneViewSensitive(int flag) { m_firstSceneViewSensitive = flag; }
  int isFirstSceneViewSensitive() { return m_firstSceneViewSensitive; }

protected:
  // The converter the first stage works with: a new PoConvertGuts.
  virtual SoConvertGuts *getNewConvertGuts() const;

private:
  void copySettingsFrom(const PoToVRML2Action &other);
  void runFirstStage(SoNode *node);
  void keepResult(SoVRMLGroup *result);
  void convertSceneViews(SoToVRML2Action &engine, SoVRMLGroup *collision);
  SoToVRML2Action *takeEngine(std::unique_ptr<SoToVRML2Action> &spare);
  int m_firstSceneViewSensitive;
  ToVRMLStage m_toVRMLStage;
  SoVRMLGroup *m_result;
  // Whether Coin's conversion has run on this action itself: Coin's action
  // converts for one apply only (see conversionEngine).
  bool m_coinConversionRun;
};

#endif
