#include "KeptTileElement.h"

#include <Inventor/misc/SoState.h>

#include <cstring>

SO_ELEMENT_SOURCE(KeptTileElement);

void KeptTileElement::initClass() { SO_ELEMENT_INIT_CLASS(KeptTileElement, inherited); }

KeptTileElement::~KeptTileElement() {}

void KeptTileElement::init(SoState *state) {
  inherited::init(state);
  m_tile = Tile{};
  m_frame = Frame{};
  m_inTile = false;
  m_viewOutside = false;
  m_drawStyleBefore = 0;
}

void KeptTileElement::push(SoState *state) {
  inherited::push(state);
  const auto *below = static_cast<const KeptTileElement *>(getNextInStack());
  m_tile = below->m_tile;
  m_frame = below->m_frame;
  m_inTile = below->m_inTile;
  m_viewOutside = below->m_viewOutside;
  m_drawStyleBefore = below->m_drawStyleBefore;
}

SbBool KeptTileElement::matches(const SoElement *element) const {
  const auto *other = static_cast<const KeptTileElement *>(element);
  return other->m_inTile == m_inTile && other->m_viewOutside == m_viewOutside &&
         other->m_drawStyleBefore == m_drawStyleBefore &&
         std::memcmp(&other->m_tile, &m_tile, sizeof m_tile) == 0 &&
         std::memcmp(&other->m_frame, &m_frame, sizeof m_frame) == 0;
}

SoElement *KeptTileElement::copyMatchInfo() const {
  auto *copy = static_cast<KeptTileElement *>(getTypeId().createInstance());
  copy->m_tile = m_tile;
  copy->m_frame = m_frame;
  copy->m_inTile = m_inTile;
  copy->m_viewOutside = m_viewOutside;
  copy->m_drawStyleBefore = m_drawStyleBefore;
  return copy;
}

void KeptTileElement::setTile(SoState *state, const Tile &tile) {
  auto *element = static_cast<KeptTileElement *>(getElement(state, classStackIndex));
  if (!element) return;
  element->m_tile = tile;
  element->m_frame = Frame{-double(tile.drawnX), -double(tile.drawnY), double(tile.pictureWidth),
                           double(tile.pictureHeight)};
  element->m_inTile = true;
  element->m_viewOutside = false;
}

const KeptTileElement::Tile *KeptTileElement::getTile(SoState *state) {
  const auto *element =
      static_cast<const KeptTileElement *>(getConstElement(state, classStackIndex));
  return element && element->m_inTile ? &element->m_tile : nullptr;
}

void KeptTileElement::setFrame(SoState *state, const Frame &frame) {
  if (!getTile(state)) return;
  auto *element = static_cast<KeptTileElement *>(getElement(state, classStackIndex));
  if (element) element->m_frame = frame;
}

const KeptTileElement::Frame *KeptTileElement::getFrame(SoState *state) {
  const auto *element =
      static_cast<const KeptTileElement *>(getConstElement(state, classStackIndex));
  return element && element->m_inTile ? &element->m_frame : nullptr;
}

void KeptTileElement::setViewOutside(SoState *state, bool outside, int drawStyle) {
  auto *element = static_cast<KeptTileElement *>(getElement(state, classStackIndex));
  if (!element) return;
  element->m_viewOutside = outside;
  element->m_drawStyleBefore = drawStyle;
}

bool KeptTileElement::isViewOutside(SoState *state) {
  const auto *element =
      static_cast<const KeptTileElement *>(getConstElement(state, classStackIndex));
  return element && element->m_viewOutside;
}

int KeptTileElement::getDrawStyleBefore(SoState *state) {
  const auto *element =
      static_cast<const KeptTileElement *>(getConstElement(state, classStackIndex));
  return element ? element->m_drawStyleBefore : 0;
}
