// Typed setters for the look of a scene view's decorations. They write the
// appearance kits "backgroundApp" and "borderApp", which is what files keep.

#include "PoSceneView.h"

#include <Inventor/nodes/SoDrawStyle.h>
#include <Inventor/nodes/SoMaterial.h>

namespace {

// The part, made if needed, when it is of the expected type; an application
// may have put an appearance kit of its own there.
template <class Node> Node *partOfType(PoSceneView *view, const char *name) {
  SoNode *node = view->getPart(name, TRUE);
  return node && node->isOfType(Node::getClassTypeId()) ? static_cast<Node *>(node) : nullptr;
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
