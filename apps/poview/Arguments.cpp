#include "Arguments.h"

#include "ToolError.h"

namespace {

const OptionSpec *findSpec(const std::vector<OptionSpec> &specs, const std::string &name) {
  for (const OptionSpec &spec : specs)
    if (spec.longName == name || (!spec.shortName.empty() && spec.shortName == name))
      return &spec;
  return nullptr;
}

} // namespace

Arguments Arguments::parse(const std::vector<std::string> &words,
                           const std::vector<OptionSpec> &specs,
                           std::size_t minPositional, std::size_t maxPositional) {
  Arguments result;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string &word = words[i];
    // "-" alone is a file name by convention; "--" ends the options.
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      result.m_positional.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    if (word == "--help" || word == "-h") {
      result.m_help = true;
      continue;
    }
    std::string name = word;
    std::string inlineValue;
    bool hasInlineValue = false;
    const std::size_t equals = word.find('=');
    if (word.compare(0, 2, "--") == 0 && equals != std::string::npos) {
      name = word.substr(0, equals);
      inlineValue = word.substr(equals + 1);
      hasInlineValue = true;
    }
    const OptionSpec *spec = findSpec(specs, name);
    if (!spec)
      throw usageError("unknown option " + quoted(name));
    if (result.m_options.count(spec->longName))
      throw usageError("option " + spec->longName + " given more than once");
    if (!spec->takesValue) {
      if (hasInlineValue)
        throw usageError("option " + spec->longName + " takes no value");
      result.m_options[spec->longName] = "";
      continue;
    }
    if (hasInlineValue) {
      result.m_options[spec->longName] = inlineValue;
    } else if (i + 1 < words.size()) {
      result.m_options[spec->longName] = words[++i];
    } else {
      throw usageError("option " + spec->longName + " needs a value");
    }
  }
  if (result.m_help)
    return result; // help wins over everything else on the line
  if (result.m_positional.size() < minPositional)
    throw usageError(minPositional == 1 ? "missing the scene file argument"
                                        : "missing arguments");
  if (result.m_positional.size() > maxPositional)
    throw usageError("unexpected argument " + quoted(result.m_positional[maxPositional]));
  return result;
}

bool Arguments::has(const std::string &longName) const {
  return m_options.count(longName) != 0;
}

std::string Arguments::value(const std::string &longName, const std::string &fallback) const {
  const auto found = m_options.find(longName);
  return found == m_options.end() ? fallback : found->second;
}
