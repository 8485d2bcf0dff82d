#ifndef BRENNICQT_SOMODIFYLOGICALVIEWPORTELEMENT_H
#define BRENNICQT_SOMODIFYLOGICALVIEWPORTELEMENT_H

#include "ValueElement.h"

#include <Inventor/SbVec4f.h>

// The whole logical viewport, (0, 0, 1, 1): what a render covers until a
// tile says otherwise.
struct LogicalViewportPortion : SbVec4f {
  LogicalViewportPortion() : SbVec4f(0.0f, 0.0f, 1.0f, 1.0f) {}
};

// The part of the logical viewport that the current render covers, as
// (x min, y min, x max, y max) in normalised logical-viewport coordinates.
class SoModifyLogicalViewportElement : public ValueElement<LogicalViewportPortion> {
  typedef ValueElement<LogicalViewportPortion> inherited;
  SO_ELEMENT_HEADER(SoModifyLogicalViewportElement);

public:
  static void initClass();

  static const SbVec4f &get(SoState *state);
  static void set(SoState *state, const SbVec4f &portion);

protected:
  ~SoModifyLogicalViewportElement() override;
};

#endif
