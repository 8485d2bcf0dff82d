#include "KeptTileElement.h"

SO_ELEMENT_SOURCE(KeptTileElement);

void KeptTileElement::initClass() { SO_ELEMENT_INIT_CLASS(KeptTileElement, inherited); }

KeptTileElement::~KeptTileElement() {}

void KeptTileElement::setTile(SoState *state, const Tile &tile) {
  KeptTileRecord *record = valueToSet(state, classStackIndex);
  if (!record) return;
  record->tile = tile;
  record->frame = Frame{-double(tile.drawnX), -double(tile.drawnY), double(tile.pictureWidth),
                        double(tile.pictureHeight)};
  record->inTile = true;
  record->viewOutside = false;
}

const KeptTileElement::Tile *KeptTileElement::getTile(SoState *state) {
  const KeptTileRecord *record = valueIn(state, classStackIndex);
  return record && record->inTile ? &record->tile : nullptr;
}

void KeptTileElement::setFrame(SoState *state, const Frame &frame) {
  if (!getTile(state)) return;
  if (KeptTileRecord *record = valueToSet(state, classStackIndex)) record->frame = frame;
}

const KeptTileElement::Frame *KeptTileElement::getFrame(SoState *state) {
  const KeptTileRecord *record = valueIn(state, classStackIndex);
  return record && record->inTile ? &record->frame : nullptr;
}

void KeptTileElement::setViewOutside(SoState *state, bool outside, int drawStyle) {
  KeptTileRecord *record = valueToSet(state, classStackIndex);
  if (!record) return;
  record->viewOutside = outside;
  record->drawStyleBefore = drawStyle;
}

bool KeptTileElement::isViewOutside(SoState *state) {
  const KeptTileRecord *record = valueIn(state, classStackIndex);
  return record && record->viewOutside;
}

int KeptTileElement::getDrawStyleBefore(SoState *state) {
  const KeptTileRecord *record = valueIn(state, classStackIndex);
  return record ? record->drawStyleBefore : 0;
}
