#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "mainwindow/FileInfoRules.h"

namespace mainwindow {
namespace {

EditFields FullFields() {
  EditFields f;
  f.title = "old title";
  f.artist = "old artist";
  f.album = "old album";
  f.comment = "old comment";
  f.year = "1970";
  f.genre = "Rock";
  f.track = "9";
  f.originalArtist = "oa";
  f.subTitle = "st";
  f.composer = "co";
  f.copyright = "cr";
  f.encodedBy = "eb";
  f.language = "deu";
  f.urls = {"u1", "u2"};
  f.unknown = "\"TPOS\"=1/2";
  f.lyrics = "la la";
  return f;
}

TEST(ClearFields, EmptiesEveryFieldWhenNothingIsHeld) {
  EditFields f = FullFields();
  ClearFields(f, HoldFlags{});
  EXPECT_EQ(f, EditFields{});
}

TEST(ClearFields, KeepsEachHeldFieldAndOnlyThatOne) {
  struct Case {
    int index;
    std::function<std::string(const EditFields&)> field;
  };
  const std::vector<Case> cases = {
      {0, [](const EditFields& f) { return f.artist; }},
      {1, [](const EditFields& f) { return f.album; }},
      {2, [](const EditFields& f) { return f.comment; }},
      {3, [](const EditFields& f) { return f.year; }},
      {4, [](const EditFields& f) { return f.genre; }},
  };
  for (const auto& c : cases) {
    std::array<bool, 5> checked{};
    checked[c.index] = true;
    EditFields f = FullFields();
    ClearFields(f, HoldFlags::FromIndexed(checked));
    EXPECT_EQ(c.field(f), c.field(FullFields())) << "chkHold(" << c.index << ")";
    EditFields expected;
    const std::string kept = c.field(FullFields());
    switch (c.index) {
      case 0: expected.artist = kept; break;
      case 1: expected.album = kept; break;
      case 2: expected.comment = kept; break;
      case 3: expected.year = kept; break;
      case 4: expected.genre = kept; break;
    }
    EXPECT_EQ(f, expected) << "chkHold(" << c.index << ")";
  }
}

ID3V111Values V1(const std::string& title, const std::string& artist, const std::string& year = "",
                 int track = 0) {
  ID3V111Values v;
  v.TagPresent = true;
  v.SongTitle = title;
  v.Artist = artist;
  v.Year = year;
  v.Track = track;
  return v;
}

ID3V230Values V2(const std::string& title, const std::string& artist, const std::string& year = "",
                 int track = 0) {
  ID3V230Values v;
  v.TagPresent = true;
  v.SongTitle = title;
  v.Artist = artist;
  v.Year = year;
  v.Track = track;
  return v;
}

TEST(FillFromTags, MergesTitleArtistYearAndTrackOfBothTags) {
  const std::string title30 = "A title cut at thirty charact";
  const std::string title40 = "A title cut at thirty characters, whole";
  struct Case {
    const char* name;
    ID3V111Values v1;
    ID3V230Values v2;
    std::string title, artist, year, track;
  };
  ID3V111Values none;
  ID3V230Values none2;
  const std::vector<Case> cases = {
      {"longer ID3v2.3 title wins", V1(title30, "A"), V2(title40, "A"), title40, "A", "", ""},
      {"8-char ID3v1.1 artist kept against 1-char ID3v2.3 artist", V1("t", "Abcdefgh"), V2("t", "X"), "t",
       "Abcdefgh", "", ""},
      {"equal length keeps the ID3v1.1 text", V1("abc", "xyz"), V2("ABC", "XYZ"), "abc", "xyz", "", ""},
      {"UTF-16 artist (FF FE) never replaces", V1("t", "Ab"), V2("t", "\xFF\xFE" "A\0r\0t\0i\0s\0t\0"), "t", "Ab", "",
       ""},
      {"UTF-16 artist (FE FF) never replaces, even into an empty field", none,
       V2("t", std::string("\xFE\xFF\0A\0B", 6)), "t", "", "", ""},
      {"ID3v1.1 texts are trimmed", V1("  pad  ", " Art "), none2, "pad", "Art", "", ""},
      {"ID3v2.3 texts are trimmed before comparing", V1("abc", ""), V2("  abc  ", "   "), "abc", "", "", ""},
      {"ID3v1.1 year 0, ID3v2.3 year 1999", V1("t", "a", "0"), V2("t", "a", "1999"), "t", "a", "1999", ""},
      {"empty ID3v1.1 year, ID3v2.3 year 1999", V1("t", "a", ""), V2("t", "a", "1999"), "t", "a", "1999", ""},
      {"ID3v1.1 year of blanks counts as none", V1("t", "a", "    "), V2("t", "a", "1999"), "t", "a", "1999", ""},
      {"ID3v1.1 year 1998 stays against 1999", V1("t", "a", "1998"), V2("t", "a", "1999"), "t", "a", "1998", ""},
      {"ID3v1.1 year taken as read", V1("t", "a", "1998"), none2, "t", "a", "1998", ""},
      {"ID3v1.1 track 0 leaves the field empty", V1("t", "a", "", 0), none2, "t", "a", "", ""},
      {"ID3v1.1 track 5", V1("t", "a", "", 5), none2, "t", "a", "", "5"},
      {"ID3v2.3 track replaces", V1("t", "a", "", 5), V2("t", "a", "", 12), "t", "a", "", "12"},
      {"ID3v2.3 track 0 keeps the ID3v1.1 track", V1("t", "a", "", 5), V2("t", "a", "", 0), "t", "a", "", "5"},
      {"track 255", V1("t", "a", "", 255), none2, "t", "a", "", "255"},
      {"only an ID3v2.3 tag", none, V2("Song", "Band", "2001", 3), "Song", "Band", "2001", "3"},
      {"no tag at all", none, none2, "", "", "", ""},
  };
  for (const auto& c : cases) {
    EditFields f = FullFields();
    FillFromTags(f, HoldFlags{}, c.v1, c.v2);
    EXPECT_EQ(f.title, c.title) << c.name;
    EXPECT_EQ(f.artist, c.artist) << c.name;
    EXPECT_EQ(f.year, c.year) << c.name;
    EXPECT_EQ(f.track, c.track) << c.name;
  }
}

TEST(FillFromTags, LongerComparesCharactersOfLatin1Texts) {
  // "Müller" is six ISO-8859-1 characters; "Muellr" is six too, so it does not replace.
  EditFields f;
  FillFromTags(f, HoldFlags{}, V1("t", "M\xFCller"), V2("t", "Muellr"));
  EXPECT_EQ(f.artist, "M\xFCller");
  FillFromTags(f, HoldFlags{}, V1("t", "M\xFCller"), V2("t", "Mueller"));
  EXPECT_EQ(f.artist, "Mueller");
}

TEST(FillFromTags, HeldFieldsKeepTheirTextsWhateverTheTagsHold) {
  ID3V111Values v1 = V1("t1", "New artist one", "1980", 4);
  v1.Album = "New album one";
  v1.Comment = "New comment one";
  v1.Genre = "Jazz";
  ID3V230Values v2 = V2("t2", "A much longer new artist two", "1999", 6);
  v2.Album = "A much longer new album two";
  v2.Comment = "A much longer new comment two";
  v2.Genre = "Pop";

  EditFields f = FullFields();
  const auto outcome = FillFromTags(f, HoldFlags::FromIndexed({true, true, true, true, true}), v1, v2);
  EXPECT_EQ(f.artist, "old artist");
  EXPECT_EQ(f.album, "old album");
  EXPECT_EQ(f.comment, "old comment");
  EXPECT_EQ(f.year, "1970");
  EXPECT_EQ(f.genre, "Rock");
  EXPECT_EQ(f.title, "t1");
  EXPECT_EQ(f.track, "6");
  EXPECT_FALSE(outcome.commentText.has_value());
}

TEST(FillFromTags, CommentGoesToTheTextWindowWhenSet) {
  struct Case {
    const char* name;
    std::string v1, v2;
    std::string field;
    std::optional<std::string> text;
  };
  const std::vector<Case> cases = {
      {"ID3v1.1 only", " short ", "", "short", std::string("short")},
      {"longer ID3v2.3 comment replaces", "short", "a longer comment", "a longer comment",
       std::string("a longer comment")},
      {"shorter ID3v2.3 comment stays out", "a longer comment", "short", "a longer comment",
       std::string("a longer comment")},
      {"blank comments reach nobody", "   ", "  ", "", std::nullopt},
      {"ID3v2.3 comment keeps UTF-16 bytes", "", "\xFF\xFEx", "\xFF\xFEx", std::string("\xFF\xFEx")},
  };
  for (const auto& c : cases) {
    ID3V111Values v1 = V1("t", "a");
    v1.Comment = c.v1;
    ID3V230Values v2 = V2("t", "a");
    v2.Comment = c.v2;
    EditFields f;
    const auto outcome = FillFromTags(f, HoldFlags{}, v1, v2);
    EXPECT_EQ(f.comment, c.field) << c.name;
    EXPECT_EQ(outcome.commentText, c.text) << c.name;
  }
}

TEST(FillFromTags, GenreComesFromID3V111AndFillsOnlyAnEmptyField) {
  struct Case {
    const char* name;
    std::string v1, v2;
    bool held;
    std::string before, expected;
  };
  const std::vector<Case> cases = {
      {"ID3v1.1 name", "Jazz", "(13)", false, "", "Jazz"},
      {"ID3v2.3 fills the empty field unparsed", "", "(13)Pop", false, "", "(13)Pop"},
      {"ID3v2.3 UTF-16 genre stays empty", "", "\xFF\xFEP\0", false, "", ""},
      {"held genre kept", "Jazz", "Pop", true, "Blues", "Blues"},
      {"held but empty genre is filled from ID3v2.3", "Jazz", "Pop", true, "", "Pop"},
  };
  for (const auto& c : cases) {
    ID3V111Values v1 = V1("t", "a");
    v1.Genre = c.v1;
    ID3V230Values v2 = V2("t", "a");
    v2.Genre = c.v2;
    EditFields f;
    f.genre = c.before;
    HoldFlags holds;
    holds.genre = c.held;
    FillFromTags(f, holds, v1, v2);
    EXPECT_EQ(f.genre, c.expected) << c.name;
  }
}

TEST(FillFromTags, ID3V230OnlyFieldsAreTakenAsRead) {
  ID3V230Values v2 = V2("t", "a");
  v2.OriginalArtist = " Orig ";
  v2.SubTitle = "Sub";
  v2.Composer = "Comp";
  v2.Copyright = "(c) 1999";
  v2.EncodedBy = "Enc";
  v2.Language = "deu";
  v2.Lyrics = "line 1\r\nline 2";
  v2.URL = "http://a|home->http://b|c";
  v2.Unknown = "\"TPOS\"=1/2|\"TXXX\"=A B";
  EditFields f;
  FillFromTags(f, HoldFlags{}, ID3V111Values{}, v2);
  EXPECT_EQ(f.originalArtist, " Orig ");
  EXPECT_EQ(f.subTitle, "Sub");
  EXPECT_EQ(f.composer, "Comp");
  EXPECT_EQ(f.copyright, "(c) 1999");
  EXPECT_EQ(f.encodedBy, "Enc");
  EXPECT_EQ(f.language, "deu");
  EXPECT_EQ(f.lyrics, "line 1\r\nline 2");
  EXPECT_EQ(f.urls, (std::vector<std::string>{"http://a", "home->http://b", "c"}));
  EXPECT_EQ(f.unknown, "\"TPOS\"=1/2\r\n\"TXXX\"=A B");
}

TEST(FillFromTags, OnlyAnID3V111TagLeavesTheID3V230FieldsEmpty) {
  EditFields f = FullFields();
  ID3V111Values v1 = V1("t", "a", "1999", 2);
  v1.Album = "al";
  FillFromTags(f, HoldFlags{}, v1, ID3V230Values{});
  EditFields expected;
  expected.title = "t";
  expected.artist = "a";
  expected.album = "al";
  expected.year = "1999";
  expected.track = "2";
  EXPECT_EQ(f, expected);
}

TEST(FillFromTags, UrlListsSplitAtTheBar) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"", {}},
      {"one", {"one"}},
      {"a|b|c", {"a", "b", "c"}},
      {"a||c", {"a", "", "c"}},
  };
  for (const auto& [url, expected] : cases) {
    ID3V230Values v2 = V2("t", "a");
    v2.URL = url;
    EditFields f;
    FillFromTags(f, HoldFlags{}, ID3V111Values{}, v2);
    EXPECT_EQ(f.urls, expected) << url;
  }
}

