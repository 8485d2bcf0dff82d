#ifndef POVIEW_COMMANDSUPPORT_H
#define POVIEW_COMMANDSUPPORT_H

#include "ViewInventory.h"

#include <memory>
#include <string>
#include <vector>

class CoinMessages;
class SoSeparator;

// How a subcommand was called: the whole command line (for re-running the
// program) and the words after the subcommand's name.
struct Invocation {
  int argc;
  char **argv;
  std::vector<std::string> words;
};

// Initialises Coin, its node kits and the view classes, without any window
// system, so that files can be checked before a display is needed.
void initSceneDatabase();

// A scene file read for one command, with the views it holds. Throws a user
// error when the file cannot be read or holds no view at all.
class LoadedScene {
public:
  LoadedScene(const std::string &path, CoinMessages &messages);
  ~LoadedScene();
  LoadedScene(const LoadedScene &) = delete;
  LoadedScene &operator=(const LoadedScene &) = delete;

  SoSeparator *root() const { return m_root; }
  const std::vector<ViewRecord> &views() const { return m_views; }

private:
  SoSeparator *m_root;
  std::vector<ViewRecord> m_views;
};

class VirtualDisplay;

// Qt for a command that renders off screen: the display in DISPLAY, or an
// Xvfb of the process's own (returned, to live as long as the rendering) when
// there is none, and a QGuiApplication that lives to the end of the process.
// Throws a user error when no display can be had.
std::unique_ptr<VirtualDisplay> startOffscreenGui(const Invocation &invocation);

// Qt for a command that opens windows: SoQt on the display in DISPLAY.
// Answers SoQt's main window. Throws a user error, saying what was to be
// shown, when there is no display.
class QWidget;
QWidget *startWindowGui(const Invocation &invocation, const std::string &what);

// Leaves no GL context current on the command's thread when it goes out of
// scope. Qt releases the context a thread left current when the thread ends,
// and in doing so records the thread's context anew, in storage it has just
// freed: a small leak for every command that showed or rendered something.
class CurrentGLContextRelease {
public:
  CurrentGLContextRelease() = default;
  ~CurrentGLContextRelease();
  CurrentGLContextRelease(const CurrentGLContextRelease &) = delete;
  CurrentGLContextRelease &operator=(const CurrentGLContextRelease &) = delete;
};

// Keeps Qt's chatter (missing runtime directories and the like) off stderr,
// where each failure of the tool must take exactly one line.
void quietenQtMessages();

#endif
