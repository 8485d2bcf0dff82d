#ifndef BRENNICQT_CURRENTVIEWELEMENT_H
#define BRENNICQT_CURRENTVIEWELEMENT_H

#include "ValueElement.h"

class SoNode;

// The view whose rectangle the traversal is in: what a view sets for its
// subtree, together with its viewport. Null outside every view. Nodes a view
// draws over its scene (its overlays, its border) find their view's camera
// through it; a path would name only the outermost node kit.
class CurrentViewElement : public ValueElement<SoNode *> {
  typedef ValueElement<SoNode *> inherited;
  SO_ELEMENT_HEADER(CurrentViewElement);

public:
  static void initClass();

  // Null when no view is in force or the state does not carry the element.
  static SoNode *get(SoState *state);
  static void set(SoState *state, SoNode *view);

protected:
  ~CurrentViewElement() override;
};

#endif
