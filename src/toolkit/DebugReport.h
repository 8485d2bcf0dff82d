#ifndef BRENNICQT_DEBUGREPORT_H
#define BRENNICQT_DEBUGREPORT_H

#include <Inventor/errors/SoDebugError.h>

// Posts a (method name, message) pair. Messages are passed as data, never as
// a format, so a '%' in a type name cannot be taken for a directive.
inline void postReport(const char *methodName, const char *message) {
  SoDebugError::post(methodName, "%s", message);
}

#endif
