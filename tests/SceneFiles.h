#ifndef BRENNICQT_TESTS_SCENEFILES_H
#define BRENNICQT_TESTS_SCENEFILES_H

#include <Inventor/nodes/SoSeparator.h>

#include <string>
#include <vector>

class SoNode;

// Writes a graph with Coin's writer and answers the text.
std::string writeScene(SoNode *root);

// Reads a text with Coin's reader; null when the reader refuses it. The
// result carries no reference.
SoSeparator *readScene(const std::string &text);

// Holds a reference to a scene's root for as long as it lives.
class HeldScene {
public:
  explicit HeldScene(SoSeparator *root) : m_root(root) { m_root->ref(); }
  explicit HeldScene(const std::string &text) : HeldScene(readScene(text)) {}
  ~HeldScene() { m_root->unref(); }
  HeldScene(const HeldScene &) = delete;
  HeldScene &operator=(const HeldScene &) = delete;
  SoSeparator *root() const { return m_root; }

private:
  SoSeparator *m_root;
};

// The names of the fields written for the outermost node of a text (the
// first node written), in the order written; the field header is left out.
std::vector<std::string> writtenFieldNames(const std::string &text);

// Collects Coin's read errors while it lives.
class ReadErrorCapture {
public:
  ReadErrorCapture();
  ~ReadErrorCapture();
  ReadErrorCapture(const ReadErrorCapture &) = delete;
  ReadErrorCapture &operator=(const ReadErrorCapture &) = delete;
  const std::vector<std::string> &errors() const { return m_errors; }
  void clear() { m_errors.clear(); }

private:
  static void handler(const class SoError *error, void *data);
  std::vector<std::string> m_errors;
  void (*m_previousHandler)(const class SoError *, void *);
  void *m_previousData;
};

#endif
