#ifndef POVIEW_ATOMICFILE_H
#define POVIEW_ATOMICFILE_H

#include "OutputTarget.h"

#include <functional>
#include <string>

// Writes a file so that readers see either the old file or the complete new
// one, never a partial file: `write` puts the data into the open file
// descriptor it is given, of a temporary file in the target's directory,
// which is renamed over the target once it is complete. `write` answers false
// with errno set when a write fails; what it throws ends the write the same
// way. A replaced file keeps its permission bits; a new one gets those any
// new file gets. On failure the temporary file is removed and a user error
// naming `name` (the path as the user gave it) is thrown.
void writeFileAtomically(const OutputTarget &target, const std::string &name,
                         const std::function<bool(int fd)> &write);

#endif