TEST(FillFromTags, ReportsWhichTagsWereFound) {
  struct Case {
    bool v1, v2;
  };
  for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
    ID3V111Values v1;
    v1.TagPresent = c.v1;
    ID3V230Values v2;
    v2.TagPresent = c.v2;
    EditFields f;
    const auto flags = FillFromTags(f, HoldFlags{}, v1, v2).flags;
    EXPECT_EQ(flags.TagFound, c.v1 || c.v2);
    EXPECT_EQ(flags.ID3V111Found, c.v1);
    EXPECT_EQ(flags.ID3V230Found, c.v2);
  }
}

TEST(TimeLabel, MinutesAndTwoDigitSeconds) {
  const std::vector<std::pair<long long, std::string>> cases = {
      {0, "0:00"}, {5, "0:05"}, {59, "0:59"}, {60, "1:00"}, {65, "1:05"}, {185, "3:05"}, {3600, "60:00"}, {-3, "0:00"},
  };
  for (const auto& [seconds, label] : cases) EXPECT_EQ(TimeLabel(seconds), label) << seconds;
}

TEST(BitrateLabel, KbpsAndHz) {
  EXPECT_EQ(BitrateLabel(128, 44100), "128 kbps / 44100 Hz");
  EXPECT_EQ(BitrateLabel(0, 0), "0 kbps / 0 Hz");
}

