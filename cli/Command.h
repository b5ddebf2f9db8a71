// One command of tonewright-cli: its options, its help, and what it does.
#pragma once
#include <QCommandLineParser>
#include <QStringList>
#include <string>
#include <vector>

#include "cli/RunLog.h"
#include "formats/FileIo.h"

namespace cli {

struct OptionSpec {
  QStringList names;  // "t", "title"
  QString valueName;  // empty for a switch
  QString help;
};

// A parsed command line as a command sees it. Texts are the bytes given on the command
// line (UTF-8 in a UTF-8 locale), file paths included: no byte is changed on the way.
class Invocation {
 public:
  Invocation(const QCommandLineParser& parser, CliIo& io, formats::FormatEnv env);
  bool isSet(const QString& name) const { return parser_.isSet(name); }
  std::string value(const QString& name) const;
  std::vector<std::string> values(const QString& name) const;
  const std::vector<std::string>& positional() const { return positional_; }
  CliIo& io() const { return io_; }
  const formats::FormatEnv& env() const { return env_; }

 private:
  const QCommandLineParser& parser_;
  CliIo& io_;
  formats::FormatEnv env_;
  std::vector<std::string> positional_;
};

struct CommandSpec {
  const char* name;
  const char* arguments;  // shown after the options in the usage line
  const char* summary;
  const char* example;
  std::vector<OptionSpec> options;
  int (*run)(const Invocation&);
};

// The bytes of a parsed text: the parser holds each byte as one Latin-1 character.
std::string Bytes(const QString& text);

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

}  // namespace cli
