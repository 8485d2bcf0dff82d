// Which part names Coin can follow in a kit, decided without following them.
#include "PartPathCheck.h"

#include <Inventor/nodekits/SoSeparatorKit.h>
#include <Inventor/nodekits/SoShapeKit.h>
#include <Inventor/nodes/SoCube.h>
#include <gtest/gtest.h>

namespace {

struct KitRef {
  explicit KitRef(SoBaseKit *kit) : kit(kit) { kit->ref(); }
  ~KitRef() { kit->unref(); }
  SoBaseKit *kit;
};

} // namespace

TEST(PartPathCheck, SyntaxOutsideNameDotIndexIsRefused) {
  KitRef kit(new SoSeparatorKit);
  for (const char *name : {"childList[", "childList[]", "childList[x]", "childList[0]x",
                           "childList[0]]", "childList[-1]", "[0]", "appearance..material",
                           "appearance.", ".appearance", "childList[99999999999]"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(PartPath::isSound(kit.kit, name));
  }
}

TEST(PartPathCheck, IndexNeedsListAndDotNeedsKit) {
  KitRef kit(new SoSeparatorKit);
  EXPECT_TRUE(PartPath::isSound(kit.kit, "material"));
  EXPECT_TRUE(PartPath::isSound(kit.kit, "appearance.material"));
  EXPECT_TRUE(PartPath::isSound(kit.kit, "childList[3]"));
  EXPECT_TRUE(PartPath::isSound(kit.kit, "this"));
  EXPECT_FALSE(PartPath::isSound(kit.kit, "material[0]"));
  EXPECT_FALSE(PartPath::isSound(kit.kit, "appearance.material[0]"));
  EXPECT_FALSE(PartPath::isSound(kit.kit, "appearance.material.x"));
  EXPECT_FALSE(PartPath::isSound(kit.kit, "material.x")); // found in the appearance kit
  EXPECT_FALSE(PartPath::isSound(kit.kit, "childList.x"));
  EXPECT_FALSE(PartPath::isSound(kit.kit, "transform[0].x"));
  EXPECT_FALSE(PartPath::isSound(kit.kit, "this.appearance"));
  EXPECT_FALSE(PartPath::isSound(kit.kit, "this[0]"));
  EXPECT_FALSE(PartPath::isSoundToSet(kit.kit, "this"));
  EXPECT_TRUE(PartPath::isSoundToSet(kit.kit, "appearance.material"));
  // Names no catalog has are left to Coin, which does not find them.
  EXPECT_TRUE(PartPath::isSound(kit.kit, "nothing.here"));
}

// A dot after a list element follows the element that is there, or the one
// Coin would make when the list has a single item type.
TEST(PartPathCheck, ListElementsAreJudgedByWhatTheListHolds) {
  KitRef kit(new SoSeparatorKit);
  // SeparatorKit lists take ShapeKits and SeparatorKits, so Coin makes none.
  EXPECT_FALSE(PartPath::isSound(kit.kit, "childList[0].shape"));
  SoShapeKit *shapeKit = new SoShapeKit;
  ASSERT_TRUE(kit.kit->setPart("childList[0]", shapeKit));
  EXPECT_TRUE(PartPath::isSound(kit.kit, "childList[0].shape"));
  EXPECT_TRUE(PartPath::isSound(kit.kit, "childList[0].appearance.material"));
  EXPECT_FALSE(PartPath::isSound(kit.kit, "childList[0].shape.x"));
  EXPECT_FALSE(PartPath::isSound(kit.kit, "childList[1].shape"));
}
