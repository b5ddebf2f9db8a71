// The merge of the two tags on UTF-8 texts: "longer" counts characters, and an ID3v1.1 text
// that is the "?" form of the ID3v2 text gives way to it.
#include <gtest/gtest.h>

#include "mainwindow/tagging/FileInfoRules.h"

namespace {

TEST(MergeUnicode, LongerCountsCharactersAndTheQuestionMarkFormGivesWay) {
  const struct {
    const char* v1;
    const char* v2;
    const char* shown;
  } cases[] = {
      {"Abcde", "\xE6\x9D\xB1\xE4\xBA\xAC", "Abcde"},                       // 6 bytes, but 2 characters
      {"Caf", "Caf\xC3\xA9", "Caf\xC3\xA9"},                                // one character more
      {"Cafe", "Caf\xC3\xA9", "Cafe"},                                      // as long, and not its form
      {"??", "\xE6\x9D\xB1\xE4\xBA\xAC", "\xE6\x9D\xB1\xE4\xBA\xAC"},       // the ID3v1.1 form of it
      {"Caf?", "Caf\xE2\x82\xAC", "Caf\xE2\x82\xAC"},                        // the euro sign became "?"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v2);
    tagging::ID3V111Values v1;
    v1.TagPresent = true;
    v1.SongTitle = v1.Artist = v1.Comment = c.v1;
    tagging::ID3V230Values v2;
    v2.TagPresent = true;
    v2.SongTitle = v2.Artist = c.v2;
    tagging::EditFields fields;
    tagging::FillFromTags(fields, {}, v1, v2);
    EXPECT_EQ(fields.title, c.shown);
    EXPECT_EQ(fields.artist, c.shown);
  }
}

}  // namespace
