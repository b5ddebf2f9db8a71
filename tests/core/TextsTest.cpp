#include "core/Texts.h"

#include <gtest/gtest.h>

namespace {

// ISO-8859-1 letters as single bytes.
const std::string e_acute = "\xE9";     // é
const std::string E_acute = "\xC9";     // É
const std::string sharp_s = "\xDF";     // ß
const std::string y_diaeresis = "\xFF";  // ÿ

struct Case {
  std::string given;
  std::string expected;
};

TEST(TextsTest, CleanFileName) {
  const Case cases[] = {
      {"What?", "What"},
      {"a?\"b", "ab"},  // two forbidden characters side by side
      {"  Artist: Title, Live  ", "Artist Title Live"},
      {" ? ", ""},
      {"\"Quoted\"", "Quoted"},
      {"keep/-_()'", "keep/-_()'"},
      {"", ""},
  };
  for (const auto& c : cases) {
    std::string text = c.given;
    core::CleanFileName(text);
    EXPECT_EQ(text, c.expected) << c.given;
  }
}

TEST(TextsTest, DropUnicodeText) {
  const Case cases[] = {
      {"plain " + e_acute, "plain " + e_acute},
      {"\xFF\xFE" "a\0b\0", ""},
      {"x\xFE", ""},
      {"x" + y_diaeresis, ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(core::DropUnicodeText(c.given), c.expected);
}

TEST(TextsTest, LimitText) {
  const std::string thirtyOne = "abcdefghijklmnopqrstuvwxyz01234";
  ASSERT_EQ(thirtyOne.size(), 31u);
  EXPECT_EQ(core::LimitText(thirtyOne, 30), thirtyOne.substr(0, 30));
  EXPECT_EQ(core::LimitText(thirtyOne, 31), thirtyOne);
  EXPECT_EQ(core::LimitText(thirtyOne, 100), thirtyOne);
  EXPECT_EQ(core::LimitText(thirtyOne, 0), "");
  EXPECT_EQ(core::LimitText(thirtyOne, -1), "");
}

TEST(TextsTest, ProperCaseUpperCasesWordStartsOnly) {
  const Case cases[] = {
      {"the best-of (live) a_b\\c", "The Best-Of (Live) A_B\\C"},
      {"mIXed CASE", "MIXed CASE"},  // nothing is lower-cased
      {e_acute + "t" + e_acute + " " + e_acute + "t" + e_acute, E_acute + "t" + e_acute + " " + E_acute + "t" + e_acute},
      {"a.b/c", "A.b/c"},  // '.' and '/' start no word
      {sharp_s + " " + y_diaeresis, sharp_s + " " + y_diaeresis},  // no capitals in ISO-8859-1
      {"", ""},
  };
  for (const auto& c : cases) {
    std::string text = c.given;
    std::string& returned = core::ProperCase(text);
    EXPECT_EQ(text, c.expected) << c.given;
    EXPECT_EQ(&returned, &text);
  }
}

TEST(TextsTest, FilterKeyPassesDigitsAndEditingKeys) {
  for (char c : std::string("1984:.,")) {
    int key = c;
    core::FilterKey(key);
    EXPECT_EQ(key, c) << c;
  }
  for (int code : {13, 8, 3, 22}) {
    int key = code;
    core::FilterKey(key);
    EXPECT_EQ(key, code);
  }
  for (int code : {int{'a'}, int{'Z'}, int{' '}, int{'-'}, int{'/'}, 0x7F, 0xE9, 27, 10}) {
    int key = code;
    core::FilterKey(key);
    EXPECT_EQ(key, 0) << code;
  }
}

TEST(TextsTest, Latin1LetterCase) {
  EXPECT_EQ(core::UpperLatin1('\xE9'), '\xC9');
  EXPECT_EQ(core::LowerLatin1('\xC9'), '\xE9');
  EXPECT_EQ(core::UpperLatin1('\xF7'), '\xF7');  // the division sign is no letter
  EXPECT_EQ(core::LowerLatin1('\xD7'), '\xD7');  // nor is the multiplication sign
  EXPECT_EQ(core::LowerLatin1(std::string("SETTINGS \xC4\xD6\xDC")), "settings \xE4\xF6\xFC");
}

}  // namespace
