#ifndef BRENNICQT_VALUEELEMENT_H
#define BRENNICQT_VALUEELEMENT_H

#include <Inventor/elements/SoSubElement.h>
#include <Inventor/misc/SoState.h>

// The stack mechanics of an element that holds one value: the first depth
// holds Value's own default, a new depth starts from the value below, caches
// compare values with Value's ==, and a cache's copy holds the value. Each
// element keeps its own Coin type (SO_ELEMENT_HEADER) and says only what its
// value is, how it starts and how it is read and set.
template <class Value>
class ValueElement : public SoElement {
public:
  void init(SoState *state) override {
    SoElement::init(state);
    m_value = Value{};
  }
  void push(SoState *state) override {
    SoElement::push(state);
    m_value = static_cast<const ValueElement *>(getNextInStack())->m_value;
  }
  SbBool matches(const SoElement *element) const override {
    return static_cast<const ValueElement *>(element)->m_value == m_value;
  }
  SoElement *copyMatchInfo() const override {
    auto *copy = static_cast<ValueElement *>(getTypeId().createInstance());
    copy->m_value = m_value;
    return copy;
  }

protected:
  // The value in force, or null where the state does not carry the element;
  // the element's own type gives the stack index.
  static const Value *valueIn(SoState *state, int stackIndex) {
    const auto *element = static_cast<const ValueElement *>(getConstElement(state, stackIndex));
    return element ? &element->m_value : nullptr;
  }
  // The value to change at the current depth, or null where the state does
  // not carry the element.
  static Value *valueToSet(SoState *state, int stackIndex) {
    auto *element = static_cast<ValueElement *>(getElement(state, stackIndex));
    return element ? &element->m_value : nullptr;
  }

  Value m_value;
};

#endif
