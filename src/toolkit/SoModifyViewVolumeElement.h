#ifndef BRENNICQT_SOMODIFYVIEWVOLUMEELEMENT_H
#define BRENNICQT_SOMODIFYVIEWVOLUMEELEMENT_H

#include <Inventor/elements/SoSubElement.h>
#include <Inventor/SbBox3f.h>
#include <Inventor/SbVec4f.h>

// The portion of the view volume that the current traversal renders, as
// (x min, y min, x max, y max) in normalised view-volume coordinates, plus an
// integer info value the views use to mark that the portion of the current
// render traversal has been recorded (0 until someone sets it).
class SoModifyViewVolumeElement : public SoElement {
  typedef SoElement inherited;
  SO_ELEMENT_HEADER(SoModifyViewVolumeElement);

public:
  static void initClass();

  virtual void init(SoState *state);
  virtual void push(SoState *state);
  virtual SbBool matches(const SoElement *element) const;
  virtual SoElement *copyMatchInfo() const;

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
  virtual ~SoModifyViewVolumeElement();

private:
  SbVec4f m_portion;
  SbBox3f m_box;
  int m_info;
};

#endif
