// The node form of the X3D export: the graph cut into the layers rendering
// draws, each layer's content converted by Coin, and the LayerSet written.

#include "PoToX3DAction.h"

#include "PoBase.h"
#include "VRML2SceneConversion.h"
#include "ViewLayers.h"
#include "X3DOverlayLayer.h"
#include "X3DWriter.h"

#include <Inventor/SbRotation.h>
#include <Inventor/SbVec3f.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoShape.h>

#include "ConversionEngine.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const char *const kGenerator = "BrennicQt PoToX3DAction";
// Border lines run this far past the edges they lie on, in units of the
// view's half height (or half width): far enough for any window shape.
const float kBorderReach = 1000.0f;

// The view's rectangle as X3D's clipBoundary (left, right, bottom, top)
// within the window; false when nothing of it is inside the window. Browsers
// keep the bounds in single precision and take the pixel below the product
// with the window size, where Coin rounds: 0.65 of 800 pixels is 519 there,
// 520 here. Each bound inside the window is written one step of single
// precision larger, which moves it by far less than a pixel and lands it on
// the pixel Coin takes.
bool clipBoundary(const ViewLayer &layer, float boundary[4]) {
  auto clamp = [](float v) {
    if (std::isnan(v) || v <= 0.0f) return 0.0f;
    return v >= 1.0f ? 1.0f : std::nextafter(v, 2.0f);
  };
  boundary[0] = clamp(layer.origin[0]);
  boundary[1] = clamp(layer.origin[0] + layer.size[0]);
  boundary[2] = clamp(layer.origin[1]);
  boundary[3] = clamp(layer.origin[1] + layer.size[1]);
  return boundary[0] < boundary[1] && boundary[2] < boundary[3];
}

bool drawsShapes(SoNode *content) {
  SoSearchAction search;
  search.setType(SoShape::getClassTypeId());
  search.apply(content);
  return search.getPath() != nullptr;
}

class LayerSetWriter {
public:
  LayerSetWriter(X3DWriter &writer, const ViewLayers &layers,
                 const VRML2SceneConversion &conversion, bool headlight)
      : m_writer(writer), m_layers(layers), m_conversion(conversion), m_headlight(headlight) {}

  void write() {
    for (int i = 0; i < m_layers.getNumLayers(); ++i) m_writer.shareNodes(m_conversion.getTopNode(i));
    // The window's own layer, drawn first: where no view draws, the window
    // stays black.
    m_writer.beginNode("Background");
    const float black[3] = {0.0f, 0.0f, 0.0f};
    m_writer.field("skyColor", black, 3, true);
    m_writer.endNode();
    layerBody(0);

    std::vector<int> views, borders, overlays;
    for (int i = 1; i < m_layers.getNumLayers(); ++i) {
      float boundary[4];
      if (!clipBoundary(m_layers.getLayer(i), boundary)) continue;
      views.push_back(i);
      if (m_layers.getLayer(i).border.shown) borders.push_back(i);
      if (m_layers.getLayer(i).overlay.shown()) overlays.push_back(i);
    }
    if (views.empty()) return;

    m_writer.beginNode("LayerSet");
    int active = 1;
    for (std::size_t k = 0; k < views.size(); ++k)
      if (m_layers.getLayer(views[k]).sensitive) {
        active = static_cast<int>(k) + 1;
        break;
      }
    m_writer.field("activeLayer", active);
    std::vector<int> order;
    for (std::size_t k = 0; k <= views.size() + 2 * borders.size() + overlays.size(); ++k)
      order.push_back(static_cast<int>(k));
    m_writer.field("order", order.data(), static_cast<int>(order.size()));
    m_writer.beginNodeList("layers");
    for (int index : views) viewLayer(index);
    // Borders are drawn after everything else, as rendering draws them.
    for (int index : borders) {
      borderLayer(m_layers.getLayer(index), true);
      borderLayer(m_layers.getLayer(index), false);
    }
    // Labels and triads over the borders, as rendering draws them.
    for (int index : overlays) {
      float boundary[4];
      clipBoundary(m_layers.getLayer(index), boundary);
      writeOverlayLayer(m_writer, m_layers.getLayer(index), boundary);
    }
    m_writer.endNodeList();
    m_writer.endNode();
  }

private:
  void beginLayer(const ViewLayer &layer) {
    m_writer.beginNode("Layer");
    float boundary[4];
    clipBoundary(layer, boundary);
    m_writer.beginNodeField("viewport");
    m_writer.beginNode("Viewport");
    m_writer.field("clipBoundary", boundary, 4, true);
    m_writer.endNode();
    m_writer.endNodeField();
    m_writer.beginNodeList("children");
  }

