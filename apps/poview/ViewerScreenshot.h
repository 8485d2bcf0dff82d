#ifndef POVIEW_VIEWERSCREENSHOT_H
#define POVIEW_VIEWERSCREENSHOT_H

#include "ToolOptions.h"

#include <QImage>

#include <string>

class SoNode;

// A scripted session of `poview view`: the scene in a real examiner viewer
// (its own camera, headlight and automatic clipping, the event routing, the
// layout and its keys installed), an optional mouse drag, optional layout
// keys, then `frames` redraws; the last one is grabbed. The frame is read back from a framebuffer object the viewer draws
// into, not from the window, whose front buffer a virtual X server keeps
// only from its first paint.
struct ScreenshotScript {
  int frames;          // redraws, the last of which is grabbed
  bool drag;           // whether to drag before the frames
  int dragFrom[2];     // pixels of the drawing area, y down from the top
  int dragTo[2];
  std::string keys;    // layout keys pressed after the drag
};

// The viewer draws at the options' size, with their background and headlight.
// Needs SoQt initialised and the views made sensitive. Throws a user error
// when the viewer cannot show the scene.
QImage grabViewerFrame(QWidget *window, SoNode *root, const RenderingOptions &options,
                       const ScreenshotScript &script);

#endif
