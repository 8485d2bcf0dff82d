#ifndef BRENNICQT_SOLOGICALVIEWPORTELEMENT_H
#define BRENNICQT_SOLOGICALVIEWPORTELEMENT_H

#include <Inventor/elements/SoSubElement.h>
#include <Inventor/SbViewportRegion.h>

struct ScaledViewportRegion;

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
  // A plain region has the scale 1.
  static void set(SoState *state, const SbViewportRegion &region);
  static void set(SoState *state, const ScaledViewportRegion &region);
  // The viewport scale set with the logical viewport; 1 until one is set.
  static float getScale(SoState *state);
  // Whether a logical viewport has been set in this state.
  static bool isSet(SoState *state);

protected:
  virtual ~SoLogicalViewportElement();

private:
  static void store(SoState *state, const SbViewportRegion &region, float scale);

private:
  SbViewportRegion m_region;
  float m_scale;
  bool m_isSet;
};

#endif
