// The command line itself: help, version, options and usage errors, odd file names, and the
// JSON writer of info.
#include "cli/CliFixture.h"
#include "cli/Command.h"
#include "cli/Json.h"

namespace cli::test {
namespace {

TEST(CommandLine, HelpVersionAndUsageErrors) {
  std::vector<Row> rows = {
      {{"--help"}, ExitDone, "  picture extract  ", ""}, {{"--version"}, ExitDone, "tonewright-cli 0.", ""},
      {{"--help"}, ExitDone, "Examples:\n  tonewright-cli set --track 3/12 ", ""},
      {{"help", "remove"}, ExitDone, "Usage: tonewright-cli remove [options] FILE...", ""},
      {{}, ExitUsage, "", "no command given"}, {{"bogus"}, ExitUsage, "", "unknown command 'bogus'"},
      {{"info"}, ExitUsage, "", "no FILE given"}, {{"info", "--bogus", "x.mp3"}, ExitUsage, "", "bogus"},
      {{"remove", "x.mp3"}, ExitUsage, "", "exactly one of"}, {{"remove", "--v1", "--both", "x.mp3"}, ExitUsage, "", "exactly one of"},
      {{"remove", "--picture", "fish", "x.mp3"}, ExitUsage, "", "unknown picture type 'fish'"},
      {{"remove", "--picture", "256", "x.mp3"}, ExitUsage, "", "unknown picture type '256'"},
      {{"picture", "extract", "--type", "255", "x.mp3"}, ExitSomeFailed, "", "x.mp3: cannot be read: the file vanished"},
      {{"set", "x.mp3"}, ExitUsage, "", "nothing to set"}, {{"set", "--track", "256", "x.mp3"}, ExitUsage, "", "0 to 255"},
      {{"set", "--track", "256/300", "x.mp3"}, ExitUsage, "", "0 to 255"},
      {{"set", "--lyrics", "@/no/such.txt", "x.mp3"}, ExitUsage, "", "'/no/such.txt' cannot be read"},
      {{"set", "--picture", "cover=a.jpg", "x.mp3"}, ExitUsage, "", "TYPE=IMAGE"},
      {{"set", "--picture", "3=/no/such.jpg", "x.mp3"}, ExitUsage, "", "cannot be read"},
      {{"picture", "x.mp3"}, ExitUsage, "", "'extract' is missing"},
      {{"picture", "extract", "a.mp3", "b.mp3"}, ExitUsage, "", "exactly one FILE"},
      {{"fill", "--pattern", "Nr - Genre", "x.mp3"}, ExitUsage, "", "'Genre' is none of"},
      {{"fill", "--pattern", "Nr - Nr - Nr - Nr - Nr", "x.mp3"}, ExitUsage, "", "one to four words"},
      {{"taglist", "--view", "album,bpm", "%"}, ExitUsage, "", "unknown --view column 'bpm'"},
      {{"taglist", "--lang", "fr", "%"}, ExitUsage, "", "--lang is de or en"},
      {{"taglist", "--output=", "%", "--lang=en"}, ExitDone, "</html>", ""},  // an empty value is a value
      {{"info", "--fields=yes", "%"}, ExitUsage, "", "info: Unexpected value after '--fields'."},
      {{"set", "%", "--title"}, ExitUsage, "", "set: Missing value after '--title'."},
      {{"info", "--fields", "-", "--", "--fields"}, ExitSomeFailed, "", "-: no such file or folder\ntonewright-cli: --fields: no such"},
  };
  for (const CommandSpec& command : Commands()) {  // each command's help ends with an example of it
    const std::string name = command.name;
    Words help = {name.substr(0, name.find(' ')), "--help"};
    if (name.find(' ') != std::string::npos) help.insert(help.begin() + 1, name.substr(name.find(' ') + 1));
    rows.push_back({help, ExitDone, "Example:\n  tonewright-cli " + name + " ", ""});
  }
  RunRows(rows, [](const support::TempDir&) {});
}

// Through the program: names that start with "-", hold non-ASCII characters or bytes that
// are no UTF-8 at all; a folder's MP3 files, with --recursive those of its sub-folders first,
// in the tag list's order, and a file named as it is.
TEST(CommandLine, ProgramStatusesAndFileNames) {
  const std::string latin = "\xE9t\xE9 latin.mp3", more(13, '\t');
  const std::vector<Row> rows = {
      {{"set", "--title", "Dash", "-lead.mp3"}, ExitUsage, "", "Unknown option 'lead.mp3'"},
      {{"set", "--title", "Dash", "--", "-lead.mp3"}, ExitDone, "", "", "-lead.mp3\tDash\tBand\n"},
      {{"set", "--title", "Καλημέρα 東京", "Grüße ünï.mp3"}, ExitDone, "", "", "Grüße ünï.mp3\tΚαλημέρα 東京\tBand\n"},
      {{"set", "--title", "é", latin, "missing.mp3"}, ExitSomeFailed, "", "tonewright-cli: missing.mp3: no such file or folder\n",
       latin + "\té\tBand\n"},
      {{"info", "--fields", "missing.mp3", "./-lead.mp3"}, ExitSomeFailed, "./-lead.mp3\tOld\tBand\t", "missing.mp3"},
      {{"info", "--fields", ".", "notes.txt"}, ExitDone, "\n./" + latin + "\tOld\tBand" + more + "\nnotes.txt\t\t" + more + "\n", ""},
      {{"info", "--fields", "-r", "."}, ExitDone, "./sub/w.mp3\t\t" + more + "\n./a/x.mp3\t\t" + more + "\n./-lead.mp3\tOld", ""},
  };
  RunRows(rows, [&](const support::TempDir& dir) {
    for (const std::string& name : {std::string("-lead.mp3"), std::string("Grüße ünï.mp3"), latin})
      MakeMp3(dir.file(name), Tags{"Old", "Band", "", "", "", ""});
    for (const char* name : {"a", "sub"}) std::filesystem::create_directory(dir.file(name));
    for (const char* name : {"a/x.mp3", "sub/w.mp3", "notes.txt"}) support::WriteFileBytes(dir.file(name), formats::SilentMpegFrames(2));
  }, true);
}

TEST(Json, WritesIndentedUtf8WithEscapes) {
  Json list = Json::Array();
  list.append("a\"b\\c\n\t\x01");
  list.append(std::string("caf\xE9 \xCE\xBA"));  // a Latin-1 byte, then Greek kappa
  list.append(Json());
  Json doc = Json::Object({{"n", -3}, {"size", std::uint64_t{5000000000}}, {"ok", false}, {"list", list}});
  doc["empty"] = Json::Object();
  doc["n"] = true;  // replaces the member, keeps its place
  EXPECT_EQ(doc.text(),
            "{\n    \"n\": true,\n    \"size\": 5000000000,\n    \"ok\": false,\n    \"list\": [\n"
            "        \"a\\\"b\\\\c\\n\\t\\u0001\",\n        \"caf\xEF\xBF\xBD \xCE\xBA\",\n        null\n"
            "    ],\n    \"empty\": {}\n}\n");
}

}  // namespace
}  // namespace cli::test
