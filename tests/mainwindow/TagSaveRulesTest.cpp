#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "mainwindow/TagSaveRules.h"
#include "support/FailingFileSystem.h"
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

// A real MP3 file of silent frames in a fresh folder; the saves below read it back
// with the format readers.
class SavedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    audio_ = formats::SilentMpegFrames(20);
    ASSERT_FALSE(audio_.empty());
    path_ = dir_.file("song.mp3");
    ASSERT_TRUE(support::WriteFileBytes(path_, audio_));
  }
  std::string bytes() const { return support::ReadFileBytes(path_); }
  formats::clsID3V111Reader readV1() const {
    formats::clsID3V111Reader r;
    r.ReadID3V111Tag(path_);
    return r;
  }
  formats::clsID3V230Reader readV2() const {
    formats::clsID3V230Reader r;
    r.ReadID3V230Tag(path_);
    return r;
  }
  // The audio between the ID3v2.3 tag and the 128-byte ID3v1.1 block.
  std::string audioAfterSave() const {
    const std::string all = bytes();
    if (all.size() < 10 + 128 || all.compare(0, 3, "ID3") != 0) return {};
    const auto s = [&](int i) { return static_cast<std::size_t>(static_cast<unsigned char>(all[i])); };
    const std::size_t tag = 10 + (s(6) << 21) + (s(7) << 14) + (s(8) << 7) + s(9);
    if (tag + 128 > all.size()) return {};
    return all.substr(tag, all.size() - tag - 128);
  }
  std::vector<std::string> folder() const { return support::FolderEntries(dir_.path()); }

  support::TempDir dir_;
  std::string audio_;
  std::string path_;
};

TEST_F(SavedFile, BothTagsHoldTheFieldsAndTheAudioIsUnchanged) {
  const EditFields f = SampleFields();
  ASSERT_TRUE(SaveTagsToFile(path_, f, {core::PictureRecord{}}));
  EXPECT_EQ(audioAfterSave(), audio_);
  EXPECT_EQ(folder(), std::vector<std::string>{"song.mp3"});

  const auto v1 = readV1();
  ASSERT_TRUE(v1.TagPresent());
  EXPECT_EQ(v1.SongTitle(), f.title.substr(0, 30));  // 30 of the 40 characters
  EXPECT_EQ(v1.Artist().substr(0, 6), "Artist");
  EXPECT_EQ(v1.Track(), 7);
  EXPECT_EQ(v1.Genre(), "Jazz");
  EXPECT_EQ(v1.Year(), "1999");

  const auto v2 = readV2();
  ASSERT_TRUE(v2.TagPresent());
  EXPECT_EQ(v2.SongTitle(), f.title);  // all 40 characters
  EXPECT_EQ(v2.Track(), 7);
  EXPECT_EQ(v2.Genre(), "Jazz");
  EXPECT_EQ(v2.URL(), "a|b|c");
  EXPECT_EQ(v2.Lyrics(), "la\r\nla");
  EXPECT_EQ(v2.Language(), "deu");
  EXPECT_EQ(v2.Unknown(), "") << "undecoded frames are shown only, never written";
}

TEST_F(SavedFile, ReadingBackGivesTheSavedFields) {
  const EditFields saved = SampleFields();
  ASSERT_TRUE(SaveTagsToFile(path_, saved, {}));
  EditFields shown;
  FillFromTags(shown, HoldFlags{}, ValuesOf(readV1()), ValuesOf(readV2()));
  EditFields expected = saved;
  expected.unknown.clear();
  EXPECT_EQ(shown, expected);
}

