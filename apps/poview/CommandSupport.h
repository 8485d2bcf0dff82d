#ifndef POVIEW_COMMANDSUPPORT_H
#define POVIEW_COMMANDSUPPORT_H

#include "ViewInventory.h"

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
