#ifndef BRENNICQT_SOCURRENTVIEWELEMENT_H
#define BRENNICQT_SOCURRENTVIEWELEMENT_H

#include <Inventor/elements/SoSubElement.h>

class SoNode;

// The view whose rectangle the traversal is in: what a view sets for its
// subtree, together with its viewport. Null outside every view. Nodes a view
// draws over its scene (its overlays, its border) find their view's camera
// through it; a path would name only the outermost node kit.
class SoCurrentViewElement : public SoElement {
  typedef SoElement inherited;
  SO_ELEMENT_HEADER(SoCurrentViewElement);

public:
  static void initClass();

  virtual void init(SoState *state);
  virtual void push(SoState *state);
  virtual SbBool matches(const SoElement *element) const;
  virtual SoElement *copyMatchInfo() const;

  // Null when no view is in force or the state does not carry the element.
  static SoNode *get(SoState *state);
  static void set(SoState *state, SoNode *view);

protected:
  virtual ~SoCurrentViewElement();

private:
  SoNode *m_view;
};

#endif
