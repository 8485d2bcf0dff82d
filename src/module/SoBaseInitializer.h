#ifndef BRENNICQT_SOBASEINITIALIZER_H
#define BRENNICQT_SOBASEINITIALIZER_H

class SoBase;

// Brackets the construction of a node. Coin needs no bookkeeping around a
// constructor, so this only marks the span in which the object is being built.
class SoBaseInitializer {
public:
  explicit SoBaseInitializer(SoBase *object) : m_object(object) {}
  SoBaseInitializer(const SoBaseInitializer &) = delete;
  SoBaseInitializer &operator=(const SoBaseInitializer &) = delete;
  SoBase *getObject() const { return m_object; }

private:
  SoBase *m_object;
};

#endif
