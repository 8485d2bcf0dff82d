#ifndef BRENNICQT_SODBIMPL_H
#define BRENNICQT_SODBIMPL_H

#include <Inventor/SoType.h>

class SoBase;

// Scene-database settings that Coin's SoDB does not carry.
struct SoDBImpl {
  // Non-zero selects the logical-viewport mode of the views. Process-wide and
  // deliberately a plain int: every reader looks at it afresh, so an
  // application may flip it between traversals.
  static int m_isZemba;
};

// Database checks a node constructor runs. Coin keeps its database sound on
// its own, so the check accepts the arguments and has nothing further to do.
struct SoDBChecks {
  static void checkDatabase(const char *className, SoBase *object,
                            SoType classType, SoType &classTypeId);
  // The same check for an action, which is no SoBase.
  static void checkDatabase(const char *className, const void *action,
                            SoType classType, SoType &classTypeId);
};

#endif
