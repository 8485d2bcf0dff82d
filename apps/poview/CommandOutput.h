#ifndef POVIEW_COMMANDOUTPUT_H
#define POVIEW_COMMANDOUTPUT_H

#include <functional>
#include <string>

// Where a command's -o option sends its result: "-" is standard output;
// anything else is what the path names once its links are followed
// (OutputTarget.h): a file, replaced only once complete, or a device, FIFO or
// socket, written to as it is.

bool isStandardOutput(const std::string &output);

// Fails early, before any work, when the output file cannot be written
// (checkOutputLocation); standard output is not checked.
void checkOutput(const std::string &output);

// Writes the whole result. Throws a user error naming the output when it
// cannot be written.
void writeOutput(const std::string &output, const std::string &bytes);

// The same for a result written straight into the output's file descriptor
// (see writeFileAtomically), so that it is never held in memory whole.
void writeOutput(const std::string &output, const std::function<bool(int fd)> &write);

#endif
