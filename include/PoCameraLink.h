#ifndef BRENNICQT_POCAMERALINK_H
#define BRENNICQT_POCAMERALINK_H

#include <Inventor/SbVec2s.h>
#include <Inventor/fields/SoMFNode.h>
#include <Inventor/fields/SoSFBitMask.h>
#include <Inventor/nodes/SoNode.h>
#include <Inventor/nodes/SoSubNode.h>

class CameraLinkMembers;

// Makes the cameras of views move together. While the node exists, a change
// to the camera of one of its views (by a viewer, by code, by a field
// connection) is carried to the cameras of the others, once, before the call
// that made it returns:
//
//   ORIENTATION  the others take the same orientation, each turning about its
//                own focal point;
//   POSITION     the others' focal points move by the same amount (a pan;
//                an orthographic camera moved along its own axis keeps the
//                slab of the world it shows, near and far moving with it);
//   ZOOM         the others show as many world units per pixel, also in views
//                of other sizes and between perspective and orthographic
//                cameras (a perspective camera's scale is taken at its focal
//                distance; it dollies to its new scale, as a viewer zooms).
//
// Only what changed is carried: panning one view leaves the others' zoom as
// it is. Making the link, adding a view or replacing a view's camera changes
// no camera; the next change is carried, and a replaced camera (setPart,
// getCamera of another type) is followed by the link. A change reaches views
// linked through other links too (a chain A-B, B-C), and every camera takes
// each kind of change at most once, so links in a cycle or a view listed
// twice never loop. A view removed from `views`, or a link node destroyed,
// carries nothing more.
//
// Views are compared in pixels of one window: a view's share of it is its
// viewportSize, and under a camera's default viewport mapping a view taller
// than wide is scaled by its width. The window's shape is taken from the last
// action that passed the link with a viewport (a render, a pick, a bounding
// box); until then the window is taken to be square.
//
// Files keep links: put the link after the views in the graph, and Coin
// writes it with USE references to them. A `views` entry that is not a view
// is refused with a read error naming the line.
class PoCameraLink : public SoNode {
  SO_NODE_HEADER(PoCameraLink);

public:
  enum Link { ORIENTATION = 0x1, POSITION = 0x2, ZOOM = 0x4, ALL = 0x7 };

  // Registers the class, and first the view base class it checks entries
  // against; once. PoBaseView::initClasses() calls it.
  static void initClass();
  static void exitClass();

  PoCameraLink();

  // The linked views, PoView or PoSceneView (or any PoBaseView with a camera
  // kit). Entries that are not views, and views without a camera, are left
  // out of the link.
  SoMFNode views;
  // What is carried; ALL unless set.
  SoSFBitMask link;

  // The window size the link compares views in (see above).
  SbVec2s getWindowSize() const;

protected:
  virtual ~PoCameraLink();

  // Carries a text's `views` entries one by one, refusing any that is no view.
  virtual SbBool readInstance(SoInput *in, unsigned short flags);
  // Copies follow their own `views`.
  virtual void copyContents(const SoFieldContainer *from, SbBool copyConnections);
  // Follows `views` as it changes. A change inside a linked view reaches the
  // link through `views` too; the view's own parents tell the rest of the
  // graph, so it goes no further.
  virtual void notify(SoNotList *list);

  // Each notes the window size of the action.
  virtual void GLRender(SoGLRenderAction *action);
  virtual void getBoundingBox(SoGetBoundingBoxAction *action);
  virtual void handleEvent(SoHandleEventAction *action);
  virtual void pick(SoPickAction *action);

private:
  void noteWindow(SoAction *action);
  SbBool readFields(SoInput *in);
  SbBool readDeclarations(SoInput *in);
  SbBool readViews(SoInput *in);

  CameraLinkMembers *m_members;
};

#endif
