#ifndef POVIEW_VIEWINVENTORY_H
#define POVIEW_VIEWINVENTORY_H

#include <Inventor/SbColor.h>
#include <Inventor/SbVec2f.h>

#include <string>
#include <vector>

class PoBaseView;
class SoNode;

// What the tool tells about one view found in a scene.
struct ViewRecord {
  PoBaseView *view;
  std::string type;        // Coin type name, e.g. "PoSceneView"
  std::string name;        // DEF name, or ""
  int depth;               // number of views enclosing this one
  std::string navigation;  // "EXAMINE" or "PAN"
  SbVec2f origin;
  SbVec2f size;
  std::string camera;      // camera type name, or "" without a camera
  int backgroundVisible;   // -1: the kit has no such field
  int borderVisible;       // -1: the kit has no such field
  // The looks of a scene view's decorations, as drawn; plain views have none.
  bool hasDecorations = false;
  SbColor backgroundColor{0, 0, 0};
  SbColor borderColor{0, 0, 0};
  float borderWidth = 0.0f;
  SbColor activeBorderColor{0, 0, 0};
  // The overlays of plain and scene views; views of other kinds have none.
  bool hasOverlays = false;
  std::string label;
  SbColor labelColor{0, 0, 0};
  bool axesVisible = false;
};

// What the tool tells about one camera link found in a scene.
struct LinkRecord {
  std::string name;              // DEF name, or ""
  std::vector<int> views;        // indexes into the views found, -1 for a
                                 // linked view the scene does not show
  std::vector<std::string> kinds; // "ORIENTATION", "POSITION", "ZOOM"
};

// Every view the scene would traverse, in traversal order, including views
// nested in the parts of other views (an inset in a scene view's "scene").
std::vector<ViewRecord> findViews(SoNode *root);

// Every camera link anywhere in the scene (links work wherever they are,
// also in switch choices not shown), in the order met.
std::vector<LinkRecord> findLinks(SoNode *root, const std::vector<ViewRecord> &views);

#endif
