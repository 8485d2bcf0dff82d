#include "CommandOutput.h"

#include "AtomicFile.h"
#include "ToolError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool isStandardOutput(const std::string &output) { return output == "-"; }

void checkOutput(const std::string &output) {
  if (!isStandardOutput(output)) checkOutputLocation(output);
}

void writeOutput(const std::string &output, const std::string &bytes) {
  if (!isStandardOutput(output)) {
    writeFileAtomically(output, bytes);
    return;
  }
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0)
    throw userError(std::string("standard output: cannot write: ") +
                    (errno ? std::strerror(errno) : "write error"));
}
