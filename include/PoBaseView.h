#ifndef BRENNICQT_POBASEVIEW_H
#define BRENNICQT_POBASEVIEW_H

#include <Inventor/SbVec2s.h>
#include <Inventor/SbVec4f.h>
#include <Inventor/fields/SoSFBool.h>
#include <Inventor/fields/SoSFEnum.h>
#include <Inventor/fields/SoSFNode.h>
#include <Inventor/fields/SoSFVec2f.h>
#include <Inventor/nodekits/SoBaseKit.h>

#include <initializer_list>

#include "internal/SoGetView.h"
#include "internal/ViewKitHeader.h"

class QEvent;
class SoCamera;
class SoQtRenderArea;
class SoQtViewer;

// Abstract base of every view: a node kit that claims a rectangle of the
// render area (its viewport) for everything below it.
//
// The viewport is given in window-normalised coordinates: (0, 0) is the lower
// left corner of the window and (1, 1) the upper right, also for views nested
// in other views. The fields are never clamped.
class PoBaseView : public SoBaseKit, public SoGetView {
  PO_VIEW_KIT_HEADER();

public:
  // Registers, in order, PoToVRML2Action, PoToX3DAction, PoBaseView, PoView,
  // PoSceneView and PoCameraLink.
  // Call after SoDB::init() (or SoQt::init()).
  static void initClasses();
  // Releases them in the reverse order. Release every view first.
  static void exitClasses();

  // SoGetView: a view's viewport is always enabled.
  virtual int getViewportIsEnabled() const;
  virtual const SbVec2f getViewportOrigin() const;
  virtual const SbVec2f getViewportSize() const;

  // Event routing. Only sensitive views are picked by getView; a view is not
  // sensitive until the application says so, also after reading a file. Any
  // non-zero flag counts as sensitive and is kept as given.
  void sensitiveOnEvents(int flag) { m_sensitiveOnEvents = flag; }
  int isSensitiveOnEvents() const { return m_sensitiveOnEvents; }

  // 1 if the window-normalised point lies in the rectangle of viewportOrigin
  // and viewportSize, all four edges included; 0 otherwise. A negative size
  // contains nothing, a zero size only the origin.
  int isPointWithinViewport(float x, float y) const;

  // This view's camera, the part "cameraKit.camera", made together with its
  // camera kit (a perspective camera) on first use. Null when the kit's
  // catalog has no such part or the part holds no camera.
  SoCamera *getCamera();

  // This view's camera as a camera of the given type, e.g.
  // getCamera(SoOrthographicCamera::getClassTypeId()) for an orthographic
  // view. The camera the view holds is answered when it is of that type (or
  // derived from it). Otherwise a new camera of that type is made, put in its
  // place and answered: it takes over the old camera's position,
  // orientation, focal, near and far distance, aspect ratio, viewport mapping
  // and name, and shows the same extent at the focal distance (a perspective
  // camera's height angle becomes an orthographic camera's height, and back).
  // A viewer given the old camera keeps it; hand it the view again
  // (setCamera). A type that is not a camera Coin can create is reported and
  // answers null, and the view is left as it was.
  SoCamera *getCamera(SoType type);

  // Hands this view's camera (getCamera, made on first use) to the
  // viewer. A kit whose catalog yields no camera leaves the viewer's camera
  // as it is; so does a null viewer.
  void setCamera(SoQtViewer *viewer);

  // The view under pixel (x, y) of the render area's widget, y growing down
  // from the top edge: of the sensitive views whose viewport holds the point,
  // the one met last in traversal order (drawn last, on top). Views below the
  // parts of other kits, views included, are found only if Coin's search
  // looks inside kits (SoBaseKit::setSearchingChildren).
  // Null when there is no such view, when the render area (or its scene
  // graph) is null, and when the window has zero width or height: a window
  // without pixels has no point under the pointer.
  static PoBaseView *getView(SoQtRenderArea *renderArea, int x, int y);

