#include "cli/Cli.h"

#include "cli/Command.h"

#ifndef TONEWRIGHT_VERSION
#define TONEWRIGHT_VERSION "0"
#endif

namespace cli {

namespace {

const char* const ProgramName = "tonewright-cli";

const OptionSpec HelpOption{{"h", "help"}, {}, "Show this help."};

std::string OptionColumn(const OptionSpec& option) {
  std::string column;
  for (const std::string& name : option.names) {
    if (!column.empty()) column += ", ";
    column += (name.size() == 1 ? "-" : "--") + name;
  }
  if (!option.valueName.empty()) column += " " + option.valueName;
  return column;
}

void WriteOptions(std::ostream& out, const std::vector<OptionSpec>& options) {
  std::size_t width = 0;
  for (const OptionSpec& option : options) width = std::max(width, OptionColumn(option).size());
  for (const OptionSpec& option : options) {
    const std::string column = OptionColumn(option);
    out << "  " << column << std::string(width - column.size() + 2, ' ') << option.help << '\n';
  }
}

void WriteMainHelp(std::ostream& out) {
  out << "Usage: " << ProgramName << " COMMAND [options] FILE...\n"
      << "The jobs of Quillmere Tonewright on MP3 files, from the command line.\n\nCommands:\n";
  std::size_t width = 0;
  for (const CommandSpec& command : Commands()) width = std::max(width, std::string(command.name).size());
  for (const CommandSpec& command : Commands())
    out << "  " << command.name << std::string(width + 2 - std::string(command.name).size(), ' ') << command.summary
        << '\n';
  out << "\nOptions:\n";
  WriteOptions(out, {HelpOption, {{"v", "version"}, {}, "Show the version."}});
  out << "\nA FILE may be a file or a folder; a folder means its *.mp3 files (with --recursive,\n"
         "those of its sub-folders too). Put -- before file names that start with \"-\".\n"
         "Results go to standard output, one line per file that could not be done to standard\n"
         "error. Exit status: 0 every file done, 1 some file not done, 2 a usage error.\n"
         "\nExamples:\n"
         "  "
      << ProgramName << " set --track 3/12 --composer \"Ada Brandt\" --url=https://example.org/ song.mp3\n"
      << "  " << ProgramName << " info --fields --header --recursive ~/Music > fields.tsv\n"
      << "\nRun '" << ProgramName << " COMMAND --help' for the options of a command and an example.\n";
}

void WriteCommandHelp(std::ostream& out, const CommandSpec& command) {
  out << "Usage: " << ProgramName << ' ' << command.name << " [options] " << command.arguments << "\n"
      << command.summary << "\n\nOptions:\n";
  std::vector<OptionSpec> options = command.options;
  options.push_back(HelpOption);
  WriteOptions(out, options);
  out << "\nExample:\n  " << command.example << '\n';
}

const CommandSpec* FindCommand(const std::string& name) {
  for (const CommandSpec& command : Commands())
    if (name == command.name) return &command;
  return nullptr;
}

int RunCommand(const CommandSpec& command, const std::vector<std::string>& arguments, CliIo& io) {
  std::vector<OptionSpec> options = command.options;
  options.push_back(HelpOption);
  ParsedLine line;
  std::string error;
  if (!ParseLine(options, arguments, line, error)) return UsageError(io, std::string(command.name) + ": " + error);
  formats::FormatEnv env;
  env.fs = io.fs;
  Invocation call(std::move(line), io, env);
  if (call.isSet("help")) {
    WriteCommandHelp(io.out, command);
    return ExitDone;
  }
  return command.run(call);
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, CliIo& io) {
  if (arguments.empty()) return UsageError(io, "no command given");
  const std::string& first = arguments.front();
  if (first == "-h" || first == "--help" || first == "help") {
    if (first == "help" && arguments.size() > 1) {
      if (const CommandSpec* command = FindCommand(arguments[1])) {
        WriteCommandHelp(io.out, *command);
        return ExitDone;
      }
    }
    WriteMainHelp(io.out);
    return ExitDone;
  }
  if (first == "-v" || first == "--version") {
    io.out << ProgramName << ' ' << TONEWRIGHT_VERSION << '\n';
    return ExitDone;
  }
  std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  std::string name = first;
  // "picture" has its actions as a second word: "picture extract".
  if (first == "picture") {
    if (rest.empty() || (rest.front() != "extract" && rest.front() != "--help" && rest.front() != "-h"))
      return UsageError(io, "picture: the action 'extract' is missing");
    if (rest.front() == "extract") {
      name = "picture extract";
      rest.erase(rest.begin());
    } else {
      name = "picture extract";
    }
  }
  const CommandSpec* command = FindCommand(name);
  if (command == nullptr) return UsageError(io, "unknown command '" + OneLine(first) + "'");
  return RunCommand(*command, rest, io);
}

}  // namespace cli