TEST_F(SavedFile, TrackAndGenreBytesOfTheID3V111Tag) {
  struct Case {
    std::string track, genre;
    unsigned char trackByte, genreByte;
    std::string trackFrame;  // the TRCK text in the ID3v2.3 tag, "" for none
  };
  const std::vector<Case> cases = {
      {"7", "Jazz", 7, 8, "7"},       {"3/12", "", 0, 255, "3/12"}, {"", "Polka Noir", 0, 255, ""},
      {"3.5", "blues", 4, 0, "3.5"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(support::WriteFileBytes(path_, audio_));
    EditFields f;
    f.title = "t";
    f.track = c.track;
    f.genre = c.genre;
    ASSERT_TRUE(SaveTagsToFile(path_, f, {})) << c.track;
    const std::string all = bytes();
    ASSERT_GE(all.size(), 128u);
    const std::string block = all.substr(all.size() - 128);
    EXPECT_EQ(block.substr(0, 3), "TAG");
    EXPECT_EQ(static_cast<unsigned char>(block[126]), c.trackByte) << c.track;
    EXPECT_EQ(static_cast<unsigned char>(block[127]), c.genreByte) << c.genre;
    const std::string trck = std::string("TRCK") + '\0' + '\0' + '\0' + char(c.trackFrame.size() + 1) + '\0' +
                             '\0' + '\0' + c.trackFrame;
    EXPECT_EQ(all.find(trck) != std::string::npos, !c.trackFrame.empty()) << c.track;
    const auto v2 = readV2();
    EXPECT_EQ(v2.Genre(), c.genre) << "the ID3v2.3 genre is the text as typed";
  }
}

TEST_F(SavedFile, OutOfRangeTrackWritesNeitherTag) {
  for (const std::string track : {"256", "-1", "1e3"}) {
    EditFields f;
    f.title = "A new title";
    f.track = track;
    EXPECT_FALSE(SaveTagsToFile(path_, f, {})) << track;
    EXPECT_EQ(bytes(), audio_) << track;
    EXPECT_EQ(folder(), std::vector<std::string>{"song.mp3"});
  }
}

TEST_F(SavedFile, VanishedPictureIsLeftOutWithoutAnEmptySlot) {
  const std::string first = dir_.file("first.jpg"), gone = dir_.file("gone.jpg"), third = dir_.file("third.png");
  ASSERT_TRUE(support::WriteFileBytes(first, "\xFF\xD8jpeg data"));
  ASSERT_TRUE(support::WriteFileBytes(third, "png data"));
  const std::vector<core::PictureRecord> list = {core::PictureRecord{}, Picture(first, 3, "front"),
                                                 Picture(gone, 4, "back"), Picture(third, 18, "drawing")};
  EditFields f;
  f.title = "t";
  ASSERT_TRUE(SaveTagsToFile(path_, f, list));
  const auto v2 = readV2();
  EXPECT_EQ(v2.GraphicExtended(), "Front Cover|Illustration");
  EXPECT_EQ(v2.GraphicTitle(), "front|drawing");
  const auto pictures = SplitPictures(ValuesOf(v2));
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].PicType, 3);
  EXPECT_EQ(pictures[1].PicType, 18);
  EXPECT_EQ(audioAfterSave(), audio_);
}

TEST_F(SavedFile, FailuresAreReportedAndLeaveTheFileAsItWas) {
  EditFields f = SampleFields();

  EXPECT_FALSE(SaveTagsToFile(dir_.file("vanished.mp3"), f, {})) << "a missing file";
  EXPECT_FALSE(support::FileExists(dir_.file("vanished.mp3")));
  EXPECT_FALSE(SaveTagsToFile(dir_.path(), f, {})) << "a folder where the file should be";

  {
    support::ImmutableGuard guard(path_);
    if (guard.active()) {
      EXPECT_FALSE(SaveTagsToFile(path_, f, {})) << "an immutable file";
      EXPECT_EQ(bytes(), audio_);
    }
  }
  {
    support::ImmutableGuard guard(dir_.path());
    if (guard.active()) {
      EXPECT_FALSE(SaveTagsToFile(path_, f, {})) << "an immutable folder";
      EXPECT_EQ(bytes(), audio_);
    }
  }
  EXPECT_EQ(folder(), std::vector<std::string>{"song.mp3"});
}

TEST_F(SavedFile, EveryFailingStepAndAFullDiskLeaveTheFileAsItWas) {
  const EditFields f = SampleFields();
  support::FailingFileSystem counting;
  formats::FormatEnv env;
  env.fs = &counting;
  ASSERT_TRUE(SaveTagsToFile(path_, f, {}, env));
  const std::string saved = bytes();
  const int steps = counting.operations();
  ASSERT_GT(steps, 0);

  for (int n = 1; n <= steps; ++n) {
    ASSERT_TRUE(support::WriteFileBytes(path_, audio_));
    support::FailingFileSystem failing;
    failing.failAt(n);
    env.fs = &failing;
    const bool ok = SaveTagsToFile(path_, f, {}, env);
    if (failing.failed()) {
      EXPECT_FALSE(ok) << "step " << n << " (" << failing.failedOperation() << ")";
      EXPECT_EQ(bytes(), audio_) << "step " << n;
    } else {
      EXPECT_TRUE(ok) << "step " << n;
      EXPECT_EQ(bytes(), saved) << "step " << n;
    }
    EXPECT_EQ(folder(), std::vector<std::string>{"song.mp3"}) << "step " << n;
  }

  ASSERT_TRUE(support::WriteFileBytes(path_, audio_));
  support::FailingFileSystem full;
  full.diskFullAfter(audio_.size() / 2);
  env.fs = &full;
  EXPECT_FALSE(SaveTagsToFile(path_, f, {}, env));
  EXPECT_EQ(bytes(), audio_);
  EXPECT_EQ(folder(), std::vector<std::string>{"song.mp3"});
}

}  // namespace
}  // namespace mainwindow
