#ifndef BRENNICQT_SOMODIFYVIEWVOLUMEELEMENT_H
#define BRENNICQT_SOMODIFYVIEWVOLUMEELEMENT_H

#include "ValueElement.h"

#include <Inventor/SbBox3f.h>
#include <Inventor/SbVec4f.h>

// What the element holds. The info value is a mark, not a look: caches
// that differ in it alone still match.
struct ViewVolumePortion {
  SbVec4f portion{0.0f, 0.0f, 1.0f, 1.0f};
  SbBox3f box{0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f};
  int info = 0;
  bool operator==(const ViewVolumePortion &other) const {
    return portion == other.portion && box == other.box;
  }
};

// The portion of the view volume that the current traversal renders, as
// (x min, y min, x max, y max) in normalised view-volume coordinates, plus an
// integer info value the views use to mark that the portion of the current
// render traversal has been recorded (0 until someone sets it).
class SoModifyViewVolumeElement : public ValueElement<ViewVolumePortion> {
  typedef ValueElement<ViewVolumePortion> inherited;
  SO_ELEMENT_HEADER(SoModifyViewVolumeElement);

public:
  static void initClass();

  // The whole view volume. A plain value, usable before the toolkit is set up.
  static SbVec4f getDefault();

  static const SbVec4f &get(SoState *state);
  static const SbBox3f &getBox(SoState *state);
  static void set(SoState *state, SbVec4f &portion);
  // x and y of the box give the portion; z is kept as the depth portion.
  static void set(SoState *state, SbBox3f &box);

  static int getInfo(SoState *state);
  static void setInfo(SoState *state, int info);

  // The element instance in force, or null when the state does not carry this
  // element. The out-argument receives the stack index.
  static const SoModifyViewVolumeElement *getInstance(const SoState *state,
                                                      int &stackIndex);

protected:
  ~SoModifyViewVolumeElement() override;
};

#endif