  // The view whose camera the viewer drives: of the views of the viewer's
  // scene (as rendering reaches them) whose camera is the viewer's camera,
  // the one met last, drawn on top. Null when there is none, and for a null
  // viewer. A press routed by viewingEventCB makes the view under the
  // pointer the active one; while the callback is installed, an active scene
  // view shows its border in its active colour (see PoSceneView).
  static PoBaseView *getActiveView(SoQtViewer *viewer);

  // Viewer event callback: in viewing mode, a mouse button press or a turn
  // of the wheel makes the view under the pointer the one whose camera the
  // viewer moves, so the wheel zooms the view it is over. A wheel turned while
  // a button is held leaves the camera to the drag under way. Always answers
  // 0, so the viewer goes on to handle the event itself.
  static int viewingEventCB(SoQtViewer *viewer, QEvent *event);

  // Installs viewingEventCB as the viewer's event callback, replacing any
  // callback set before, together with the mouse of views whose navigation
  // is PAN: the left-button drags and wheel turns they take are consumed, so
  // the viewer never rotates them. An application with an event callback of
  // its own (SoQt's SoQtRenderAreaEventCB) passes it here with its datum: it
  // then runs after them, for every event, with the camera of the view under
  // the pointer already in the viewer, and its answer decides for the events
  // a PAN view left alone (non-zero: the event is consumed and the viewer
  // does not see it). viewer->setEventCallback(nullptr) removes all again.
  static void installViewingEventCB(SoQtViewer *viewer,
                                    SbBool (*applicationCB)(void *, QEvent *) = nullptr,
                                    void *applicationData = nullptr);

  // Copies take the source's viewport fields, visibility, camera kit (shared,
  // as an assignment of the part field shares it) and sensitivity. A Coin kit
  // cannot be copied member by member (its private part data would be shared
  // and freed twice), so a copy is built as a new kit of its own and then
  // takes these values; its traversal callback stays bound to the copy.
  PoBaseView &operator=(const PoBaseView &other);

protected:
  PoBaseView();
  PoBaseView(const PoBaseView &other);
  virtual ~PoBaseView();

  virtual void setDefaultOnNonWritingFields();

  // The traversal callback: sets the viewport (or the view-volume portion and
  // logical viewport) that the rest of the view is drawn, picked and bounded
  // with. Coin's render caches replay GL without running callbacks, and they
  // watch only fields that notify and elements read under them. Of the
  // callback's inputs, viewportOrigin and viewportSize notify every separator
  // above the view; the window size (the action's viewport) and the portion
  // and logical viewport it records for the views below are not watched by
  // themselves, so the callback reads the viewport, portion and logical-
  // viewport elements in force where the view stands and every cache on the
  // way from the window to the view depends on them. A cached separator above
  // a view thus replays it only for the same window, tile and fields; one
  // inside the view (under its scene) is entered with the elements the view
  // set, which it depends on; one after a plain view, drawn with the view's
  // state, depends on them the same way. A scene view's border is an
  // SoAnnotation, above which Coin caches nothing at all.
  static void catchActionCB(void *view, SoAction *action);
  // Pixel (x, y) of the render area's widget to window-normalised (nx, ny),
  // using the scene manager's window size (w, h): nx = x / w and
  // ny = (h - y) / h, unclamped. An axis of zero pixels gives NaN on it.
  static void normalizeMousePoint(SoQtRenderArea *renderArea, int x, int y,
                                  float &nx, float &ny);

  // Part lookups refuse, with a report, names that Coin cannot follow safely
  // (an index on a part that is no list, a dot after a part that is no kit,
  // setting "this");
  // Coin would read past the node it took for a list or kit. Reading a file
  // sets every part it names through setAnyPart.
  virtual SoNode *getAnyPart(const SbName &partname, SbBool makeifneeded,
                             SbBool leafcheck = FALSE, SbBool publiccheck = FALSE);
  virtual SoNodeKitPath *createPathToAnyPart(const SbName &partname, SbBool makeifneeded,
                                             SbBool leafcheck = FALSE,
                                             SbBool publiccheck = FALSE,
                                             const SoPath *pathtoextend = NULL);
  virtual SbBool setAnyPart(const SbName &partname, SoNode *from, SbBool anypart = TRUE);

