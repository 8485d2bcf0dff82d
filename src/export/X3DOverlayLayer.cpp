#include "X3DOverlayLayer.h"

#include "AxisTriad.h"
#include "OverlayMetrics.h"
#include "ViewLayers.h"
#include "X3DWriter.h"

#include <Inventor/SbVec3f.h>

#include <QByteArray>
#include <QString>

#include <cmath>
#include <string>
#include <vector>

namespace {

// The label's lines, in UTF-8 as both encodings are (what is no UTF-8 in
// the label becomes U+FFFD), without the control characters neither can
// carry.
std::vector<std::string> labelLines(const std::string &label) {
  const QByteArray utf8 = QString::fromUtf8(label.data(), int(label.size())).toUtf8();
  std::vector<std::string> lines(1);
  for (char c : utf8) {
    if (c == '\n')
      lines.emplace_back();
    else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f)
      lines.back() += c;
  }
  return lines;
}

// A LayoutGroup whose children are in pixels from the point `offset`
// pixels in from one corner of the view ("LEFT"/"TOP", "LEFT"/"BOTTOM").
void beginCornerGroup(X3DWriter &writer, const char *vertical, float right, float up) {
  writer.beginNode("LayoutGroup");
  writer.beginNodeField("layout");
  writer.beginNode("Layout");
  writer.field("align", std::vector<std::string>{"LEFT", vertical});
  writer.field("offsetUnits", std::vector<std::string>{"PIXEL", "PIXEL"});
  const float offset[2] = {right, up};
  writer.field("offset", offset, 2, true);
  writer.field("sizeUnits", std::vector<std::string>{"PIXEL", "PIXEL"});
  const float size[2] = {0.0f, 0.0f};
  writer.field("size", size, 2, true);
  writer.field("scaleMode", std::vector<std::string>{"PIXEL", "PIXEL"});
  writer.endNode();
  writer.endNodeField();
  writer.beginNodeList("children");
}

void endCornerGroup(X3DWriter &writer) {
  writer.endNodeList();
  writer.endNode();
}

void label(X3DWriter &writer, const ViewOverlay &overlay, float inset) {
  // Browsers set the text in fonts of their own: the first line's baseline
  // goes where the render has it.
  beginCornerGroup(writer, "TOP", inset, -(inset + OverlayMetrics::kLabelAscent));
  writer.beginNode("Shape");
  writer.beginNodeField("appearance");
  writer.beginNode("Appearance");
  writer.beginNodeField("material");
  writer.beginNode("Material");
  const float none[3] = {0.0f, 0.0f, 0.0f};
  writer.field("diffuseColor", none, 3);
  writer.field("emissiveColor", overlay.labelColour.getValue(), 3);
  writer.endNode();
  writer.endNodeField();
  writer.endNode();
  writer.endNodeField();
  writer.beginNodeField("geometry");
  writer.beginNode("Text");
  writer.field("string", labelLines(overlay.label));
  writer.beginNodeField("fontStyle");
  writer.beginNode("FontStyle");
  writer.field("family", std::vector<std::string>{"SANS"});
  writer.field("size", OverlayMetrics::kLabelTextSize);
  writer.field("justify", std::vector<std::string>{"BEGIN", "FIRST"});
  writer.endNode();
  writer.endNodeField();
  writer.endNode();
  writer.endNodeField();
  writer.endNode();
  endCornerGroup(writer);
}

// One shape for the axes or for their letters, each line in its axis's
// colour. The depth of each axis's tip (a pixel at most) keeps nearer axes
// over farther ones.
void triadLines(X3DWriter &writer, const std::vector<TriadLine> &lines,
                const std::vector<float> &depths, bool letters) {
  std::vector<float> points, colours;
  std::vector<int> indices;
  for (const TriadLine &line : lines) {
    if (line.letter != letters) continue;
    const float depth = depths[std::size_t(line.axis)];
    const int first = int(points.size() / 3);
    // An axis runs from the centre, at depth 0, to its tip.
    points.insert(points.end(), {line.from[0], line.from[1], line.letter ? depth : 0.0f});
    points.insert(points.end(), {line.to[0], line.to[1], depth});
    indices.insert(indices.end(), {first, first + 1, -1});
    const SbColor colour = axisColour(line.axis);
    colours.insert(colours.end(), {colour[0], colour[1], colour[2]});
  }
  writer.beginNode("Shape");
  writer.beginNodeField("appearance");
  writer.beginNode("Appearance");
  writer.beginNodeField("lineProperties");
  writer.beginNode("LineProperties");
  writer.field("linewidthScaleFactor",
               letters ? OverlayMetrics::kLetterStrokeWidth : OverlayMetrics::kAxisWidth);
  writer.endNode();
  writer.endNodeField();
  writer.endNode();
  writer.endNodeField();
  writer.beginNodeField("geometry");
  writer.beginNode("IndexedLineSet");
  writer.field("colorPerVertex", false);
  writer.field("coordIndex", indices.data(), int(indices.size()));
  writer.beginNodeField("color");
  writer.beginNode("Color");
  writer.field("color", colours.data(), int(colours.size()), true);
  writer.endNode();
  writer.endNodeField();
  writer.beginNodeField("coord");
  writer.beginNode("Coordinate");
  writer.field("point", points.data(), int(points.size()), true);
  writer.endNode();
  writer.endNodeField();
  writer.endNode();
  writer.endNodeField();
  writer.endNode();
}

void triad(X3DWriter &writer, const ViewOverlay &overlay, float inset) {
  const float centre = inset + std::round(OverlayMetrics::kTriadRadius) + 0.5f;
  beginCornerGroup(writer, "BOTTOM", centre, centre);
  const std::vector<TriadLine> lines = triadLines(overlay.cameraOrientation, 1.0f);
  std::vector<float> depths(3);
  const SbRotation toEye = overlay.cameraOrientation.inverse();
  for (int axis = 0; axis < 3; ++axis) {
    SbVec3f direction(0, 0, 0), eye;
    direction[axis] = 1.0f;
    toEye.multVec(direction, eye);
    depths[std::size_t(axis)] = eye[2];
  }
  triadLines(writer, lines, depths, false);
  triadLines(writer, lines, depths, true);
  endCornerGroup(writer);
}

} // namespace

void writeOverlayLayer(X3DWriter &writer, const ViewLayer &layer, const float clipBoundary[4]) {
  writer.beginNode("LayoutLayer");
  writer.beginNodeField("viewport");
  writer.beginNode("Viewport");
  writer.field("clipBoundary", clipBoundary, 4, true);
  writer.endNode();
  writer.endNodeField();
  writer.beginNodeList("children");
  const ViewOverlay &overlay = layer.overlay;
  const float inset = overlay.inset + OverlayMetrics::kMargin;
  if (!overlay.label.empty()) label(writer, overlay, inset);
  if (overlay.axes) triad(writer, overlay, inset);
  writer.endNodeList();
  writer.endNode();
}
