// A command's options and file arguments, parsed from the words of its command line.
#include <algorithm>

#include "cli/Command.h"

namespace cli {

namespace {

const OptionSpec* FindOption(const std::vector<OptionSpec>& options, const std::string& name) {
  for (const OptionSpec& option : options)
    if (std::find(option.names.begin(), option.names.end(), name) != option.names.end()) return &option;
  return nullptr;
}

}  // namespace

bool ParseLine(const std::vector<OptionSpec>& options, const std::vector<std::string>& arguments, ParsedLine& out,
               std::string& error) {
  out = ParsedLine{};
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "--") {
      out.positional.insert(out.positional.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                            arguments.end());
      return true;
    }
    // A lone "-" is a file argument (standard output, where a command allows it).
    if (word.size() < 2 || word[0] != '-') {
      out.positional.push_back(word);
      continue;
    }
    const std::string spelled = word.substr(0, word.find('='));
    const std::string name = spelled.substr(spelled[1] == '-' ? 2 : 1);
    const OptionSpec* option = FindOption(options, name);
    if (option == nullptr) {
      error = "Unknown option '" + name + "'.";
      return false;
    }
    const bool inlineValue = spelled.size() < word.size();
    if (option->valueName.empty()) {
      if (inlineValue) {
        error = "Unexpected value after '" + spelled + "'.";
        return false;
      }
      out.given.emplace_back(option, std::string());
    } else if (inlineValue) {
      out.given.emplace_back(option, word.substr(spelled.size() + 1));
    } else if (i + 1 < arguments.size()) {
      out.given.emplace_back(option, arguments[++i]);  // taken whatever it looks like
    } else {
      error = "Missing value after '" + spelled + "'.";
      return false;
    }
  }
  return true;
}

Invocation::Invocation(ParsedLine line, CliIo& io, formats::FormatEnv env)
    : line_(std::move(line)), io_(io), env_(std::move(env)) {}

// A switch is given with an empty value: every option given has an entry.
bool Invocation::isSet(const std::string& name) const { return !values(name).empty(); }

std::string Invocation::value(const std::string& name) const {
  const std::vector<std::string> all = values(name);
  return all.empty() ? std::string() : all.back();
}

std::vector<std::string> Invocation::values(const std::string& name) const {
  std::vector<std::string> result;
  for (const auto& [option, value] : line_.given)
    if (std::find(option->names.begin(), option->names.end(), name) != option->names.end()) result.push_back(value);
  return result;
}

}  // namespace cli
