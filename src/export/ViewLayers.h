#ifndef BRENNICQT_VIEWLAYERS_H
#define BRENNICQT_VIEWLAYERS_H

#include <Inventor/SbColor.h>
#include <Inventor/SbMatrix.h>
#include <Inventor/SbRotation.h>
#include <Inventor/SbVec2f.h>

#include <string>
#include <vector>

class PoBaseView;
class SoCamera;
class SoNode;
class SoSeparator;

// A flat background or a border frame a scene view draws, as rendering
// shows it: the colour is the base colour of the state at its shape.
struct ViewDecoration {
  bool shown = false;
  SbColor colour = SbColor(0.8f, 0.8f, 0.8f);
  float transparency = 0.0f;
  float lineWidth = 1.0f; // of a border
};

// What a view draws over everything else in its rectangle: its label and
// its axis triad, as rendering shows them.
struct ViewOverlay {
  std::string label; // UTF-8; empty for none
  SbColor labelColour = SbColor(1.0f, 1.0f, 1.0f);
  bool axes = false;
  // The view camera's orientation in the frame of the view's scene, which
  // turns the triad.
  SbRotation cameraOrientation = SbRotation::identity();
  // Pixels inside the view's edges the overlays keep clear of: the border's
  // width when the border is shown.
  float inset = 0.0f;
  bool shown() const { return !label.empty() || axes; }
};

// One layer of the window: what one view draws, or what the window draws
// with its own camera outside every view.
struct ViewLayer {
  PoBaseView *view = nullptr; // null for the window's own layer
  SbVec2f origin = SbVec2f(0.0f, 0.0f);
  SbVec2f size = SbVec2f(1.0f, 1.0f);
  bool sensitive = false;
  // The Inventor nodes the layer draws, in drawing order, led by the state
  // it inherits from outside (materials, transforms and lights before the
  // view). Views inside are cut out into layers of their own. Lights that
  // rendering fixes to another camera than the layer's come as copies placed
  // in the layer camera's world. Referenced by the layer.
  SoSeparator *content = nullptr;
  // The camera the content is seen through (the view's own, or the one in
  // effect where the view is), and the model matrix at the camera. Null when
  // no camera is in effect. Referenced by the layer.
  SoCamera *camera = nullptr;
  SbMatrix cameraModel = SbMatrix::identity();
  ViewDecoration background;
  ViewDecoration border;
  ViewOverlay overlay;
};

// Cuts a scene graph into layers the way rendering draws it: a scene view
// draws its scene inside its rectangle, a plain view draws the nodes that
// follow it up to the end of the enclosing separator, and everything else is
// drawn by the window with its own camera. Layer 0 is the window's; the
// views follow in drawing order, nested ones after the view they are in.
// Switches follow their chosen child, as rendering does. The graph is only
// read.
class ViewLayers {
public:
  explicit ViewLayers(SoNode *root);
  ~ViewLayers();
  ViewLayers(const ViewLayers &) = delete;
  ViewLayers &operator=(const ViewLayers &) = delete;

  int getNumLayers() const { return static_cast<int>(m_layers.size()); }
  const ViewLayer &getLayer(int index) const { return m_layers[static_cast<std::size_t>(index)]; }

private:
  std::vector<ViewLayer> m_layers;
  friend class ViewLayerWalk;
};

#endif
