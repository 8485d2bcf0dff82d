#ifndef POVIEW_VIRTUALDISPLAY_H
#define POVIEW_VIRTUALDISPLAY_H

#include <sys/types.h>

typedef struct _XDisplay Display;

// A connection to the X display named by DISPLAY, opened to learn whether Qt
// will be able to use it, and held open until Qt has connected: an X server
// started without -noreset (as xvfb-run starts it) resets when its last
// client leaves, and refuses the connections that arrive meanwhile.
class DisplayConnection {
public:
  DisplayConnection();
  ~DisplayConnection();
  DisplayConnection(const DisplayConnection &) = delete;
  DisplayConnection &operator=(const DisplayConnection &) = delete;

  // True when the display could be opened, or another Qt platform has been
  // chosen through QT_QPA_PLATFORM, which is then trusted.
  bool usable() const { return m_usable; }

private:
  Display *m_display;
  bool m_usable;
};

// A virtual X server (Xvfb) of this process's own, for rendering where no
// display is present. It is started with -displayfd, so the server picks a
// free display number itself: xvfb-run's guess of a free number races with
// other servers starting at the same moment. DISPLAY points at the server
// while the object lives; the server is stopped with it, and also when this
// process dies.
class VirtualDisplay {
public:
  // Throws a user error when Xvfb cannot be started.
  VirtualDisplay();
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay &) = delete;
  VirtualDisplay &operator=(const VirtualDisplay &) = delete;

private:
  pid_t m_server;
};

#endif
