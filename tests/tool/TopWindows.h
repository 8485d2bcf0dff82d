#ifndef POVIEW_TESTS_TOPWINDOWS_H
#define POVIEW_TESTS_TOPWINDOWS_H

#include <QRect>

#include <vector>

// The shown top-level windows titled `title` on the display in DISPLAY, each
// as its place and size on the screen (none without a display).
std::vector<QRect> shownWindows(const char *title);

#endif
