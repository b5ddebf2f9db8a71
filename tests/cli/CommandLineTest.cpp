// The command line itself: help, version, usage errors, exit statuses, odd file names.
#include "cli/Command.h"
#include "cli/CliFixture.h"

namespace cli::test {
namespace {

TEST(CommandLine, HelpVersionAndUsageErrors) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    const char* inOut;  // expected in standard output
    const char* inErr;  // expected in standard error
  };
  const std::vector<Case> cases = {
      {{"--help"}, ExitDone, "  picture extract  ", ""},
      {{"--help"}, ExitDone, "Examples:\n  tonewright-cli set --track 3/12 ", ""},
      {{"help", "remove"}, ExitDone, "Usage: tonewright-cli remove [options] FILE...", ""},
      {{"--version"}, ExitDone, "tonewright-cli 0.", ""},
      {{}, ExitUsage, "", "no command given"},
      {{"bogus"}, ExitUsage, "", "unknown command 'bogus'"},
      {{"info"}, ExitUsage, "", "no FILE given"},
      {{"info", "--bogus", "x.mp3"}, ExitUsage, "", "bogus"},
      {{"remove", "x.mp3"}, ExitUsage, "", "exactly one of"},
      {{"remove", "--v1", "--both", "x.mp3"}, ExitUsage, "", "exactly one of"},
      {{"remove", "--picture", "fish", "x.mp3"}, ExitUsage, "", "unknown picture type 'fish'"},
      {{"remove", "--picture", "256", "x.mp3"}, ExitUsage, "", "unknown picture type '256'"},
      {{"picture", "extract", "--type", "255", "x.mp3"}, ExitSomeFailed, "", "x.mp3: cannot be read: the file vanished"},
      {{"set", "x.mp3"}, ExitUsage, "", "nothing to set"},
      {{"set", "--track", "256", "x.mp3"}, ExitUsage, "", "0 to 255"},
      {{"set", "--track", "256/300", "x.mp3"}, ExitUsage, "", "0 to 255"},
      {{"set", "--lyrics", "@/no/such.txt", "x.mp3"}, ExitUsage, "", "'/no/such.txt' cannot be read"},
      {{"set", "--picture", "cover=a.jpg", "x.mp3"}, ExitUsage, "", "TYPE=IMAGE"},
      {{"set", "--picture", "3=/no/such.jpg", "x.mp3"}, ExitUsage, "", "cannot be read"},
      {{"picture", "x.mp3"}, ExitUsage, "", "'extract' is missing"},
      {{"picture", "extract", "a.mp3", "b.mp3"}, ExitUsage, "", "exactly one FILE"},
  };
  for (const Case& c : cases) {
    const Outcome run = RunHere(c.arguments);
    const std::string line = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(run.status, c.status) << line;
    EXPECT_NE(run.out.find(c.inOut), std::string::npos) << line << run.out;
    EXPECT_NE(run.err.find(c.inErr), std::string::npos) << line << run.err;
  }
  for (const CommandSpec& command : Commands()) {
    std::vector<std::string> arguments;
    std::istringstream words(command.name);
    for (std::string word; words >> word;) arguments.push_back(word);
    arguments.push_back("--help");
    const Outcome run = RunHere(arguments);
    EXPECT_EQ(run.status, ExitDone) << command.name;
    EXPECT_NE(run.out.find("Example:\n  tonewright-cli " + std::string(command.name) + " "), std::string::npos)
        << run.out;
  }
}

// Through the program: exit statuses, and names that start with "-", hold non-ASCII
// characters or bytes that are no UTF-8 at all.
TEST(CommandLine, ProgramStatusesAndFileNames) {
  support::TempDir dir;
  const std::vector<std::string> names = {"-lead.mp3", "Grüße ünï.mp3", "\xE9t\xE9 latin.mp3"};
  for (const std::string& name : names) MakeMp3(dir.file(name), Tags{"Old", "Band", "", "", "", ""});
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string file;   // the file whose title is then checked
    std::string title;  // its title afterwards
  };
  const std::vector<Case> cases = {
      {{"set", "--title", "Dash", "-lead.mp3"}, ExitUsage, "-lead.mp3", "Old"},
      {{"set", "--title", "Dash", "--", "-lead.mp3"}, ExitDone, "-lead.mp3", "Dash"},
      {{"set", "--title", "Καλημέρα 東京", "Grüße ünï.mp3"}, ExitDone, "Grüße ünï.mp3", "Καλημέρα 東京"},
      {{"set", "--title", "é", "\xE9t\xE9 latin.mp3", "missing.mp3"}, ExitSomeFailed, "\xE9t\xE9 latin.mp3", "é"},
  };
  for (const Case& c : cases) {
    const Outcome run = RunProgram(c.arguments, dir.path());
    EXPECT_EQ(run.status, c.status) << ::testing::PrintToString(c.arguments) << run.err;
    const Outcome info = RunHere({"info", "--fields", dir.file(c.file)});
    EXPECT_EQ(info.out.substr(0, info.out.find('\n')), dir.file(c.file) + "\t" + c.title + "\tBand" + std::string(13, '\t'));
  }
  const Outcome failed = RunProgram({"info", "--fields", "missing.mp3", "./-lead.mp3"}, dir.path());
  EXPECT_EQ(failed.status, ExitSomeFailed);
  EXPECT_EQ(failed.err, "tonewright-cli: missing.mp3: no such file or folder\n");
  EXPECT_EQ(support::FolderEntries(dir.path()).size(), names.size());  // no work file left
}

}  // namespace
}  // namespace cli::test
