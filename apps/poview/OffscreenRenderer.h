#ifndef POVIEW_OFFSCREENRENDERER_H
#define POVIEW_OFFSCREENRENDERER_H

#include "OptionValues.h"

#include <QImage>

class SoNode;

// Renders a scene once into an off-screen framebuffer of a hidden OpenGL
// context. Coin's own SoOffscreenRenderer asks GLX for a pixmap context,
// which Mesa's X servers often refuse; a Qt context with a framebuffer
// object works wherever a render area would. Needs a QGuiApplication and a
// display. Throws a user error when no context or framebuffer can be had.
QImage renderOffscreen(SoNode *root, ImageSize size, Colour background);

#endif