  void endLayer() {
    m_writer.endNodeList();
    m_writer.endNode();
  }

  void viewLayer(int index) {
    const ViewLayer &layer = m_layers.getLayer(index);
    beginLayer(layer);
    if (layer.background.shown) {
      m_writer.beginNode("Background");
      m_writer.field("skyColor", layer.background.colour.getValue(), 3, true);
      if (layer.background.transparency > 0.0f)
        m_writer.field("transparency", layer.background.transparency);
      m_writer.endNode();
    }
    layerBody(index);
    endLayer();
  }

  // Navigation, viewpoint and the converted content of a layer.
  void layerBody(int index) {
    const ViewLayer &layer = m_layers.getLayer(index);
    m_writer.beginNode("NavigationInfo");
    m_writer.field("headlight", m_headlight);
    m_writer.field("type", std::vector<std::string>{"EXAMINE", "ANY"});
    m_writer.endNode();
    if (layer.camera) {
      viewpoint(*layer.camera, layer.cameraModel);
    } else if (index == 0 && drawsShapes(layer.content)) {
      // Without a camera Coin draws the window's square from -1 to 1, as
      // far as X3D can show it: on the window's shorter side.
      m_writer.beginNode("OrthoViewpoint");
      const float box[4] = {-1.0f, -1.0f, 1.0f, 1.0f};
      m_writer.field("fieldOfView", box, 4, true);
      m_writer.endNode();
    }
    if (SoVRMLGroup *top = m_conversion.takeScene(index))
      for (int k = 0; k < top->getNumChildren(); ++k) m_writer.coinNode(top->getChild(k));
  }

  // The camera as the render uses it: placed by the model matrix in effect
  // at it, its field of view on the view's shorter side (as both Coin's
  // adjusted camera and X3D take it), its near and far distances.
  void viewpoint(const SoCamera &camera, const SbMatrix &model) {
    const bool orthographic = camera.isOfType(SoOrthographicCamera::getClassTypeId());
    if (!orthographic && !camera.isOfType(SoPerspectiveCamera::getClassTypeId())) return;
    SbMatrix local;
    local.setTransform(camera.position.getValue(), camera.orientation.getValue(),
                       SbVec3f(1.0f, 1.0f, 1.0f));
    const SbMatrix placed = local * model;
    SbVec3f position, scale;
    SbRotation orientation, scaleOrientation;
    placed.getTransform(position, orientation, scale, scaleOrientation);
    const float unit = std::cbrt(std::fabs(scale[0] * scale[1] * scale[2]));
    SbVec3f centre;
    placed.multVecMatrix(SbVec3f(0.0f, 0.0f, -camera.focalDistance.getValue()), centre);

    m_writer.beginNode(orthographic ? "OrthoViewpoint" : "Viewpoint");
    m_writer.field("position", position.getValue(), 3);
    SbVec3f axis;
    float angle = 0.0f;
    orientation.getValue(axis, angle);
    const float rotation[4] = {axis[0], axis[1], axis[2], angle};
    m_writer.field("orientation", rotation, 4);
    m_writer.field("centerOfRotation", centre.getValue(), 3);
    if (orthographic) {
      const float half = static_cast<const SoOrthographicCamera &>(camera).height.getValue() * 0.5f * unit;
      const float box[4] = {-half, -half, half, half};
      m_writer.field("fieldOfView", box, 4, true);
    } else {
      m_writer.field("fieldOfView",
                     static_cast<const SoPerspectiveCamera &>(camera).heightAngle.getValue());
    }
    const float nearDistance = camera.nearDistance.getValue() * unit;
    const float farDistance = camera.farDistance.getValue() * unit;
    if (nearDistance > 0.0f && farDistance > nearDistance) {
      m_writer.field("nearDistance", nearDistance);
      m_writer.field("farDistance", farDistance);
    }
    m_writer.endNode();
  }

