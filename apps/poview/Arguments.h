#ifndef POVIEW_ARGUMENTS_H
#define POVIEW_ARGUMENTS_H

#include <map>
#include <string>
#include <vector>

// One option a subcommand accepts.
struct OptionRule {
  std::string longName;  // "--size"
  std::string shortName; // "-o", or empty
  bool takesValue;
};

// The command line of one subcommand after parsing: its positional arguments
// and the options given, by long name. A flag maps to an empty string.
class Arguments {
public:
  // Throws a usage error for an unknown option, an option given twice, a
  // missing value, or a positional count outside [minPositional, maxPositional].
  static Arguments parse(const std::vector<std::string> &words,
                         const std::vector<OptionRule> &rules,
                         std::size_t minPositional, std::size_t maxPositional);

  const std::vector<std::string> &positional() const { return m_positional; }
  bool has(const std::string &longName) const;
  // The option's value, or fallback when it was not given.
  std::string value(const std::string &longName, const std::string &fallback = "") const;
  bool helpRequested() const { return m_help; }

private:
  std::vector<std::string> m_positional;
  std::map<std::string, std::string> m_options;
  bool m_help = false;
};

#endif
