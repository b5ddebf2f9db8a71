#include <gtest/gtest.h>

#include <array>
#include <iterator>
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
// but for the genre, which an ID3v2.3 genre fills) and through a clearing of the fields;
// no other hold keeps it.
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
    EditFields f, expected;
    f.title = f.artist = f.album = f.comment = f.year = f.genre = f.track = f.lyrics = "x";
    f.urls = {"u"};
    expected.*held[i].shown = "x";
    ClearFields(f, HoldFlags::FromIndexed(only));
    EXPECT_EQ(f, expected) << i;
  }
}

TEST(FillFromTags, MergeRulesOfSingleFields) {
  const struct {
    const char* name;
    Field field;
    std::string v1, v2, expected;
  } rows[] = {
      {"Latin-1 length counts characters", kArtist, "M\xFCller", "Muellr", "M\xFCller"},
      {"UTF-8 length counts characters", kTitle, "Abcde", "\xE6\x9D\xB1\xE4\xBA\xAC", "Abcde"},
      {"one UTF-8 character more", kTitle, "Caf", "Caf\xC3\xA9", "Caf\xC3\xA9"},
      {"as long, and not its ID3v1.1 form", kTitle, "Cafe", "Caf\xC3\xA9", "Cafe"},
      {"the ID3v1.1 form gives way", kTitle, "??", "\xE6\x9D\xB1\xE4\xBA\xAC", "\xE6\x9D\xB1\xE4\xBA\xAC"},
      {"the euro sign became \"?\"", kArtist, "Caf?", "Caf\xE2\x82\xAC", "Caf\xE2\x82\xAC"},
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
  for (const auto& r : rows) EXPECT_EQ(Merged(r.field, r.v1, r.v2, {}, "x"), r.expected) << r.name;
}

// The track, the text for the text window, the URLs and the tag flags, by the tags present.
// One set of fields goes through all rows: each fill starts from cleared fields.
TEST(FillFromTags, TrackCommentTextUrlsAndTagFlags) {
  const struct {
    bool has1, has2;
    int track1, track2;
    const char *comment1, *track;
    std::optional<std::string> text;
  } rows[] = {
      {true, true, 5, 12, "c", "12", "ID3v2.3 text"},
      {true, false, 1, 12, "  ", "1", std::nullopt},  // a blank comment reaches no text window
      {true, true, 5, 0, "a longer ID3v1.1 text", "5", "a longer ID3v1.1 text"},  // track 0 keeps the ID3v1.1 track
      {true, false, 0, 12, " c ", "", "c"},  // nor is an ID3v1.1 track 0 a track
      {false, true, 5, 1, "c", "1", "ID3v2.3 text"},
      {false, false, 5, 12, "c", "", std::nullopt},
  };
  EditFields f;
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.has1 << r.has2 << " " << r.track1 << "/" << r.track2);
    ID3V111Values v1;
    v1.TagPresent = r.has1, v1.Track = r.track1, v1.Comment = r.comment1;
    ID3V230Values v2;
    v2.TagPresent = r.has2, v2.Track = r.track2, v2.Comment = "ID3v2.3 text", v2.Urls = {"http://a", "home->http://b", "", "c|d"};
    const MergeOutcome outcome = FillFromTags(f, HoldFlags{}, v1, v2);
    EXPECT_EQ(f.track, r.track);
    EXPECT_EQ(outcome.commentText, r.text);
    EXPECT_EQ(f.urls, (r.has2 ? std::vector<std::string>{"http://a", "home->http://b", "", "c|d"} : std::vector<std::string>{}));
    EXPECT_EQ(std::make_tuple(outcome.flags.TagFound, outcome.flags.ID3V111Found, outcome.flags.ID3V230Found),
              std::make_tuple(r.has1 || r.has2, r.has1, r.has2));
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

TEST(Labels, TimeAndBitrate) {
  const std::vector<std::pair<long long, std::string>> times = {
      {0, "0:00"}, {59, "0:59"}, {65, "1:05"}, {185, "3:05"}, {3600, "60:00"}, {-3, "0:00"}};
  for (const auto& [seconds, label] : times) EXPECT_EQ(TimeLabel(seconds), label) << seconds;
  EXPECT_EQ(BitrateLabel(128, 44100), "128 kbps / 44100 Hz");
}

TEST(SplitPictures, OneRecordPerPicture) {
  ID3V230Values v2;
  v2.Pictures = {{10, 1000, true, "Front Cover", "front|back"}, {1020, 2000, true, "Back Cover", ""},
                 {3030, 30, true, "A Bright Colored Fish???", "fish"},  // the reader's 17 is 0
                 {4000, 7, false, "", ""},                               // its front unread: type 0
                 {5000, -5, true, "Front Cover", "x"}, {-1, 5, true, "Front Cover", "y"}};  // not locatable: left out
  using Record = std::tuple<int, std::int64_t, std::int64_t, std::string>;  // type, size, start, title
  std::vector<Record> got;
  for (const auto& p : SplitPictures(v2)) got.emplace_back(p.PicType, p.Size, p.StartPos, p.Title);
  EXPECT_EQ(got, (std::vector<Record>{{3, 1000, 10, "front|back"}, {4, 2000, 1020, ""}, {0, 30, 3030, "fish"},
                                      {0, 7, 4000, ""}}));
}

}  // namespace
}  // namespace tagging
