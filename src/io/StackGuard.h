#ifndef BRENNICQT_STACKGUARD_H
#define BRENNICQT_STACKGUARD_H

#include <Inventor/SoInput.h>

// Coin's reader calls itself once per level of nesting. This input stops
// handing out names (and every later character) when the thread's stack gets
// close to its end, so the read fails instead of overflowing the stack.
class NestingGuardInput : public SoInput {
public:
  NestingGuardInput();
  using SoInput::read;
  SbBool read(SbName &name, SbBool validIdent = FALSE) override;
  SbBool read(char &c) override;
  bool ranOutOfStack() const { return m_ranOut; }

private:
  bool roomLeft();
  const char *m_stopBelow; // stack addresses below this are too close to its end
  bool m_ranOut;
};

#endif
