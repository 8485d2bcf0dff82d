#ifndef BRENNICQT_SOMODIFYLOGICALVIEWPORTELEMENT_H
#define BRENNICQT_SOMODIFYLOGICALVIEWPORTELEMENT_H

#include <Inventor/elements/SoSubElement.h>
#include <Inventor/SbVec4f.h>

// The part of the logical viewport that the current render covers, as
// (x min, y min, x max, y max) in normalised logical-viewport coordinates.
class SoModifyLogicalViewportElement : public SoElement {
  typedef SoElement inherited;
  SO_ELEMENT_HEADER(SoModifyLogicalViewportElement);

public:
  static void initClass();

  virtual void init(SoState *state);
  virtual void push(SoState *state);
  virtual SbBool matches(const SoElement *element) const;
  virtual SoElement *copyMatchInfo() const;

  static const SbVec4f &get(SoState *state);
  static void set(SoState *state, const SbVec4f &portion);

protected:
  virtual ~SoModifyLogicalViewportElement();

private:
  SbVec4f m_portion;
};

#endif