TEST(SplitPictures, ParallelListsGiveOneRecordPerPicture) {
  ID3V230Values v2;
  v2.GraphicExtended = "Front Cover|Back Cover|A Bright Colored Fish???";
  v2.GraphicSize = "1000|2000|30";
  v2.GraphicStartPos = "10|1020|3030";
  v2.GraphicTitle = "front||fish";
  const auto pictures = SplitPictures(v2);
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(pictures[0].PicType, 3);
  EXPECT_EQ(pictures[0].Size, 1000);
  EXPECT_EQ(pictures[0].StartPos, 10);
  EXPECT_EQ(pictures[0].Title, "front");
  EXPECT_EQ(pictures[1].PicType, 4);
  EXPECT_EQ(pictures[1].StartPos, 1020);
  EXPECT_EQ(pictures[1].Title, "");
  EXPECT_EQ(pictures[2].PicType, 0);  // the reader's name for 17 maps back to 0
  EXPECT_EQ(pictures[2].Title, "fish");
  for (const auto& p : pictures) {
    EXPECT_EQ(p.FileName, "");
    EXPECT_FALSE(p.Temporary);
  }
}

TEST(SplitPictures, EdgeCasesOfTheLists) {
  struct Case {
    const char* name;
    std::string types, sizes, starts, titles;
    std::vector<std::int64_t> expectedStarts;
  };
  const std::vector<Case> cases = {
      {"no picture", "", "", "", "", {}},
      {"one picture without bars", "Media", "77", "500", "t", {500}},
      {"quick-read lists without types and titles", "", "5|6", "100|200", "", {100, 200}},
      {"a size that is no number is left out", "Media|Media", "x|6", "100|200", "a|b", {200}},
      {"a missing position is left out", "Media|Media", "5|6", "100", "a|b", {100}},
      {"a negative number is left out", "Media", "-5", "100", "a", {}},
  };
  for (const auto& c : cases) {
    ID3V230Values v2;
    v2.GraphicExtended = c.types;
    v2.GraphicSize = c.sizes;
    v2.GraphicStartPos = c.starts;
    v2.GraphicTitle = c.titles;
    std::vector<std::int64_t> starts;
    for (const auto& p : SplitPictures(v2)) starts.push_back(p.StartPos);
    EXPECT_EQ(starts, c.expectedStarts) << c.name;
  }
}

TEST(TrimBlanks, RemovesBlanksOnlyAtBothEnds) {
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks(std::string("x\0", 2)), std::string("x\0", 2));
  EXPECT_EQ(TrimBlanks("\tx"), "\tx");
}

}  // namespace
}  // namespace mainwindow
