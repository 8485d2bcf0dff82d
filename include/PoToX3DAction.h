#ifndef BRENNICQT_POTOX3DACTION_H
#define BRENNICQT_POTOX3DACTION_H

#include <Inventor/actions/SoToVRML2Action.h>

#include "internal/ActionHeader.h"

#include <string>


// Converts a scene graph holding views into an X3D document whose layers
// (X3D's Layering component) reproduce the window as rendering shows it:
//  - every view (scene views and plain views, nested ones included, in
//    drawing order) becomes a Layer whose Viewport clips to the view's
//    rectangle, seen through a Viewpoint or OrthoViewpoint made from the
//    view's camera (position, orientation, field of view, near and far
//    distance), with the view's background as the layer's Background;
//  - a scene view's content is its scene; a plain view's content is what
//    follows it up to the end of the enclosing separator; views nested in a
//    content are cut out into layers of their own;
//  - what the window draws outside every view, with its own camera, is the
//    root layer; the LayerSet draws it first;
//  - every visible border becomes two layers drawn over all others, whose
//    lines lie exactly on the view's edges whatever the window's shape;
//  - each layer has a NavigationInfo with a headlight (on unless
//    setHeadlight turns it off) and gets the scene's lights as rendering
//    applies them: a light rendering fixes to the eye (one before any
//    camera) is placed in the layer camera's world;
//  - the active layer, the one the user navigates, is that of the first
//    sensitive view, else of the first view.
// The content of each layer goes through Coin's VRML97 conversion with this
// action's conversion settings; the X3D text then names X3D's fields (a
// Collision's collide is written as enabled, and so on). Values that are not
// finite are written as 0. Connections between fields are not written.
//
// The path forms convert the graph below the path's tail, or below the
// tails of the list's paths in order, as the node form converts a graph.
class PoToX3DAction : public SoToVRML2Action {
  typedef SoToVRML2Action inherited;

public:
  enum Encoding {
    CLASSIC_VRML, // X3D's classic VRML encoding (.x3dv)
    XML           // X3D's XML encoding (.x3d)
  };

  PO_ACTION_HEADER();

public:
  PoToX3DAction();
  // Copies take the source's settings; results are not copied.
  PoToX3DAction(const PoToX3DAction &other);
  PoToX3DAction &operator=(const PoToX3DAction &other);
  virtual ~PoToX3DAction();

  virtual void apply(SoNode *node);
  virtual void apply(SoPath *path);
  virtual void apply(const SoPathList &pathList, SbBool obeysRules = FALSE);

  // The encoding of the document; CLASSIC_VRML by default.
  void setEncoding(Encoding encoding) { m_encoding = encoding; }
  Encoding getEncoding() const { return m_encoding; }

  // Whether the layers' NavigationInfo turns the viewer's headlight on; on
  // by default, as in a viewer.
  void setHeadlight(SbBool on) { m_headlight = on; }
  SbBool hasHeadlight() const { return m_headlight; }

  // The document of the last apply; empty before the first apply and after
  // an apply to a null node.
  const std::string &getX3DText() const { return m_text; }

private:
  void copySettingsFrom(const PoToX3DAction &other);

  Encoding m_encoding;
  SbBool m_headlight;
  std::string m_text;
  // Whether Coin's conversion has run on this action itself: Coin's action
  // converts for one apply only (see conversionEngine).
  bool m_coinConversionRun;

  friend class PoToX3DActionTestAccess;
};

#endif
