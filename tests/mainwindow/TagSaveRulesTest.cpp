#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "mainwindow/TagSaveRules.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace mainwindow {
namespace {

TEST(IsNumericText, AcceptsNumbersTheWayAUserTypesThem) {
  struct Case {
    const char* text;
    bool numeric;
    double value;
  };
  const std::vector<Case> cases = {
      {"7", true, 7},       {" 7 ", true, 7},      {"\t7", true, 7},     {"+7", true, 7},
      {"-1", true, -1},     {"2.5", true, 2.5},    {".5", true, 0.5},    {"5.", true, 5},
      {"1e2", true, 100},   {"1E+2", true, 100},   {"25e-1", true, 2.5}, {"007", true, 7},
      {"", false, 0},       {" ", false, 0},       {"3/12", false, 0},   {"7a", false, 0},
      {"a7", false, 0},     {"1e", false, 0},      {".", false, 0},      {"-", false, 0},
      {"1.2.3", false, 0},  {"2,5", false, 0},     {"1 000", false, 0},  {"&H10", false, 0},
      {"0x10", false, 0},   {"inf", false, 0},     {"nan", false, 0},    {"e2", false, 0},
  };
  for (const auto& c : cases) {
    double value = -12345;
    EXPECT_EQ(IsNumericText(c.text, value), c.numeric) << '"' << c.text << '"';
    if (c.numeric) {
      EXPECT_DOUBLE_EQ(value, c.value) << '"' << c.text << '"';
    }
  }
}

TEST(IsNumericText, HugeNumbersAreNumericButInfinite) {
  double value = 0;
  ASSERT_TRUE(IsNumericText("1e400", value));
  EXPECT_TRUE(std::isinf(value));
  ASSERT_TRUE(IsNumericText("1e-400", value));
  EXPECT_EQ(value, 0.0);
}

TEST(ID3V111TrackNumber, RoundsHalfToEvenAndRefusesWhatIsOutOfRange) {
  struct Case {
    const char* text;
    TrackVerdict verdict;
    int value;
  };
  const std::vector<Case> cases = {
      {"", TrackVerdict::Leave, 0},      {"7", TrackVerdict::Assign, 7},    {" 7", TrackVerdict::Assign, 7},
      {"3/12", TrackVerdict::Assign, 0}, {"A1", TrackVerdict::Assign, 0},   {" ", TrackVerdict::Assign, 0},
      {"0", TrackVerdict::Assign, 0},    {"255", TrackVerdict::Assign, 255}, {"256", TrackVerdict::Refuse, 0},
      {"-1", TrackVerdict::Refuse, 0},   {"2.5", TrackVerdict::Assign, 2},  {"3.5", TrackVerdict::Assign, 4},
      {"7.5", TrackVerdict::Assign, 8},  {"7.4", TrackVerdict::Assign, 7},  {"1e2", TrackVerdict::Assign, 100},
      {"255.5", TrackVerdict::Refuse, 0}, {"255.4", TrackVerdict::Assign, 255}, {"-0.5", TrackVerdict::Assign, 0},
      {"-0.6", TrackVerdict::Refuse, 0}, {"1e400", TrackVerdict::Refuse, 0}, {"99999999999999999999", TrackVerdict::Refuse, 0},
  };
  for (const auto& c : cases) {
    const TrackNumber track = ID3V111TrackNumber(c.text);
    EXPECT_EQ(track.verdict, c.verdict) << '"' << c.text << '"';
    EXPECT_EQ(track.value, c.value) << '"' << c.text << '"';
  }
}

TEST(ID3V111GenreNumber, EmptyAndUnknownNamesGive255) {
  EXPECT_EQ(ID3V111GenreNumber(""), 255);
  EXPECT_EQ(ID3V111GenreNumber("Polka Noir"), 255);
  EXPECT_EQ(ID3V111GenreNumber(" Blues"), 255);
  EXPECT_EQ(ID3V111GenreNumber("blues"), 0);
  EXPECT_EQ(ID3V111GenreNumber("SynthPop"), 147);
}

core::PictureRecord Picture(const std::string& file, int type, const std::string& title) {
  core::PictureRecord p;
  p.FileName = file;
  p.PicType = type;
  p.Title = title;
  return p;
}

TEST(JoinPictures, UsesOnlyPicturesWhoseFilesExistWithoutEmptySlots) {
  support::TempDir dir;
  const std::string a = dir.file("a.jpg"), b = dir.file("b.png"), c = dir.file("c.jpg");
  ASSERT_TRUE(support::WriteFileBytes(a, "A"));
  ASSERT_TRUE(support::WriteFileBytes(c, "C"));  // b.png has vanished
  const std::vector<core::PictureRecord> list = {Picture("ignored element 0", 9, "x"), Picture(a, 3, "front"),
                                                 Picture(b, 4, "back"), Picture(c, 0, "")};
  PictureLists lists;
  ASSERT_TRUE(JoinPictures(list, formats::FileSystem::standard(), lists));
  EXPECT_EQ(lists.Graphic, a + "|" + c);
  EXPECT_EQ(lists.GraphicType, "3|0");
  EXPECT_EQ(lists.GraphicTitle, "front|");
}

TEST(JoinPictures, EdgeCases) {
  support::TempDir dir;
  const std::string a = dir.file("a.jpg"), bar = dir.file("x|y.jpg");
  ASSERT_TRUE(support::WriteFileBytes(a, "A"));
  ASSERT_TRUE(support::WriteFileBytes(bar, "B"));
  auto& fs = formats::FileSystem::standard();
  PictureLists lists;

  ASSERT_TRUE(JoinPictures({core::PictureRecord{}}, fs, lists));
  EXPECT_EQ(lists.Graphic + lists.GraphicType + lists.GraphicTitle, "") << "only element 0";
  ASSERT_TRUE(JoinPictures({}, fs, lists));
  EXPECT_EQ(lists.Graphic, "") << "an empty list";

  ASSERT_TRUE(JoinPictures({{}, Picture(dir.path(), 3, "a folder")}, fs, lists));
  EXPECT_EQ(lists.Graphic, "") << "a folder is no picture file";

  ASSERT_TRUE(JoinPictures({{}, Picture(a, 3, "a|b"), Picture(a, 4, "c")}, fs, lists));
  EXPECT_EQ(lists.GraphicTitle, "a/b|c") << "a bar in a description";

  EXPECT_FALSE(JoinPictures({{}, Picture(bar, 3, "t")}, fs, lists)) << "a bar in a path";
  EXPECT_FALSE(JoinPictures({{}, Picture(a, 256, "t")}, fs, lists)) << "a type above 255";
}

EditFields SampleFields() {
  EditFields f;
  f.title = "A title of exactly forty characters long";
  f.artist = "Artist";
  f.album = "Album";
  f.comment = "Comment";
  f.year = "1999";
  f.genre = "Jazz";
  f.track = "7";
  f.originalArtist = "Orig";
  f.subTitle = "Sub";
  f.composer = "Comp";
  f.copyright = "(c)";
  f.encodedBy = "Enc";
  f.language = "deu";
  f.urls = {"a", "b", "c"};
  f.unknown = "\"TPOS\"=1/2";
  f.lyrics = "la\r\nla";
  return f;
}

TEST(ConfigureWriters, MapsEveryFieldToBothWriters) {
  const EditFields f = SampleFields();
  ASSERT_EQ(f.title.size(), 40u);
  formats::clsID3V111Writer v1;
  formats::clsID3V230Writer v2;
  ASSERT_TRUE(ConfigureWriters(f, {core::PictureRecord{}}, formats::FileSystem::standard(), v1, v2));

  EXPECT_EQ(v1.SongTitle(), f.title.substr(0, 30));
  EXPECT_EQ(v1.Artist(), "Artist");
  EXPECT_EQ(v1.Album(), "Album");
  EXPECT_EQ(v1.Year(), "1999");
  EXPECT_EQ(v1.Comment(), "Comment");
  EXPECT_EQ(v1.Track(), 7);
  EXPECT_EQ(v1.Genre(), 8);
  EXPECT_TRUE(v1.GenreAssigned());

  EXPECT_EQ(v2.SongTitle(), f.title);
  EXPECT_EQ(v2.Artist(), "Artist");
  EXPECT_EQ(v2.Album(), "Album");
  EXPECT_EQ(v2.Track(), "7");
  EXPECT_EQ(v2.Year(), "1999");
  EXPECT_EQ(v2.Genre(), "Jazz");
  EXPECT_EQ(v2.Comment(), "Comment");
  EXPECT_EQ(v2.OriginalArtist(), "Orig");
  EXPECT_EQ(v2.SubTitle(), "Sub");
  EXPECT_EQ(v2.Composer(), "Comp");
  EXPECT_EQ(v2.Copyright(), "(c)");
  EXPECT_EQ(v2.EncodedBy(), "Enc");
  EXPECT_EQ(v2.Language(), "deu");
  EXPECT_EQ(v2.URL(), "a|b|c");
  EXPECT_EQ(v2.Lyrics(), "la\r\nla");
  EXPECT_EQ(v2.Graphic(), "");
  EXPECT_EQ(v2.GraphicType(), "");
  EXPECT_EQ(v2.GraphicTitle(), "");
}

TEST(ConfigureWriters, TrackAndGenreRules) {
  struct Case {
    std::string track, genre;
    bool saved;
    int v1Track, v1Genre;
  };
  const std::vector<Case> cases = {
      {"7", "Jazz", true, 7, 8},     {"3/12", "", true, 0, 255},    {"", "Polka Noir", true, 0, 255},
      {"256", "Jazz", false, 0, 0},  {"-1", "Jazz", false, 0, 0},   {"2.5", "rock", true, 2, 17},
  };
  for (const auto& c : cases) {
    EditFields f;
    f.track = c.track;
    f.genre = c.genre;
    formats::clsID3V111Writer v1;
    formats::clsID3V230Writer v2;
    EXPECT_EQ(ConfigureWriters(f, {}, formats::FileSystem::standard(), v1, v2), c.saved) << c.track;
    if (!c.saved) continue;
    EXPECT_EQ(v1.Track(), c.v1Track) << c.track;
    EXPECT_EQ(v1.Genre(), c.v1Genre) << c.genre;
    EXPECT_EQ(v2.Track(), c.track);
    EXPECT_EQ(v2.Genre(), c.genre);
  }
}

TEST(ConfigureWriters, EmptyFieldsGiveEmptyTextsAndNoURL) {
  formats::clsID3V111Writer v1;
  formats::clsID3V230Writer v2;
  ASSERT_TRUE(ConfigureWriters(EditFields{}, {}, formats::FileSystem::standard(), v1, v2));
  EXPECT_EQ(v1.SongTitle(), "");
  EXPECT_EQ(v1.Track(), 0);
  EXPECT_EQ(v1.Genre(), 255);
  EXPECT_EQ(v2.URL(), "");
  EXPECT_EQ(v2.Track(), "");
}

}  // namespace
}  // namespace mainwindow
