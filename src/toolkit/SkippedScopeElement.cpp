#include "SkippedScopeElement.h"

#include <Inventor/actions/SoAction.h>
#include <Inventor/misc/SoState.h>

SO_ELEMENT_SOURCE(SkippedScopeElement);

namespace {
// Coin lets only actions end their own traversal; a node that passes by a
// scope has to do it on their behalf.
struct Termination : SoAction {
  static void set(SoAction *action, SbBool terminated) {
    (action->*(&Termination::setTerminated))(terminated);
  }
};
} // namespace

void SkippedScopeElement::initClass() { SO_ELEMENT_INIT_CLASS(SkippedScopeElement, inherited); }

SkippedScopeElement::~SkippedScopeElement() {}

void SkippedScopeElement::init(SoState *state) {
  inherited::init(state);
  m_skipping = false;
}

void SkippedScopeElement::push(SoState *state) {
  inherited::push(state);
  m_skipping = false;
}

void SkippedScopeElement::pop(SoState *state, const SoElement *prevTopElement) {
  inherited::pop(state, prevTopElement);
  // Nothing has run since the termination was set in the scope now popped:
  // it is the one to end.
  if (static_cast<const SkippedScopeElement *>(prevTopElement)->m_skipping)
    Termination::set(state->getAction(), FALSE);
}

// The element never takes part in caches: it is set only where traversal
// ends, and read by no node.
SbBool SkippedScopeElement::matches(const SoElement *) const { return TRUE; }

SoElement *SkippedScopeElement::copyMatchInfo() const {
  return static_cast<SoElement *>(getTypeId().createInstance());
}

bool SkippedScopeElement::skipRestOfScope(SoAction *action) {
  SoState *state = action->getState();
  if (!state || !state->isElementEnabled(classStackIndex)) return false;
  auto *element = static_cast<SkippedScopeElement *>(getElement(state, classStackIndex));
  if (!element) return false;
  element->m_skipping = true;
  Termination::set(action, TRUE);
  return true;
}
