#ifndef POVIEW_STREAMOUTPUT_H
#define POVIEW_STREAMOUTPUT_H

#include <cstddef>
#include <functional>
#include <string>

// Writes all of `bytes` to `fd`; false with errno set when a write fails.
bool writeAll(int fd, const std::string &bytes);
bool writeAll(int fd, const unsigned char *bytes, std::size_t size);

// Writes straight into what is at `path` and is no file: a character device
// (a terminal, /dev/null), a FIFO (opening it waits for a reader) or a Unix
// socket (connected to). Nothing can make such a write all or nothing; a
// failed one, a full device or a reader that went away, is a user error
// naming `path`, never a success. `write` works as for writeFileAtomically.
void writeToStream(const std::string &path, bool socket,
                   const std::function<bool(int fd)> &write);

#endif