  // One pair of a border's edges: an orthographic view that keeps exactly
  // one axis from edge to edge however the window is shaped (X3D widens an
  // OrthoViewpoint's other axis to the viewport), and lines along that
  // axis's two edges reaching past the other.
  void borderLayer(const ViewLayer &layer, bool horizontal) {
    beginLayer(layer);
    m_writer.beginNode("NavigationInfo");
    m_writer.field("headlight", false);
    m_writer.field("type", std::vector<std::string>{"NONE"});
    m_writer.endNode();
    m_writer.beginNode("OrthoViewpoint");
    const float thin = 1.0f / kBorderReach;
    const float box[4] = {horizontal ? -thin : -1.0f, horizontal ? -1.0f : -thin,
                          horizontal ? thin : 1.0f, horizontal ? 1.0f : thin};
    m_writer.field("fieldOfView", box, 4, true);
    m_writer.endNode();

    m_writer.beginNode("Shape");
    m_writer.beginNodeField("appearance");
    m_writer.beginNode("Appearance");
    m_writer.beginNodeField("material");
    m_writer.beginNode("Material");
    const float none[3] = {0.0f, 0.0f, 0.0f};
    m_writer.field("diffuseColor", none, 3);
    m_writer.field("emissiveColor", layer.border.colour.getValue(), 3);
    if (layer.border.transparency > 0.0f) m_writer.field("transparency", layer.border.transparency);
    m_writer.endNode();
    m_writer.endNodeField();
    m_writer.beginNodeField("lineProperties");
    m_writer.beginNode("LineProperties");
    // Twice the border's width in whole pixels, as rendering draws it: the
    // lines lie on the layer's edges and its viewport cuts off their outer
    // halves, leaving the border's width inside the view.
    m_writer.field("linewidthScaleFactor",
                   2.0f * std::max(1.0f, std::round(layer.border.lineWidth)));
    m_writer.endNode();
    m_writer.endNodeField();
    m_writer.endNode();
    m_writer.endNodeField();

    m_writer.beginNodeField("geometry");
    m_writer.beginNode("IndexedLineSet");
    const int indices[6] = {0, 1, -1, 2, 3, -1};
    m_writer.field("coordIndex", indices, 6);
    m_writer.beginNodeField("coord");
    m_writer.beginNode("Coordinate");
    const float r = kBorderReach;
    const float across[12] = {-r, -1, 0, r, -1, 0, -r, 1, 0, r, 1, 0};
    const float along[12] = {-1, -r, 0, -1, r, 0, 1, -r, 0, 1, r, 0};
    m_writer.field("point", horizontal ? across : along, 12, true);
    m_writer.endNode();
    m_writer.endNodeField();
    m_writer.endNode();
    m_writer.endNodeField();
    m_writer.endNode();
    endLayer();
  }

  X3DWriter &m_writer;
  const ViewLayers &m_layers;
  const VRML2SceneConversion &m_conversion;
  bool m_headlight;
};

} // namespace

void PoToX3DAction::apply(SoNode *node) {
  m_text.clear();
  if (!node) return;
  // Core-library nodes may still rebuild during this pass, and only here.
  // Its box is not used. Coin's separators cache no box in camera space;
  // building caches would cost each separator as many steps as it is deep.
  SbViewportRegion region;
  std::unique_ptr<SoGetBoundingBoxAction> bounds(new SoGetBoundingBoxAction(region));
  bounds->setInCameraSpace(TRUE);
  bounds->apply(node);

  PoRebuildBlock block;
  ViewLayers layers(node);
  std::vector<SoNode *> contents;
  for (int i = 0; i < layers.getNumLayers(); ++i) contents.push_back(layers.getLayer(i).content);
  std::unique_ptr<SoToVRML2Action> spare;
  SoToVRML2Action *engine = conversionEngine(*this, m_coinConversionRun, spare);
  // All layers in one conversion, so that what they share converts once.
  VRML2SceneConversion conversion(contents, engine, true);

  X3DWriter writer(m_text, m_encoding == XML ? X3DWriter::Encoding::XML
                                             : X3DWriter::Encoding::ClassicVRML);
  std::vector<X3DWriter::Component> components{{"Layering", 1}, {"Navigation", 3}, {"Shape", 2}};
  // Labels and triads are placed in pixels by the Layout component.
  for (int i = 1; i < layers.getNumLayers(); ++i)
    if (layers.getLayer(i).overlay.shown()) {
      components.push_back({"Layout", 1});
      break;
    }
  writer.beginDocument("Immersive", components, kGenerator);
  LayerSetWriter(writer, layers, conversion, m_headlight != FALSE).write();
  writer.endDocument();
}
