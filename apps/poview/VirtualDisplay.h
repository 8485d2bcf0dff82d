#ifndef POVIEW_VIRTUALDISPLAY_H
#define POVIEW_VIRTUALDISPLAY_H

// True when the X display named by DISPLAY can be opened (or another Qt
// platform has been chosen through QT_QPA_PLATFORM, which is then trusted).
bool displayAvailable();

// True when this process was started by rerunUnderVirtualDisplay.
bool runningUnderVirtualDisplay();

// Starts this program again, with the same arguments, under xvfb-run, which
// gives it a virtual X server with OpenGL. Returns only if that cannot be
// done, by throwing a user error.
[[noreturn]] void rerunUnderVirtualDisplay(int argc, char **argv);

#endif
