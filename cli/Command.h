// One command of tonewright-cli: its options, its help, and what it does.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "cli/RunLog.h"
#include "formats/FileIo.h"

namespace cli {

struct OptionSpec {
  std::vector<std::string> names;  // "t", "title"
  std::string valueName;           // empty for a switch
  std::string help;
};

// The options and file arguments of one command's line. An option is "-x", "--name" or
// "-name"; its value follows after a blank or "="; options and files may come in any order,
// and "--" ends the options, so that a file name may start with "-". Texts are the bytes
// given on the command line (UTF-8 in a UTF-8 locale): no byte is changed on the way.
struct ParsedLine {
  std::vector<std::pair<const OptionSpec*, std::string>> given;  // in the order given
  std::vector<std::string> positional;
};
// False, with the reason in `error`, for an unknown option, a missing value or a value
// given to a switch.
bool ParseLine(const std::vector<OptionSpec>& options, const std::vector<std::string>& arguments, ParsedLine& out,
               std::string& error);

// A parsed command line as a command sees it.
class Invocation {
 public:
  Invocation(ParsedLine line, CliIo& io, formats::FormatEnv env);
  bool isSet(const std::string& name) const;
  // The last value given for the option (empty when it is not given), and every value.
  std::string value(const std::string& name) const;
  std::vector<std::string> values(const std::string& name) const;
  const std::vector<std::string>& positional() const { return line_.positional; }
  CliIo& io() const { return io_; }
  const formats::FormatEnv& env() const { return env_; }

 private:
  ParsedLine line_;
  CliIo& io_;
  formats::FormatEnv env_;
};

struct CommandSpec {
  const char* name;
  const char* arguments;  // shown after the options in the usage line
  const char* summary;
  const char* example;
  std::vector<OptionSpec> options;
  int (*run)(const Invocation&);
};

// The commands, in the order --help lists them.
const std::vector<CommandSpec>& Commands();

// The command bodies.
int RunInfo(const Invocation& call);
int RunSet(const Invocation& call);
int RunRemove(const Invocation& call);
int RunPictureExtract(const Invocation& call);
int RunTagList(const Invocation& call);
int RunFill(const Invocation& call);
int RunRename(const Invocation& call);
int RunMerge(const Invocation& call);
int RunUndo(const Invocation& call);

}  // namespace cli
