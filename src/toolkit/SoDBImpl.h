#ifndef BRENNICQT_SODBIMPL_H
#define BRENNICQT_SODBIMPL_H

// Scene-database settings that Coin's SoDB does not carry.
struct SoDBImpl {
  // Non-zero selects the logical-viewport mode of the views. Process-wide and
  // deliberately a plain int: every reader looks at it afresh, so an
  // application may flip it between traversals.
  static int m_isZemba;
};

#endif
