#ifndef BRENNICQT_SOGETVIEW_H
#define BRENNICQT_SOGETVIEW_H

// Part of BrennicQt's inside: installed only because a public header needs
// it. Applications do not include it themselves.

#include <Inventor/SbVec2f.h>

// The toolkit's view-query interface: anything that claims a viewport of the
// render area answers these three questions. It carries no data, so it can sit
// beside a node kit as a second base.
class SoGetView {
public:
  virtual ~SoGetView() = default;
  virtual int getViewportIsEnabled() const = 0;
  virtual const SbVec2f getViewportOrigin() const = 0;
  virtual const SbVec2f getViewportSize() const = 0;
};

#endif
