#ifndef BRENNICQT_SCENEVIEWBORDERFRAME_H
#define BRENNICQT_SCENEVIEWBORDERFRAME_H

// Draws a scene view's border wholly inside the view: a border of width w
// (the line width in force, in whole pixels) covers exactly w pixels along
// each edge of the view's rectangle, corners included, in every render of
// the view, whole or in tiles. A view narrower or lower than 2w is covered
// by its border.
//
// The border's lines lie on the view's edges (its camera spans x and y from
// -1 to 1 over the view). While GL renders them, their camera gets lines
// twice as wide, drawing cut to the view's rectangle, and a viewport wider by
// more than a line width, so that GL's clipping at the viewport's edges never
// takes a line that lies on them.
namespace SceneViewBorderFrame {

// Starts and stops fitting borders; needs ToolkitLayer::init().
void install();
void uninstall();

} // namespace SceneViewBorderFrame

#endif
