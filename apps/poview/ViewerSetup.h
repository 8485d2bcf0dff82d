#ifndef POVIEW_VIEWERSETUP_H
#define POVIEW_VIEWERSETUP_H

#include "ToolOptions.h"

class SoQtViewer;

// Gives a viewer the rendering options' background colour and headlight, so
// that it shows what 'poview render' draws with the same options.
void applyRenderingOptions(SoQtViewer &viewer, const RenderingOptions &options);

// Sizes a shown viewer's window so that its drawing area, within whatever
// decorations the viewer and its window have, is `size`.
void fitDrawingArea(SoQtViewer &viewer, ImageSize size);

#endif
