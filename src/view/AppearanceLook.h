#ifndef BRENNICQT_APPEARANCELOOK_H
#define BRENNICQT_APPEARANCELOOK_H

#include <Inventor/SbColor.h>
#include <Inventor/nodekits/SoBaseKit.h>

class SoNode;

// A part of a view kit, made if needed, when it is of the expected type; an
// application may have put an appearance kit of its own there.
template <class Node> Node *partOfType(SoBaseKit *kit, const char *name) {
  SoNode *node = kit->getPart(name, TRUE);
  return node && node->isOfType(Node::getClassTypeId()) ? static_cast<Node *>(node) : nullptr;
}

struct AppearanceLook {
  SbColor colour;
  float lineWidth;
};

// The colour and line width an appearance kit leaves in force, as Coin
// traverses it from its default state with `startColour` as the diffuse
// colour: what its material and draw style set, the start and Coin's
// defaults for what they leave out (or for a missing kit). Reading through
// a traversal honours whatever the kit holds (ignored and overridden
// fields, other parts) as drawing does, and makes no part.
AppearanceLook lookOf(SoNode *appearance, const SbColor &startColour);

// Whether an appearance part holds what construction puts there and nothing
// else: with `unlit` (a scene view's background) a plain appearance kit with
// the base-colour light model alone, otherwise nothing, an empty appearance
// kit looking the same as none. Reading a file that lacks the part gives the
// kit exactly that again, so the part need not be written.
bool holdsConstructionLook(const SoNode *node, bool unlit);

#endif
