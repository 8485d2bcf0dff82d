#ifndef BRENNICQT_CONVERSIONENGINE_H
#define BRENNICQT_CONVERSIONENGINE_H

#include <memory>

class SoToVRML2Action;

// The Coin action that converts for one apply of an export action that is
// itself a Coin conversion action (owner).
//
// Coin's actions cost more to make than to run (each registers a callback
// for every node type), so the first conversion runs on the owner itself.
// Coin's action hands out what it converted before instead of converting a
// changed graph again, and what it hands out may have been freed with the
// result it belonged to: every later apply converts on a spare action of its
// own, made with the owner's settings and kept in spare. ownerUsed records
// that the owner has converted once.
SoToVRML2Action *conversionEngine(SoToVRML2Action &owner, bool &ownerUsed,
                                  std::unique_ptr<SoToVRML2Action> &spare);

#endif
