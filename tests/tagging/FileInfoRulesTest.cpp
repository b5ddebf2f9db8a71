#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "tagging/FileInfoRules.h"

namespace tagging {
namespace {

// One field as the window shows it and as each tag holds it; v1 is null for ID3v2.3-only fields.
struct Field {
  std::string EditFields::*shown;
  std::string ID3V111Values::*v1;
  std::string ID3V230Values::*v2;
  int hold;  // chkHold index, -1 for a field that cannot be held
};
const Field kTitle{&EditFields::title, &ID3V111Values::SongTitle, &ID3V230Values::SongTitle, -1};
const Field kArtist{&EditFields::artist, &ID3V111Values::Artist, &ID3V230Values::Artist, 0};
const Field kComment{&EditFields::comment, &ID3V111Values::Comment, &ID3V230Values::Comment, 2};
const Field kYear{&EditFields::year, &ID3V111Values::Year, &ID3V230Values::Year, 3};
const Field kGenre{&EditFields::genre, &ID3V111Values::Genre, &ID3V230Values::Genre, 4};
const Field kUnknown{&EditFields::unknown, nullptr, &ID3V230Values::Unknown, -1};

TEST(FillFromTags, MergesEachFieldOfBothTags) {
  struct Row {
    const char* name;
    Field field;
    std::string v1, v2;
    bool held;
    std::string before, expected;
  };
  const std::string title40 = "A title cut at thirty characters, whole";
  const std::vector<Row> rows = {
      {"longer ID3v2.3 title wins", kTitle, title40.substr(0, 30), title40, false, "", title40},
      {"equal length keeps the ID3v1.1 text", kTitle, "abc", "ABC", false, "", "abc"},
      {"texts are trimmed before comparing", kTitle, " abc ", "  abc  ", false, "", "abc"},
      {"8-char ID3v1.1 artist kept against 1 char", kArtist, "Abcdefgh", "X", false, "", "Abcdefgh"},
      {"Latin-1 length counts characters", kArtist, "M\xFCller", "Muellr", false, "", "M\xFCller"},
      {"UTF-16 (FF FE) artist never replaces", kArtist, "Ab", "\xFF\xFE" "A\0r\0t\0", false, "", "Ab"},
      {"UTF-16 (FE FF) not even into an empty field", kArtist, "", std::string("\xFE\xFF\0A\0B", 6), false, "", ""},
      {"held artist kept", kArtist, "New one", "A longer new one", true, "old", "old"},
      {"ID3v1.1 year 0 gives way to 1999", kYear, "0", "1999", false, "", "1999"},
      {"empty ID3v1.1 year gives way to 1999", kYear, "", "1999", false, "", "1999"},
      {"ID3v1.1 year 1998 stays against 1999", kYear, "1998", "1999", false, "", "1998"},
      {"held year kept", kYear, "1980", "1999", true, "1970", "1970"},
      {"longer ID3v2.3 comment replaces", kComment, "short", "a longer one", false, "", "a longer one"},
      {"held comment kept", kComment, "new", "a newer one", true, "old", "old"},
      {"ID3v1.1 genre name", kGenre, "Jazz", "(13)", false, "", "Jazz"},
      {"ID3v2.3 genre fills an empty field unparsed", kGenre, "", "(13)Pop", false, "", "(13)Pop"},
      {"ID3v2.3 UTF-16 genre stays out", kGenre, "", "\xFF\xFEP", false, "", ""},
      {"held genre kept", kGenre, "Jazz", "Pop", true, "Blues", "Blues"},
      {"held but empty genre is filled", kGenre, "Jazz", "Pop", true, "", "Pop"},
      {"undecoded frames one per line", kUnknown, "", "\"TPOS\"=1/2|\"TXXX\"=A B", false, "x",
       "\"TPOS\"=1/2\r\n\"TXXX\"=A B"},
  };
  for (const Row& r : rows) {
    ID3V111Values v1;
    v1.TagPresent = true;
    if (r.field.v1) v1.*r.field.v1 = r.v1;
    ID3V230Values v2;
    v2.TagPresent = true;
    v2.*r.field.v2 = r.v2;
    std::array<bool, 5> checked{};
    if (r.held) checked.at(r.field.hold) = true;
    EditFields f;
    f.*r.field.shown = r.before;
    FillFromTags(f, HoldFlags::FromIndexed(checked), v1, v2);
    EXPECT_EQ(f.*r.field.shown, r.expected) << r.name;
  }
}

TEST(FillFromTags, TrackCommentTextUrlsAndTagFlags) {
  ID3V111Values v1;
  v1.TagPresent = true;
  v1.Track = 5;
  v1.Comment = "  ";
  ID3V230Values v2;
  EditFields f;
  auto outcome = FillFromTags(f, HoldFlags{}, v1, v2);
  EXPECT_EQ(f.track, "5");
  EXPECT_EQ(outcome.commentText, std::nullopt) << "a blank comment reaches no text window";
  v1.Track = 0;
  FillFromTags(f, HoldFlags{}, v1, v2);
  EXPECT_EQ(f.track, "") << "ID3v1.1 track 0 is no track";

  v1.Track = 5;
  v2.TagPresent = true;
  v2.Track = 12;
  v2.Comment = "c";
  v2.URL = "http://a|home->http://b||c";
  outcome = FillFromTags(f, HoldFlags{}, v1, v2);
  EXPECT_EQ(f.track, "12");
  EXPECT_EQ(outcome.commentText, std::optional<std::string>("c"));
  EXPECT_EQ(f.urls, (std::vector<std::string>{"http://a", "home->http://b", "", "c"}));
  v2.Track = 0;
  FillFromTags(f, HoldFlags{}, v1, v2);
  EXPECT_EQ(f.track, "5") << "ID3v2.3 track 0 keeps the ID3v1.1 track";

  for (const bool has1 : {false, true}) {
    for (const bool has2 : {false, true}) {
      v1.TagPresent = has1;
      v2.TagPresent = has2;
      const TagFlags flags = FillFromTags(f, HoldFlags{}, v1, v2).flags;
      EXPECT_EQ(flags.TagFound, has1 || has2);
      EXPECT_EQ(flags.ID3V111Found, has1);
      EXPECT_EQ(flags.ID3V230Found, has2);
    }
  }
}

TEST(ClearFields, KeepsOnlyTheHeldFields) {
  EditFields f;
  f.title = f.artist = f.album = f.comment = f.year = f.genre = f.track = f.lyrics = "x";
  f.urls = {"u"};
  ClearFields(f, HoldFlags::FromIndexed({true, false, false, false, true}));
  EditFields expected;
  expected.artist = expected.genre = "x";
  EXPECT_EQ(f, expected);
}

TEST(Labels, TimeAndBitrate) {
  const std::vector<std::pair<long long, std::string>> times = {
      {0, "0:00"}, {59, "0:59"}, {65, "1:05"}, {185, "3:05"}, {3600, "60:00"}, {-3, "0:00"}};
  for (const auto& [seconds, label] : times) EXPECT_EQ(TimeLabel(seconds), label) << seconds;
  EXPECT_EQ(BitrateLabel(128, 44100), "128 kbps / 44100 Hz");
}

TEST(SplitPictures, ParallelListsGiveOneRecordPerPicture) {
  ID3V230Values v2;
  v2.GraphicExtended = "Front Cover|Back Cover|A Bright Colored Fish???";
  v2.GraphicSize = "1000|2000|30";
  v2.GraphicStartPos = "10|1020|3030";
  v2.GraphicTitle = "front||fish";
  const auto pictures = SplitPictures(v2);
  ASSERT_EQ(pictures.size(), 3u);
  const std::vector<std::tuple<int, std::int64_t, std::int64_t, std::string>> expected = {
      {3, 1000, 10, "front"}, {4, 2000, 1020, ""}, {0, 30, 3030, "fish"}};  // the reader's 17 maps back to 0
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(std::make_tuple(pictures[i].PicType, pictures[i].Size, pictures[i].StartPos, pictures[i].Title),
              expected[i]) << i;
  }
  v2.GraphicSize = "x|6|-5";  // sizes that are no number are left out
  ASSERT_EQ(SplitPictures(v2).size(), 1u);
  EXPECT_EQ(SplitPictures(v2)[0].StartPos, 1020);
}

}  // namespace
}  // namespace tagging
