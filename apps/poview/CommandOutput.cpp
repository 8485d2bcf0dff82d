#include "CommandOutput.h"

#include "AtomicFile.h"
#include "OutputTarget.h"
#include "StreamOutput.h"
#include "ToolError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

bool isStandardOutput(const std::string &output) { return output == "-"; }

void checkOutput(const std::string &output) {
  if (!isStandardOutput(output)) checkOutputLocation(output);
}

void writeOutput(const std::string &output, const std::string &bytes) {
  writeOutput(output, [&bytes](int fd) { return writeAll(fd, bytes); });
}

void writeOutput(const std::string &output, const std::function<bool(int fd)> &write) {
  if (!isStandardOutput(output)) {
    const OutputTarget target = checkOutputLocation(output);
    if (target.kind == OutputTarget::Stream)
      writeToStream(output, target.socket, write);
    else
      writeFileAtomically(target, output, write);
    return;
  }
  errno = 0;
  if (std::fflush(stdout) != 0 || !write(STDOUT_FILENO))
    throw userError(std::string("standard output: cannot write: ") +
                    (errno ? std::strerror(errno) : "write error"));
}
