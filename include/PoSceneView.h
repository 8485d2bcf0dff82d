#ifndef BRENNICQT_POSCENEVIEW_H
#define BRENNICQT_POSCENEVIEW_H

#include "PoBaseView.h"

#include <Inventor/fields/SoSFBool.h>

class SoFieldSensor;
class SoInput;
class SoOutput;
class SoSensor;

// A view that shows a whole picture inside its viewport: an optional flat
// background, the application's scene seen through the view's own camera kit,
// and an optional frame along the viewport's edges drawn over the scene.
//
// Parts, in traversal order under "topSep":
//   catchActionCallback                    applies the viewport
//   backgroundSep: backgroundApp, background
//   sceneSep:      cameraKit, scene
//   borderSep (an SoAnnotation): borderApp, border
//
// The application puts its scene under "scene", gives the decorations their
// look through the appearance kits "backgroundApp" and "borderApp" and shows
// or hides them with isBackgroundVisible and isBorderVisible. The kit builds
// the "background" and "border" geometry itself, at once, whenever one of the
// two fields changes; neither the geometry nor the appearance kits are
// written to files, the visibility fields are.
//
// The border's lines lie exactly on the viewport's edges. Rasterisers that
// light the pixels left of and below such a line (Mesa does) put the left and
// bottom lines of a one-pixel border just outside the viewport, where the
// view's update area cuts them off; a border two pixels wide ("borderApp"
// with drawStyle lineWidth 2) shows on all four edges.
class PoSceneView : public PoBaseView {
public:
  static void initClass();
  static void exitClass();

  PoSceneView();
  // Copies take the base view's values, share the source's scene, appearance
  // kits and decoration groups, and take its visibility fields. A copy has
  // sensors of its own and its own separators, so its traversal callback stays
  // bound to the copy.
  PoSceneView(const PoSceneView &other);
  PoSceneView &operator=(const PoSceneView &other);

  static SoType getClassTypeId();
  virtual SoType getTypeId() const;
  virtual const SoFieldData *getFieldData() const;
  virtual int getIsBuiltIn() const;
  static const SoNodekitCatalog *getClassNodekitCatalog();
  virtual const SoNodekitCatalog *getNodekitCatalog() const;
  // Keeps the appearance kits out of written files, which Coin would
  // otherwise write for their own content.
  virtual void addWriteReference(SoOutput *out, SbBool isFromField = FALSE);

  // Searches and bounding boxes leave the background and border out: they
  // are drawn with cameras of their own in the view's rectangle and occupy no
  // place in the world, and a viewer must never adopt their cameras.
  virtual void search(SoSearchAction *action);
  virtual void getBoundingBox(SoGetBoundingBoxAction *action);

protected:
  virtual ~PoSceneView();

  static const SoFieldData **getFieldDataPtr();
  static const SoNodekitCatalog **getClassNodekitCatalogPtr();
  virtual void setDefaultOnNonWritingFields();

  static const ViewKitClass &kitClass();

  // Part fields.
  SoSFNode backgroundSep;
  SoSFNode backgroundApp;
  SoSFNode background;
  SoSFNode topSep;
  SoSFNode sceneSep;
  SoSFNode scene;
  SoSFNode borderSep;
  SoSFNode borderApp;
  SoSFNode border;

public:
  SoSFBool isBackgroundVisible;
  SoSFBool isBorderVisible;

private:
  static void *createInstance();
  virtual SbBool readInstance(SoInput *in, unsigned short flags);
  virtual SbBool setUpConnections(SbBool connect, SbBool force = FALSE);
  static void fieldSensorCB(void *data, SoSensor *sensor);
  void drawBackground();
  void drawBorder();

  void registerParts();
  void createSensors();
  void copyPartsFrom(const PoSceneView &other);
  // Traverses the kit's children without the decorations; false (nothing
  // done) for an action applied to a path into the kit or when no decoration
  // is shown.
  bool traverseWithoutDecorations(SoAction *action);

  SoFieldSensor *m_backgroundSensor;
  SoFieldSensor *m_borderSensor;

  // Hides Coin's per-instance flag of the same name, as PoBaseView does.
  static int isBuiltIn;
  static SoType classTypeId;
  static SoFieldData *fieldData;
  static const SoFieldData **parentFieldData;
  static int firstInstance;
  static int MT_Id;
  static SoNodekitCatalog *nodekitCatalog;
  static const SoNodekitCatalog **parentNodekitCatalogPtr;
  static ClassMutex classMutex;

  friend class PoSceneViewTestAccess;
};

#endif
