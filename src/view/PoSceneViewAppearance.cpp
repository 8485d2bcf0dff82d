// Typed setters and getters for the look of a scene view's decorations. They
// write and read the appearance kits "backgroundApp" and "borderApp", which
// is what files keep.

#include "PoSceneView.h"

#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/nodes/SoDrawStyle.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoMaterial.h>

namespace {

// The part, made if needed, when it is of the expected type; an application
// may have put an appearance kit of its own there.
template <class Node> Node *partOfType(PoSceneView *view, const char *name) {
  SoNode *node = view->getPart(name, TRUE);
  return node && node->isOfType(Node::getClassTypeId()) ? static_cast<Node *>(node) : nullptr;
}

struct DecorationLook {
  const SoNode *appearance;
  SbColor colour;
  float lineWidth;
};

SoCallbackAction::Response noteLook(void *data, SoCallbackAction *action, const SoNode *node) {
  auto *look = static_cast<DecorationLook *>(data);
  if (node != look->appearance) return SoCallbackAction::CONTINUE;
  SbColor ambient, specular, emission;
  float shininess = 0.0f, transparency = 0.0f;
  action->getMaterial(ambient, look->colour, specular, emission, shininess, transparency);
  // Coin's default width, 0, draws lines one pixel wide.
  const float width = action->getLineWidth();
  look->lineWidth = width > 0.0f ? width : 1.0f;
  return SoCallbackAction::CONTINUE;
}

// The colour and line width the appearance kit leaves in force, as Coin
// traverses it from its default state: what its material and draw style set,
// Coin's defaults for what they leave out (or for a missing kit). Reading
// through a traversal honours whatever the kit holds (ignored and overridden
// fields, other parts) as drawing does, and makes no part.
DecorationLook lookOf(SoNode *appearance) {
  SoNode *traversed = appearance ? appearance : new SoGroup;
  traversed->ref();
  DecorationLook look{traversed, SbColor(0, 0, 0), 1.0f};
  SoCallbackAction action;
  action.addPostCallback(traversed->getTypeId(), noteLook, &look);
  action.apply(traversed);
  traversed->unref();
  return look;
}

} // namespace

// The background is drawn unlit (construction gives it a base-colour light
// model), the border's lines carry no normals and so are unlit as well: the
// diffuse colour is the colour seen.
void PoSceneView::setBackgroundColor(const SbColor &color) {
  if (SoMaterial *material = partOfType<SoMaterial>(this, "backgroundApp.material"))
    material->diffuseColor.setValue(color);
}

void PoSceneView::setBorderColor(const SbColor &color) {
  if (SoMaterial *material = partOfType<SoMaterial>(this, "borderApp.material"))
    material->diffuseColor.setValue(color);
}

void PoSceneView::setBorderWidth(float width) {
  if (SoDrawStyle *style = partOfType<SoDrawStyle>(this, "borderApp.drawStyle"))
    style->lineWidth.setValue(width);
}

SbColor PoSceneView::getBackgroundColor() const { return lookOf(backgroundApp.getValue()).colour; }

SbColor PoSceneView::getBorderColor() const { return lookOf(borderApp.getValue()).colour; }

float PoSceneView::getBorderWidth() const { return lookOf(borderApp.getValue()).lineWidth; }
