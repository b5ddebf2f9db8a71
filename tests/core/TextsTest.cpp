#include "core/Texts.h"

#include <gtest/gtest.h>

namespace {

// ISO-8859-1 letters are single bytes: é \xE9, É \xC9, ß \xDF, ÿ \xFF.
std::string Clean(const std::string& given) {
  std::string text = given;
  core::CleanFileName(text);
  return text;
}
std::string Proper(const std::string& given) {
  std::string text = given;
  EXPECT_EQ(&core::ProperCase(text), &text);
  return text;
}
// The characters FilterKey lets through, in order.
std::string Filtered(const std::string& keys) {
  std::string passed;
  for (unsigned char c : keys) {
    int key = c;
    core::FilterKey(key);
    if (key != 0) passed += static_cast<char>(key);
  }
  return passed;
}

TEST(TextsTest, TextRoutines) {
  using Routine = std::string (*)(const std::string&);
  const Routine limit30 = [](const std::string& t) { return core::LimitText(t, 30); };
  const Routine limit0 = [](const std::string& t) { return core::LimitText(t, 0); };
  const Routine limitNegative = [](const std::string& t) { return core::LimitText(t, -1); };
  const Routine lower = [](const std::string& t) { return core::LowerLatin1(t); };
  const std::string thirtyOne = "abcdefghijklmnopqrstuvwxyz01234";
  const struct {
    Routine routine;
    std::string given, expected;
  } cases[] = {
      {Clean, "What?", "What"},
      {Clean, "a?\"b", "ab"},  // two forbidden characters side by side
      {Clean, "  Artist: Title, Live  ", "Artist Title Live"},
      {Clean, " ? ", ""},
      {Clean, "keep/-_()'", "keep/-_()'"},
      {core::DropUnicodeText, "plain \xE9", "plain \xE9"},
      {core::DropUnicodeText, std::string("\xFF\xFE" "a\0b\0", 6), ""},
      {core::DropUnicodeText, "x\xFE", ""},
      {core::DropUnicodeText, "x\xFF", ""},
      {limit30, thirtyOne, thirtyOne.substr(0, 30)},
      {limit30, "short", "short"},
      {limit0, thirtyOne, ""},
      {limitNegative, thirtyOne, ""},
      {Proper, "the best-of (live) a_b\\c", "The Best-Of (Live) A_B\\C"},
      {Proper, "mIXed CASE", "MIXed CASE"},  // nothing is lower-cased
      {Proper, "\xE9t\xE9 \xE9t\xE9", "\xC9t\xE9 \xC9t\xE9"},
      {Proper, "a.b/c", "A.b/c"},       // '.' and '/' start no word
      {Proper, "\xDF \xFF", "\xDF \xFF"},  // no capitals in ISO-8859-1
      {Filtered, "1984:.,", "1984:.,"},
      {Filtered, "\r\b\x03\x16", "\r\b\x03\x16"},  // Enter, Backspace, copy, paste
      {Filtered, "aZ -/\x7F\xE9\x1B\n", ""},
      {lower, "SETTINGS \xC4\xD6\xDC\xD7", "settings \xE4\xF6\xFC\xD7"},  // \xD7 is no letter
  };
  for (const auto& c : cases) EXPECT_EQ(c.routine(c.given), c.expected) << c.given;
}

}  // namespace
