#ifndef POVIEW_CAPPEDINDENTOUTPUT_H
#define POVIEW_CAPPEDINDENTOUTPUT_H

#include <Inventor/SoOutput.h>

// Coin's SoOutput with the indentation of a line cut at kMaxIndentLevels
// levels. Coin indents each line one step per level of nesting, so a deeply
// nested scene would be written in space (and time) that grows with the
// square of its depth; cut, the file grows with the scene. Files nested no
// deeper than the limit come out exactly as Coin writes them.
//
// Coin keeps its nesting level to itself, and its indent() writes one piece
// per level (two per tab) through the virtual write functions. So indent()
// counts what Coin would write, and keeps Coin's own level near the limit by
// taking the levels above it out (and putting them back as the writing comes
// up again): counting never costs more than a few times the limit, and the
// level that is cut is the true one.
class CappedIndentOutput : public SoOutput {
public:
  static constexpr int kMaxIndentLevels = 32;

  void indent() override;

  using SoOutput::write;
  void write(const char c) override;
  void write(const char *s) override;

private:
  // The levels Coin's indent() would write now (0 for a level of 0 or less).
  int coinLevel();

  // Levels taken out of Coin's count: the true level is Coin's plus these.
  int m_hidden = 0;
  bool m_counting = false;
  int m_counted = 0;
};

#endif
