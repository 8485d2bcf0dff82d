#ifndef BRENNICQT_X3DOVERLAYLAYER_H
#define BRENNICQT_X3DOVERLAYLAYER_H

class X3DWriter;
struct ViewLayer;

// A view's label and axis triad as an X3D LayoutLayer over the view's
// rectangle (`clipBoundary`: left, right, bottom, top), placed in pixels
// from the view's corners as rendering places them: the label's first line
// at the top left, the triad at the bottom left, both clear of the border.
// The triad is drawn for the camera as it is written; X3D browsers keep it
// as it is while the user moves the view.
void writeOverlayLayer(X3DWriter &writer, const ViewLayer &layer, const float clipBoundary[4]);

#endif
