#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "mainwindow/tagging/FileInfoRules.h"

namespace tagging {
namespace {

// One field as the window shows it and as each tag holds it; v1 is null for ID3v2.3-only fields.
struct Field {
  std::string EditFields::*shown;
  std::string ID3V111Values::*v1;
  std::string ID3V230Values::*v2;
};
const Field kTitle{&EditFields::title, &ID3V111Values::SongTitle, &ID3V230Values::SongTitle};
const Field kArtist{&EditFields::artist, &ID3V111Values::Artist, &ID3V230Values::Artist};
const Field kAlbum{&EditFields::album, &ID3V111Values::Album, &ID3V230Values::Album};
const Field kComment{&EditFields::comment, &ID3V111Values::Comment, &ID3V230Values::Comment};
const Field kYear{&EditFields::year, &ID3V111Values::Year, &ID3V230Values::Year};
const Field kGenre{&EditFields::genre, &ID3V111Values::Genre, &ID3V230Values::Genre};
const Field kUnknown{&EditFields::unknown, nullptr, &ID3V230Values::Unknown};

// Both tags present, each with the given text in the field (none where the pointer is null).
std::string Merged(const Field& field, const std::string& v1Text, const std::string& v2Text,
                   const std::array<bool, 5>& held = {}, const std::string& before = "") {
  ID3V111Values v1;
  v1.TagPresent = true;
  if (field.v1) v1.*field.v1 = v1Text;
  ID3V230Values v2;
  v2.TagPresent = true;
  v2.*field.v2 = v2Text;
  EditFields f;
  f.*field.shown = before;
  FillFromTags(f, HoldFlags::FromIndexed(held), v1, v2);
  return f.*field.shown;
}

// Title, artist, album and comment: the ID3v2.3 text replaces the ID3v1.1 text only when
// it is longer after trimming.
TEST(FillFromTags, OnlyALongerTextReplacesInEachMergedField) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"abc", "ABC", "abc"}, {"abc", "ABCD", "ABCD"}, {"abcd", "ABC", "abcd"}, {" abc ", "  abc  ", "abc"}, {"", "A", "A"}};
  const std::pair<const char*, Field> fields[] = {{"title", kTitle}, {"artist", kArtist}, {"album", kAlbum},
                                                  {"comment", kComment}};
  for (const auto& [name, field] : fields) {
    for (const auto& [v1, v2, expected] : rows) EXPECT_EQ(Merged(field, v1, v2), expected) << name << ": " << v1 << " / " << v2;
  }
}

// Each of the five holds keeps its own field against both tags (an empty held field too,
// but for the genre, which an ID3v2.3 genre fills), and no other hold keeps it.
TEST(FillFromTags, EachHoldKeepsItsOwnField) {
  const Field held[] = {kArtist, kAlbum, kComment, kYear, kGenre};
  for (int i = 0; i < 5; ++i) {
    std::array<bool, 5> only{}, others{};
    others.fill(true);
    only.at(i) = true;
    others.at(i) = false;
    EXPECT_EQ(Merged(held[i], "1999", "19999", only, "kept"), "kept") << i;
    EXPECT_EQ(Merged(held[i], "1999", "19999", only, ""), i == 4 ? "19999" : "") << i;
    EXPECT_NE(Merged(held[i], "1999", "19999", others, "kept"), "kept") << i;
  }
}

TEST(FillFromTags, MergeRulesOfSingleFields) {
  struct Row {
    const char* name;
    Field field;
    std::string v1, v2, expected;
  };
  const std::vector<Row> rows = {
      {"Latin-1 length counts characters", kArtist, "M\xFCller", "Muellr", "M\xFCller"},
      {"UTF-16 (FF FE) artist never replaces", kArtist, "Ab", std::string("\xFF\xFE" "A\0r\0t\0", 8), "Ab"},
      {"UTF-16 (FE FF) not even into an empty field", kArtist, "", std::string("\xFE\xFF\0A\0B", 6), ""},
      {"ID3v1.1 year 0 gives way to 1999", kYear, "0", "1999", "1999"},
      {"empty ID3v1.1 year gives way to 1999", kYear, "", "1999", "1999"},
      {"ID3v1.1 year 1998 stays against 1999", kYear, "1998", "1999", "1998"},
      {"ID3v1.1 genre name", kGenre, "Jazz", "(13)", "Jazz"},
      {"ID3v2.3 genre fills an empty field unparsed", kGenre, "", "(13)Pop", "(13)Pop"},
      {"ID3v2.3 UTF-16 genre stays out", kGenre, "", "\xFF\xFEP", ""},
      {"undecoded frames one per line", kUnknown, "", "\"TPOS\"=1/2|\"TXXX\"=A B", "\"TPOS\"=1/2\r\n\"TXXX\"=A B"},
  };
  for (const Row& r : rows) EXPECT_EQ(Merged(r.field, r.v1, r.v2, {}, "x"), r.expected) << r.name;
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

// The comparison the checks of whole field sets rely on sees a change in any one field.
TEST(EditFields, DifferInAnyOneField) {
  std::string EditFields::*const texts[] = {
      &EditFields::title,    &EditFields::artist,         &EditFields::album,    &EditFields::comment,
      &EditFields::year,     &EditFields::genre,          &EditFields::track,    &EditFields::originalArtist,
      &EditFields::subTitle, &EditFields::composer,       &EditFields::copyright, &EditFields::encodedBy,
      &EditFields::language, &EditFields::unknown,        &EditFields::lyrics};
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    EditFields changed;
    changed.*texts[i] = "x";
    EXPECT_FALSE(changed == EditFields()) << i;
  }
  EditFields urls;
  urls.urls = {""};
  EXPECT_FALSE(urls == EditFields());
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
