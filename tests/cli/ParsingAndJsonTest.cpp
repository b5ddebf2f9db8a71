// The command line's own option parser and the JSON writer of info, on their own.
#include <gtest/gtest.h>

#include "cli/Command.h"
#include "cli/Json.h"

namespace cli::test {
namespace {

TEST(OptionParser, ValuesSwitchesFilesAndErrors) {
  const std::vector<OptionSpec> options = {{{"o", "output"}, "NAME", ""}, {{"picture"}, "T", ""}, {{"force"}, {}, ""}};
  struct Case {
    std::vector<std::string> words;
    std::string result;  // output values | picture values | force | files, or the error
  };
  const std::vector<Case> cases = {
      {{"a.mp3", "-o", "x", "--output=y z", "b.mp3"}, "x,y z,||0|a.mp3,b.mp3,"},
      {{"--picture", "3=a", "-picture=4=b", "--force", "-"}, "|3=a,4=b,|1|-,"},
      {{"--output", "--force", "--", "--force", "-x"}, "--force,||0|--force,-x,"},
      {{"--output=", "--force"}, ",||1|"},
      {{"--bogus"}, "Unknown option 'bogus'."},
      {{"-lead.mp3"}, "Unknown option 'lead.mp3'."},
      {{"a.mp3", "--output"}, "Missing value after '--output'."},
      {{"--force=yes"}, "Unexpected value after '--force'."},
  };
  for (const Case& c : cases) {
    ParsedLine line;
    std::string error;
    if (!ParseLine(options, c.words, line, error)) {
      EXPECT_EQ(error, c.result) << ::testing::PrintToString(c.words);
      continue;
    }
    CliIo io{std::cout, std::cerr, false};
    const Invocation call(line, io, {});
    std::string result;
    for (const char* name : {"output", "picture"}) {
      for (const std::string& value : call.values(name)) result += value + ",";
      result += "|";
    }
    result += std::string(call.isSet("force") ? "1" : "0") + "|";
    for (const std::string& file : call.positional()) result += file + ",";
    EXPECT_EQ(result, c.result) << ::testing::PrintToString(c.words);
    EXPECT_EQ(call.value("o"), call.values("output").empty() ? "" : call.values("output").back());
  }
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
