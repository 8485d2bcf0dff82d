#ifndef BRENNICQT_TESTS_ELEMENTPROBE_H
#define BRENNICQT_TESTS_ELEMENTPROBE_H

#include <Inventor/SbBox3f.h>
#include <Inventor/SbVec2f.h>
#include <Inventor/SbVec2s.h>
#include <Inventor/SbVec4f.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoType.h>

class SoAction;
class SoCallback;

// What the traversal state holds where a probe is reached.
struct ElementSnapshot {
  SoType actionType;
  int depth = 0;
  SbViewportRegion viewport;
  SbVec4f portion;
  SbBox3f box;
  int info = 0;
  bool logicalIsSet = false;
  SbViewportRegion logical;
  float logicalScale = 0.0f;
  // GL render actions only.
  SbVec2f updateOrigin, updateSize;
  bool scissorEnabled = false;
  int scissorBox[4] = {0, 0, 0, 0};
  // The view classes' recorded values.
  SbVec4f recordedPortion;
  SbVec2s recordedLogicalSize;
};

// A callback node that takes a snapshot of the traversal state each time an
// action reaches it. Place it after a view to see what the view set.
class ElementProbe {
public:
  ElementProbe();
  ~ElementProbe();
  ElementProbe(const ElementProbe &) = delete;
  ElementProbe &operator=(const ElementProbe &) = delete;

  SoCallback *node() const { return m_node; }
  int calls() const { return m_calls; }
  const ElementSnapshot &last() const { return m_last; }
  void reset() { m_calls = 0; m_last = ElementSnapshot(); }

private:
  static void probeCB(void *probe, SoAction *action);
  SoCallback *m_node;
  int m_calls = 0;
  ElementSnapshot m_last;
};

#endif
