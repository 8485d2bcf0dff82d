#ifndef BRENNICQT_SOLOGICALVIEWPORTELEMENT_H
#define BRENNICQT_SOLOGICALVIEWPORTELEMENT_H

#include <Inventor/elements/SoSubElement.h>
#include <Inventor/SbViewportRegion.h>

// The viewport the picture is composed in when a render covers only part of
// it (tiles, views cut by the window). Until someone sets it, the logical
// viewport is the viewport region of the traversal itself.
class SoLogicalViewportElement : public SoElement {
  typedef SoElement inherited;
  SO_ELEMENT_HEADER(SoLogicalViewportElement);

public:
  static void initClass();

  virtual void init(SoState *state);
  virtual void push(SoState *state);
  virtual SbBool matches(const SoElement *element) const;
  virtual SoElement *copyMatchInfo() const;

  static const SbViewportRegion &get(SoState *state);
  static void set(SoState *state, const SbViewportRegion &region);
  // Whether a logical viewport has been set in this state.
  static bool isSet(SoState *state);

protected:
  virtual ~SoLogicalViewportElement();

private:
  SbViewportRegion m_region;
  bool m_isSet;
};

#endif
