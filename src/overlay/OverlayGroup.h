#ifndef BRENNICQT_OVERLAYGROUP_H
#define BRENNICQT_OVERLAYGROUP_H

class SbString;
class SoGroup;

// Registers the node classes of the overlays and of the looks of labels and
// active borders, once; view kits call it before they enter them in their
// catalogs.
void initOverlayClasses();

// What a view draws over its scene besides its border: its label (when the
// text is not empty) and its axis triad (when asked for), under a camera
// that spans the view's rectangle, as the border's does, and unpickable.
// Null when there is neither. `framed`: the view's border is shown, and the
// line width in force where the group is drawn is the border's, which the
// overlays keep clear of.
SoGroup *newOverlayGroup(const SbString &label, bool axes, bool framed);

#endif
