#ifndef BRENNICQT_POSCENEREADER_H
#define BRENNICQT_POSCENEREADER_H

#include <Inventor/SbString.h>

#include <cstddef>
#include <functional>

class SoSeparator;

// Reads scene files that may come from anyone. Coin's reader, its actions
// and the release of a graph call themselves once per level of nesting, and
// a few lines of USE can make a graph whose traversal never ends, so a
// hostile file can overflow the stack or hang any program that opens it.
// The reader refuses, with one line saying why, a file that
//  - cannot be read or is no Inventor or VRML97 file;
//  - does not parse (the message names Coin's reason and the line);
//  - nests deeper than getMaxDepth() (nodes inside nodes, the inner nodes of
//    node kits included: a scene view nested in another's "scene" adds four);
//  - holds itself (a USE inside its own DEF), which no traversal leaves;
//  - makes one traversal visit more than getMaxVisits() nodes.
// It reads on a stack that fits the accepted depth (a thread of its own when
// the caller's has too little room), so the read itself never overflows, and
// releases a refused graph there too.
//
// What it accepts, the application must also traverse on a stack that fits
// it. The default depth fits the stack of the thread that makes the reader;
// to take deeper files, raise the depth and run the work on a larger stack
// with runOnStack(stackBytesFor(depth), ...). Coin's read error and debug
// handlers are taken over while a read runs.
class PoSceneReader {
public:
  enum Fault {
    NONE,
    CANNOT_READ,      // missing, a directory, no permission, no header
    PARSE_ERROR,      // Coin's reader gave up
    TOO_DEEP,         // nests deeper than getMaxDepth()
    HOLDS_ITSELF,     // a node is inside itself
    TOO_MANY_VISITS,  // one traversal would visit more than getMaxVisits()
    NO_STACK          // no thread with the stack needed could be started
  };

  PoSceneReader();

  // Levels of nesting accepted; at least 1.
  void setMaxDepth(int levels);
  int getMaxDepth() const { return m_maxDepth; }
  // Node visits one traversal from the root may make; a node used in n
  // places counts n times.
  void setMaxVisits(double visits);
  double getMaxVisits() const { return m_maxVisits; }

  // The root of the scene with one reference held for the caller, or null
  // with getFault() and getMessage() telling why.
  SoSeparator *readFile(const char *path);
  SoSeparator *readBuffer(const void *data, std::size_t size);

  Fault getFault() const { return m_fault; }
  // One line, without the file's name: "line 3: Unknown field "colr"".
  const SbString &getMessage() const { return m_message; }

  // The stack a traversal of a scene `depth` levels deep needs, reserve
  // included.
  static std::size_t stackBytesFor(int depth);
  // Runs work on a thread with a stack of stackBytes and waits for it; what
  // work throws is thrown here. False when no such thread could be started.
  static bool runOnStack(std::size_t stackBytes, const std::function<void()> &work);

private:
  SoSeparator *read(const std::function<bool(class SoInput &)> &open);
  void fail(Fault fault, const SbString &message);

  int m_maxDepth;
  double m_maxVisits;
  Fault m_fault;
  SbString m_message;
};

#endif