  // Coin builds a kit's part list in createFieldList; the toolkit's name for
  // that step is createNodekitPartsList.
  void createNodekitPartsList() { SoBaseKit::createFieldList(); }

  // Registers a part field of a concrete kit and, for the class's first
  // instance, its catalog entry under the parent part.
  void registerPart(const ViewKitClass &kit, const char *name, SoSFNode &field,
                    const char *typeName, const char *parentName);

  // Sets a part that holds none of the parts listed (its children in the
  // catalog) to null: Coin's kit read makes the parents of every part a file
  // could name, and empty separators would still be drawn.
  void dropEmptyPart(const char *name, const SoSFNode &part,
                     std::initializer_list<const SoSFNode *> contents);

  // Makes the "catchActionCallback" part if needed and binds it to this view.
  // Concrete kits run it when they are built and after a read or a node copy,
  // so that a callback node taken from a file or copied from another view runs
  // for this view. Leaves the node's reference count as it found it.
  void installCatchActionCallback();

  // Coin's kit copy copies the callback node together with the view it was
  // bound to; the copy rebinds it to itself.
  virtual void copyContents(const SoFieldContainer *from, SbBool copyConnections);

  // The concrete kits' readInstance. While it runs, the kit reads through a
  // field table of its own (see fieldDataWhileReading): Coin adds the fields a
  // file declares but the class lacks to the table it reads with, which would
  // otherwise be the class's, shared by every view of the class.
  SbBool readViewInstance(SoInput *in, unsigned short flags);
  // The concrete kits' getFieldData answers this table when it is set.
  const SoFieldData *fieldDataWhileReading() const { return m_readFieldData; }
  // Whether Coin's kit read is under way: its parts are then in pieces.
  bool isBeingRead() const { return m_readFieldData != nullptr; }

private:
  // Coin's kit read, with the checks and reports Coin leaves out (see
  // PoBaseViewReadParts.cpp).
  struct PartsRead;
  SbBool readKitBody(SoInput *in, unsigned short flags);
  SbBool readFieldsAndParts(SoInput *in, PartsRead &read);

  bool partNameIsSound(const char *method, const SbName &partname, bool toSet) const;

protected:

  // Part fields; the concrete kits register them and enter them in their
  // catalogs.
  SoSFNode cameraKit;

public:
  SoSFVec2f viewportOrigin;
  SoSFVec2f viewportSize;
  // FALSE switches the view off (written to files only then): the view and
  // everything it holds are neither drawn nor picked, bounded, handed events,
  // found by getView or PoViewList, nor exported; searching, writing and
  // matrix queries still reach it. A plain view holds what follows it up to
  // the end of the enclosing separator, which is passed by with it; a scene
  // view holds its parts. Nodes after that are unaffected.
  SoSFBool isVisible;

  // How the viewing callback lets the user move this view's camera (see
  // installViewingEventCB). EXAMINE, the default, leaves the mouse to the
  // viewer. PAN keeps the view's orientation: a left-button drag moves the
  // camera in the view plane by exactly the distance the pointer moved (the
  // point under the pointer stays under it: in a perspective view, a point
  // at the camera's focal distance), and the wheel zooms about the point
  // under the pointer. Written only when not EXAMINE.
  enum Navigation { EXAMINE, PAN };
  SoSFEnum navigation;

protected:
  SoSFNode catchActionCallback;
  int m_sensitiveOnEvents;

private:
  SoFieldData *m_readFieldData;

protected:

  // Recorded by the outermost view of a GL render traversal.
  static SbVec4f m_vvPortion;
  static SbVec2s m_currentLogicalViewportSize;
};

#endif
