#ifndef BRENNICQT_GUARDEDCOINKITS_H
#define BRENNICQT_GUARDEDCOINKITS_H

// Coin's own node kits crash on part names they cannot follow ("camera[0]",
// "material.x": an index on a part that is no list, a dot after a part that
// is no kit), just as ours did before they checked them. That is Coin's
// fault and not ours to fix, but left alone the fuzzer finds it again within
// seconds in every Coin kit of the seed files and looks at nothing else.
// So, for the fuzz run only, Coin's kits are made through subclasses that
// refuse those names with the same check our kits use. This hides exactly
// that one Coin fault: the subclasses change nothing else.
#include "PartPathCheck.h"

#include <Inventor/SoType.h>
#include <Inventor/lists/SoTypeList.h>
#include <Inventor/annex/ForeignFiles/SoSTLFileKit.h>
#include <Inventor/nodekits/SoAppearanceKit.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodekits/SoCameraKit.h>
#include <Inventor/nodekits/SoLightKit.h>
#include <Inventor/nodekits/SoSceneKit.h>
#include <Inventor/nodekits/SoSeparatorKit.h>
#include <Inventor/nodekits/SoShapeKit.h>
#include <Inventor/nodekits/SoWrapperKit.h>

#include <cstdio>
#include <cstdlib>

template <class Kit> class GuardedCoinKit : public Kit {
public:
  static void *createInstance() { return new GuardedCoinKit; }

protected:
  SoNode *getAnyPart(const SbName &name, SbBool make, SbBool leaf, SbBool pub) override {
    return PartPath::isSound(this, name.getString()) ? Kit::getAnyPart(name, make, leaf, pub)
                                                     : nullptr;
  }
  SoNodeKitPath *createPathToAnyPart(const SbName &name, SbBool make, SbBool leaf, SbBool pub,
                                     const SoPath *extend) override {
    return PartPath::isSound(this, name.getString())
               ? Kit::createPathToAnyPart(name, make, leaf, pub, extend)
               : nullptr;
  }
  SbBool setAnyPart(const SbName &name, SoNode *from, SbBool anypart) override {
    return PartPath::isSoundToSet(this, name.getString()) && Kit::setAnyPart(name, from, anypart);
  }
};

template <class Kit> SoType guardCoinKit() {
  SoType::overrideType(Kit::getClassTypeId(), &GuardedCoinKit<Kit>::createInstance);
  return Kit::getClassTypeId();
}

// Overrides the factories of every node kit Coin has registered; stops the
// run when one is left unguarded, so that a new kit type cannot slip by.
inline void guardCoinKits() {
  const SoType guarded[] = {
      guardCoinKit<SoBaseKit>(),      guardCoinKit<SoAppearanceKit>(),
      guardCoinKit<SoCameraKit>(),    guardCoinKit<SoLightKit>(),
      guardCoinKit<SoSceneKit>(),     guardCoinKit<SoSeparatorKit>(),
      guardCoinKit<SoShapeKit>(),     guardCoinKit<SoWrapperKit>(),
      guardCoinKit<SoSTLFileKit>()};
  SoTypeList kits;
  SoType::getAllDerivedFrom(SoBaseKit::getClassTypeId(), kits);
  for (int i = 0; i < kits.getLength(); ++i) {
    const SoType type = kits[i];
    if (!type.canCreateInstance()) continue;
    bool known = false;
    for (SoType g : guarded) known = known || g == type;
    // Our own kits check part names themselves.
    const char *name = type.getName().getString();
    if (!known && !(name[0] == 'P' && name[1] == 'o')) {
      std::fprintf(stderr, "Coin node kit %s is not guarded\n", name);
      std::abort();
    }
  }
}

#endif
