// Typed setters and getters for the look of a scene view's decorations. They
// write and read the appearance kits "backgroundApp", "borderApp",
// "activeBorderApp" and "labelApp", which is what files keep.

#include "PoSceneView.h"

#include "AppearanceLook.h"
#include "DecorationLooks.h"

#include <Inventor/nodes/SoDrawStyle.h>
#include <Inventor/nodes/SoMaterial.h>

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

void PoSceneView::setLabelColor(const SbColor &color) {
  if (SoMaterial *material = partOfType<SoMaterial>(this, "labelApp.material"))
    material->diffuseColor.setValue(color);
}

void PoSceneView::setActiveBorderColor(const SbColor &color) {
  if (SoMaterial *material = partOfType<SoMaterial>(this, "activeBorderApp.material"))
    material->diffuseColor.setValue(color);
}

namespace {
// Coin's default colour, where nothing sets one.
const SbColor kCoinDiffuse(0.8f, 0.8f, 0.8f);
} // namespace

SbColor PoSceneView::getBackgroundColor() const {
  return lookOf(backgroundApp.getValue(), kCoinDiffuse).colour;
}

SbColor PoSceneView::getBorderColor() const {
  return lookOf(borderApp.getValue(), kCoinDiffuse).colour;
}

float PoSceneView::getBorderWidth() const {
  return lookOf(borderApp.getValue(), kCoinDiffuse).lineWidth;
}

SbColor PoSceneView::getLabelColor() const {
  return lookOf(labelApp.getValue(), LabelLook::defaultColour()).colour;
}

SbColor PoSceneView::getActiveBorderColor() const {
  return lookOf(activeBorderApp.getValue(), ActiveBorderSeparator::defaultColour()).colour;
}
