#include "Arguments.h"

#include "ToolError.h"

namespace {

const OptionRule *findRule(const std::vector<OptionRule> &rules, const std::string &name) {
  for (const OptionRule &rule : rules)
    if (rule.longName == name || (!rule.shortName.empty() && rule.shortName == name))
      return &rule;
  return nullptr;
}

} // namespace

Arguments Arguments::parse(const std::vector<std::string> &words,
                           const std::vector<OptionRule> &rules,
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
    const OptionRule *rule = findRule(rules, name);
    if (!rule)
      throw usageError("unknown option " + quoted(name));
    if (result.m_options.count(rule->longName))
      throw usageError("option " + rule->longName + " given more than once");
    if (!rule->takesValue) {
      if (hasInlineValue)
        throw usageError("option " + rule->longName + " takes no value");
      result.m_options[rule->longName] = "";
      continue;
    }
    if (hasInlineValue) {
      result.m_options[rule->longName] = inlineValue;
    } else if (i + 1 < words.size()) {
      result.m_options[rule->longName] = words[++i];
    } else {
      throw usageError("option " + rule->longName + " needs a value");
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
