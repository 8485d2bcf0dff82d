#ifndef POVIEW_OUTPUTTARGET_H
#define POVIEW_OUTPUTTARGET_H

#include <string>
#include <sys/types.h>

// What an output path names once its symbolic links are followed, and so
// how a result goes there: a file is created or replaced whole (AtomicFile.h);
// a character device, FIFO or socket is written to as it is (StreamOutput.h).
struct OutputTarget {
  enum Kind { File, Stream };
  Kind kind;
  // File: the file to create or replace, at the end of any chain of links;
  // Stream: the path as given.
  std::string path;
  bool exists;   // File: a regular file is there now
  mode_t mode;   // File that exists: its permission bits
  bool socket;   // Stream: a Unix socket, connected to rather than opened
};

// Throws a user error naming `path` for an empty name, a directory, a block
// device, or a path the system cannot follow (a loop of links, no access).
OutputTarget resolveOutput(const std::string &path);

// Fails early, before any work is done, when nothing can be written at
// `path`: what resolveOutput refuses, a file whose directory is missing or
// not writable, a stream this process may not write. Throws a user error
// naming `path`; answers the target otherwise.
OutputTarget checkOutputLocation(const std::string &path);

// The directory part of a path ("." for a bare name).
std::string directoryOf(const std::string &path);

#endif
