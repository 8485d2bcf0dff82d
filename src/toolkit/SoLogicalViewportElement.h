#ifndef BRENNICQT_SOLOGICALVIEWPORTELEMENT_H
#define BRENNICQT_SOLOGICALVIEWPORTELEMENT_H

#include "ValueElement.h"

#include <Inventor/SbViewportRegion.h>

struct ScaledViewportRegion;

// What the element holds: the logical viewport and its scale, and whether
// someone has set them.
struct LogicalViewport {
  SbViewportRegion region;
  float scale = 1.0f;
  bool isSet = false;
  bool operator==(const LogicalViewport &other) const {
    return isSet == other.isSet && region == other.region && scale == other.scale;
  }
};

// The viewport the picture is composed in when a render covers only part of
// it (tiles, views cut by the window). Until someone sets it, the logical
// viewport is the viewport region of the traversal itself.
class SoLogicalViewportElement : public ValueElement<LogicalViewport> {
  typedef ValueElement<LogicalViewport> inherited;
  SO_ELEMENT_HEADER(SoLogicalViewportElement);

public:
  static void initClass();

  static const SbViewportRegion &get(SoState *state);
  // A plain region has the scale 1.
  static void set(SoState *state, const SbViewportRegion &region);
  static void set(SoState *state, const ScaledViewportRegion &region);
  // The viewport scale set with the logical viewport; 1 until one is set.
  static float getScale(SoState *state);
  // Whether a logical viewport has been set in this state.
  static bool isSet(SoState *state);

protected:
  ~SoLogicalViewportElement() override;

private:
  static void store(SoState *state, const SbViewportRegion &region, float scale);
};

#endif
