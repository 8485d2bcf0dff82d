#ifndef BRENNICQT_POCONVERTGUTS_H
#define BRENNICQT_POCONVERTGUTS_H

#include "SoConvertGuts.h"

#include <memory>
#include <vector>

class PoSceneView;
class SoNode;
class SoVRMLParent;

// The first-stage converter of the VRML export: records every scene view the
// stage meets, once each, in the order met. It does not go into a scene
// view: the export converts each view's scene on its own, so nothing below a
// scene view needs to be walked here.
class PoConvertGuts : public SoConvertGuts {
public:
  // One scene view met. vrmlGroup is the VRML grouping node standing for the
  // view in the converted graph, set by the VRML2 stage (PoConvertGutsVRML2);
  // null until then, and null if the conversion did not reach the view.
  struct SceneViewInfo {
    PoSceneView *sceneView;
    SoVRMLParent *vrmlGroup;
  };

  PoConvertGuts();
  virtual ~PoConvertGuts();

  virtual void reset();
  virtual int convertSoBaseKit(SoBaseKit *kit);

  int getSceneViewInfoNum() const;
  // The entry at index, or null outside 0 .. getSceneViewInfoNum() - 1.
  SceneViewInfo *getSceneViewInfo(int index) const;

  // The index of the entry of a scene view, recording it if it is new.
  int recordSceneView(PoSceneView *sceneView);
  // The index of the entry of node, or -1 if it was not recorded.
  int findSceneView(const SoNode *node) const;

private:
  // Entries are handed out by pointer, so each is allocated on its own. The
  // converter holds a reference on each scene view while it keeps its entry.
  std::vector<std::unique_ptr<SceneViewInfo>> m_entries;
};

#endif
