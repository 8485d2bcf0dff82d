#ifndef BRENNICQT_HIDDENPARTS_H
#define BRENNICQT_HIDDENPARTS_H

#include <initializer_list>

class SoAction;
class SoBaseKit;
class SoNode;

// Traverses a view kit's children for a search or bounding-box action
// without the parts in `hidden` (null entries are ignored): decorations
// drawn with cameras of their own in the view's rectangle, which occupy no
// place in the world and whose cameras a viewer must never adopt. The nodes
// in `above` are the parts the hidden ones hang under; they are walked the
// same way, child by child, so that the action's path stays the one Coin
// builds. Everything else is traversed as usual. Answers false, having done
// nothing, for an action applied to a path into the kit (it goes where the
// path leads) and when no part is hidden.
bool traverseWithoutParts(SoBaseKit *kit, SoAction *action,
                          std::initializer_list<SoNode *> hidden,
                          std::initializer_list<SoNode *> above);

#endif
