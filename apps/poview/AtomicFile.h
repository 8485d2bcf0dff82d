#ifndef POVIEW_ATOMICFILE_H
#define POVIEW_ATOMICFILE_H

#include <functional>
#include <string>

// Writes `bytes` to `path` so that readers see either the old file or the
// complete new one, never a partial file: the data goes to a temporary file
// in the same directory, which is renamed over `path` once it is complete.
// On failure the temporary file is removed and a user error naming `path` is
// thrown.
void writeFileAtomically(const std::string &path, const std::string &bytes);

// Writes all of `bytes` to `fd`; false with errno set when a write fails.
bool writeAll(int fd, const std::string &bytes);

// The same for a result too large to hold twice: `write` puts it into the
// open file descriptor it is given and answers false with errno set when a
// write fails; what it throws ends the write the same way.
void writeFileAtomically(const std::string &path, const std::function<bool(int fd)> &write);

// Fails early, before any work is done, when `path` cannot be an output file:
// an empty name, a directory, or a directory part that does not exist or
// cannot be written. Throws a user error naming `path`.
void checkOutputLocation(const std::string &path);

#endif
