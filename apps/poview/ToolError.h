#ifndef POVIEW_TOOLERROR_H
#define POVIEW_TOOLERROR_H

#include <cstdio>
#include <stdexcept>
#include <string>

// Exit statuses of poview, as scripts see them.
enum ExitStatus { ExitSuccess = 0, ExitUserError = 1, ExitUsageError = 2 };

// A failure that ends the command. The message is printed as one line, so it
// must name the file or option concerned and must not contain line breaks.
class ToolError : public std::runtime_error {
public:
  ToolError(ExitStatus status, const std::string &message)
      : std::runtime_error(message), m_status(status) {}
  ExitStatus status() const { return m_status; }

private:
  ExitStatus m_status;
};

// Bad command line: unknown option, missing or malformed value.
inline ToolError usageError(const std::string &message) {
  return ToolError(ExitUsageError, message);
}

// The command line was fine but the files were not: missing, unreadable,
// not a scene, no view, output not writable.
inline ToolError userError(const std::string &message) {
  return ToolError(ExitUserError, message);
}

// Prints the one line of a command's failure on stderr; answers its status.
inline int printToolError(const char *command, const ToolError &error) {
  if (error.status() == ExitUsageError)
    std::fprintf(stderr, "poview %s: error: %s (try 'poview %s --help')\n", command, error.what(),
                 command);
  else
    std::fprintf(stderr, "poview %s: error: %s\n", command, error.what());
  std::fflush(stderr);
  return error.status();
}

// Quotes a file name or value for an error message.
inline std::string quoted(const std::string &text) { return "'" + text + "'"; }

#endif
