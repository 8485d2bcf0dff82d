#include "CappedIndentOutput.h"

#include <algorithm>

namespace {

// Coin's count is kept between these while levels are hidden, so that the
// few levels a footer closes between two lines never take it below zero.
constexpr int kKeptLevels = 2 * CappedIndentOutput::kMaxIndentLevels;

} // namespace

int CappedIndentOutput::coinLevel() {
  m_counting = true;
  m_counted = 0;
  SoOutput::indent();
  m_counting = false;
  return m_counted;
}

void CappedIndentOutput::indent() {
  int coin = coinLevel();
  if (coin > 2 * kKeptLevels) {
    const int hide = coin - kKeptLevels;
    decrementIndent(hide);
    m_hidden += hide;
    coin -= hide;
  } else if (coin < kKeptLevels && m_hidden > 0) {
    const int restore = std::min(m_hidden, kKeptLevels - coin);
    incrementIndent(restore);
    m_hidden -= restore;
    coin += restore;
  }
  const int shown = std::min(coin + m_hidden, int(kMaxIndentLevels));
  // Coin writes the indentation itself, in its own style (spaces or tabs).
  decrementIndent(coin - shown);
  SoOutput::indent();
  incrementIndent(coin - shown);
}

// While counting, Coin's indent() writes a tab for two levels and a piece of
// spaces for one.
void CappedIndentOutput::write(const char c) {
  if (m_counting) {
    m_counted += 2;
    return;
  }
  SoOutput::write(c);
}

void CappedIndentOutput::write(const char *s) {
  if (m_counting) {
    ++m_counted;
    return;
  }
  SoOutput::write(s);
}
