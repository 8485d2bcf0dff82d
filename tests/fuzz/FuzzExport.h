#ifndef BRENNICQT_FUZZEXPORT_H
#define BRENNICQT_FUZZEXPORT_H

class SoNode;

// The VRML97 export step of the fuzz run.
inline void exportScene(SoNode *) {}

#endif
