#ifndef BRENNICQT_SKIPPEDSCOPEELEMENT_H
#define BRENNICQT_SKIPPEDSCOPEELEMENT_H

#include <Inventor/elements/SoSubElement.h>

class SoAction;

// Lets a node pass by the rest of its scope: the nodes after it up to the end
// of the separator (or other state push) that holds it, with everything they
// hold, for whatever action is under way. Coin's groups stop at a terminated
// action; this element ends the termination again when the state pops the
// scope in which it was set, so the traversal goes on after that separator.
// Without a separator above it, the rest of the traversal is passed by.
class SkippedScopeElement : public SoElement {
  typedef SoElement inherited;
  SO_ELEMENT_HEADER(SkippedScopeElement);

public:
  static void initClass();

  // Ends the action's traversal up to the end of the current scope. False,
  // with nothing done, when the action's state does not carry the element:
  // nothing could then resume the traversal.
  static bool skipRestOfScope(SoAction *action);

  virtual void init(SoState *state);
  virtual void push(SoState *state);
  virtual void pop(SoState *state, const SoElement *prevTopElement);
  virtual SbBool matches(const SoElement *element) const;
  virtual SoElement *copyMatchInfo() const;

protected:
  virtual ~SkippedScopeElement();

private:
  // Set in the scope whose rest is passed by.
  bool m_skipping;
};

#endif
