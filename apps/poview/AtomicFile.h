#ifndef POVIEW_ATOMICFILE_H
#define POVIEW_ATOMICFILE_H

#include <string>

// Writes `bytes` to `path` so that readers see either the old file or the
// complete new one, never a partial file: the data goes to a temporary file
// in the same directory, which is renamed over `path` once it is complete.
// On failure the temporary file is removed and a user error naming `path` is
// thrown.
void writeFileAtomically(const std::string &path, const std::string &bytes);

// Fails early, before any work is done, when `path` cannot be an output file:
// an empty name, a directory, or a directory part that does not exist or
// cannot be written. Throws a user error naming `path`.
void checkOutputLocation(const std::string &path);

#endif
