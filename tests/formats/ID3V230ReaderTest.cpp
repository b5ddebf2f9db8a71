// The ID3v2.3 reader on byte fixtures: every frame handler, the list properties, the
// header flags, QuickRead, and what a failed read leaves behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/ID3V230Reader.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/TempDir.h"

using formats::clsID3V230Reader;
using formats::FormatEnv;
using support::Frame;
using support::Tag;
using support::Text;

namespace {

const std::string NUL(1, '\0');

class ID3V230ReaderTest : public ::testing::Test {
 protected:
  // Writes the bytes (followed by audio) to a fresh file and reads it.
  clsID3V230Reader read(const std::string& tagBytes, bool quick = false) {
    const std::string path = dir.file("song.mp3");
    support::WriteFileBytes(path, tagBytes + support::Audio());
    FormatEnv env;
    env.notice = [this](const std::string& text) { notices.push_back(text); };
    env.yield = [this] { ++yields; };
    clsID3V230Reader reader(env);
    reader.setQuickRead(quick);
    reader.ReadID3V230Tag(path, false, false);
    return reader;
  }

  support::TempDir dir;
  std::vector<std::string> notices;
  int yields = 0;
};

TEST_F(ID3V230ReaderTest, ReadsEveryTextFrameIntoItsProperty) {
  const auto r = read(Tag({
      Frame("TIT2", Text("Title")),
      Frame("TPE1", Text("Artist")),
      Frame("TALB", Text("Album")),
      Frame("TYER", Text("1999")),
      Frame("TCON", Text("(17)Rock")),
      Frame("TENC", Text("Encoder")),
      Frame("TCOM", Text("Composer")),
      Frame("TOPE", Text("Original")),
      Frame("TCOP", Text("(c) me")),
      Frame("TIT3", Text("Sub")),
      Frame("TLAN", Text("deu")),
      Frame("COMM", Text("eng" + NUL + "Nice")),
      Frame("USLT", Text("eng" + NUL + "la la")),
  }));
  EXPECT_TRUE(r.TagPresent());
  EXPECT_EQ(r.SongTitle(), "Title");
  EXPECT_EQ(r.Artist(), "Artist");
  EXPECT_EQ(r.Album(), "Album");
  EXPECT_EQ(r.Year(), "1999");
  EXPECT_EQ(r.Genre(), "(17)Rock");
  EXPECT_EQ(r.EncodedBy(), "Encoder");
  EXPECT_EQ(r.Composer(), "Composer");
  EXPECT_EQ(r.OriginalArtist(), "Original");
  EXPECT_EQ(r.Copyright(), "(c) me");
  EXPECT_EQ(r.SubTitle(), "Sub");
  EXPECT_EQ(r.Language(), "deu");
  EXPECT_EQ(r.Comment(), "Nice");
  EXPECT_EQ(r.Lyrics(), "la la");
  EXPECT_EQ(r.Unknown(), "");
  EXPECT_TRUE(notices.empty());
}

TEST_F(ID3V230ReaderTest, EncodingByteIsDroppedAndNothingIsTrimmed) {
  const auto r = read(Tag({
      Frame("TIT2", "\x01" "ab" + NUL),
      Frame("TPE1", Text(" spaced ")),
  }));
  EXPECT_EQ(r.SongTitle(), "ab" + NUL);
  EXPECT_EQ(r.Artist(), " spaced ");
}

TEST_F(ID3V230ReaderTest, OtherMajorVersionsAndOtherFilesHaveNoTag) {
  const std::string frames = Frame("TIT2", Text("x"));
  const std::string cases[] = {
      support::TagHeader(static_cast<std::uint32_t>(frames.size()), 0, 4) + frames,
      support::TagHeader(static_cast<std::uint32_t>(frames.size()), 0, 2) + frames,
      "id3" + support::TagHeader(11).substr(3) + frames,
      "",
      "ID3\x03",
  };
  for (const auto& bytes : cases) {
    const auto r = read(bytes);
    EXPECT_FALSE(r.TagPresent());
    EXPECT_EQ(r.SongTitle(), "");
  }
}

TEST_F(ID3V230ReaderTest, MissingFileChangesNothing) {
  clsID3V230Reader reader;
  reader.setSongTitle("kept");
  reader.setTagPresent(true);
  reader.ReadID3V230Tag(dir.file("absent.mp3"));
  reader.ReadID3V230Tag(dir.path());  // a folder cannot be opened as a file either
  EXPECT_EQ(reader.SongTitle(), "kept");
  EXPECT_TRUE(reader.TagPresent());
}

TEST_F(ID3V230ReaderTest, TrackNumberAndTotal) {
  struct Case {
    std::string text;
    int track, tracks;
    bool present;
  };
  const Case cases[] = {
      {"7/12", 7, 12, true},   {"7", 7, 0, true},       {"ab/cd", 0, 0, true},  {" 7 / 12 ", 7, 12, true},
      {"/12", 0, 12, true},    {"2.5", 2, 0, true},     {"3.5", 4, 0, true},    {"255", 255, 0, true},
      {"7/12/3", 7, 12, true}, {"", 0, 0, true},        {"256", 0, 0, false},   {"7/300", 7, 0, false},
      {"-3", 0, 0, false},
  };
  for (const auto& c : cases) {
    const auto r = read(Tag({Frame("TIT2", Text("t")), Frame("TRCK", Text(c.text)), Frame("TALB", Text("a"))}));
    SCOPED_TRACE(c.text);
    EXPECT_EQ(r.Track(), c.track);
    EXPECT_EQ(r.Tracks(), c.tracks);
    EXPECT_EQ(r.TagPresent(), c.present);
    EXPECT_EQ(r.SongTitle(), "t");                  // read before the failure: kept
    EXPECT_EQ(r.Album(), c.present ? "a" : "");  // after it: never reached
  }
}

TEST_F(ID3V230ReaderTest, UrlsAreJoinedWithTheirDescriptions) {
  const auto r = read(Tag({
      Frame("WXXX", Text("home" + NUL + "x")),
      Frame("WXXX", Text(NUL + "y")),
  }));
  EXPECT_EQ(r.URL(), "home->x|y");
}

TEST_F(ID3V230ReaderTest, AnEmptyFirstListEntryKeepsItsPlace) {
  const auto r = read(Tag({
      Frame("WXXX", Text(NUL)),
      Frame("WXXX", Text(NUL + "y")),
  }));
  EXPECT_EQ(r.URL(), "|y");
}

TEST_F(ID3V230ReaderTest, CommentAndUrlWithoutNulEndTheRead) {
  for (const char* id : {"COMM", "WXXX"}) {
    const auto r = read(Tag({Frame("TIT2", Text("t")), Frame(id, Text("no separator")), Frame("TALB", Text("a"))}));
    EXPECT_FALSE(r.TagPresent()) << id;
    EXPECT_EQ(r.SongTitle(), "t");
    EXPECT_EQ(r.Album(), "");
  }
}

TEST_F(ID3V230ReaderTest, LyricsByNumberOfPieces) {
  struct Case {
    std::string body;
    std::string lyrics;
  };
  const Case cases[] = {
      {"eng" + NUL + "line", "line"},
      {"eng" + NUL + "one" + NUL + "two", "one\r\ntwo"},
      {"eng" + NUL + "a" + NUL + "b" + NUL + "c", ""},
      {"eng", ""},
  };
  for (const auto& c : cases) {
    const auto r = read(Tag({Frame("USLT", Text(c.body))}));
    EXPECT_TRUE(r.TagPresent());
    EXPECT_EQ(r.Lyrics(), c.lyrics);
  }
}

TEST_F(ID3V230ReaderTest, PictureFramesGiveParallelLists) {
  const std::string first = Text("image/jpeg" + NUL + "\x03" "front" + NUL + "JPEGDATA");
  const std::string second = Text("image/png" + NUL + "\x19" + NUL + "PNG");
  const std::string title = Frame("TIT2", Text("t"));
  const auto r = read(Tag({title, Frame("APIC", first), Frame("APIC", second)}));
  EXPECT_TRUE(r.TagPresent());
  const auto firstAt = 10 + title.size();
  const auto secondAt = firstAt + 10 + first.size();
  EXPECT_EQ(r.GraphicStartPos(), std::to_string(firstAt) + "|" + std::to_string(secondAt));
  EXPECT_EQ(r.GraphicSize(), std::to_string(first.size()) + "|" + std::to_string(second.size()));
  EXPECT_EQ(r.GraphicExtended(), "Front Cover|Other");
  EXPECT_EQ(r.GraphicTitle(), "front|");
}

TEST_F(ID3V230ReaderTest, PictureWithPlainSizeAbove127) {
  // Type 0, an empty description, then the picture data.
  const std::string body = Text("image/" + NUL + NUL + NUL) + std::string(70000, 'p');
  const auto r = read(Tag({Frame("APIC", body), Frame("TIT2", Text("after"))}));
  EXPECT_TRUE(r.TagPresent());
  EXPECT_EQ(r.GraphicSize(), std::to_string(body.size()));
  EXPECT_EQ(r.SongTitle(), "after");
}

TEST_F(ID3V230ReaderTest, UnhandledFramesGoToUnknown) {
  const auto r = read(Tag({
      Frame("TPOS", std::string("\x00" "1/2", 4)),
      Frame("TXXX", std::string("\x00" "A\x00" "B", 4)),
  }));
  EXPECT_EQ(r.Unknown(), "\"TPOS\"=1/2|\"TXXX\"=A B");
}

TEST_F(ID3V230ReaderTest, CompressedAndEncryptedFramesAreSteppedOver) {
  const auto r = read(Tag({
      Frame("TIT2", Text("packed"), std::string("\x00\x80", 2)),
      Frame("TPOS", Text("1"), std::string("\x00\x40", 2)),
      Frame("APIC", Text("x"), std::string("\x00\x80", 2)),
      Frame("TPE1", Text("plain"), std::string("\xE0\x20", 2)),
  }));
  EXPECT_TRUE(r.TagPresent());
  EXPECT_EQ(r.SongTitle(), "");
  EXPECT_EQ(r.Unknown(), "");
  EXPECT_EQ(r.Artist(), "plain");
  EXPECT_EQ(r.GraphicSize(), "2");  // still recorded
  EXPECT_EQ(r.GraphicExtended(), "");
}

TEST_F(ID3V230ReaderTest, PaddingOrTheSizeBoundEndsTheFrames) {
  const auto padded = read(Tag({Frame("TIT2", Text("t"))}, 300));
  EXPECT_TRUE(padded.TagPresent());
  EXPECT_EQ(padded.SongTitle(), "t");
  yields = 0;
  const auto exact = read(Tag({Frame("TIT2", Text("t")), Frame("TPE1", Text("a"))}));
  EXPECT_TRUE(exact.TagPresent());
  EXPECT_EQ(exact.Artist(), "a");
  EXPECT_EQ(yields, 2);  // once per frame
}

TEST_F(ID3V230ReaderTest, QuickReadDecodesOnlyTheListFields) {
  const std::string picture = Text("image/jpg" + NUL + "\x03" "d" + NUL + "data");
  const auto r = read(Tag({
                          Frame("TIT2", Text("t")),
                          Frame("TCON", Text("Rock")),
                          Frame("COMM", Text("eng" + NUL + "c")),
                          Frame("USLT", Text("eng" + NUL + "l")),
                          Frame("TPOS", Text("1")),
                          Frame("APIC", picture),
                      }),
                      true);
  EXPECT_TRUE(r.TagPresent());
  EXPECT_EQ(r.SongTitle(), "t");
  EXPECT_EQ(r.Comment(), "c");
  EXPECT_EQ(r.Genre(), "");
  EXPECT_EQ(r.Lyrics(), "");
  EXPECT_EQ(r.Unknown(), "");
  EXPECT_EQ(r.GraphicSize(), std::to_string(picture.size()));
  EXPECT_FALSE(r.GraphicStartPos().empty());
  EXPECT_EQ(r.GraphicExtended(), "");
  EXPECT_EQ(r.GraphicTitle(), "");
}

TEST_F(ID3V230ReaderTest, PlainSizeOfATextFrameIsReadAsSevenBit) {
  // 00 00 01 2C is 300 as a plain number and 172 as a 7-bit size.
  const std::string text = Text(std::string(299, 'x'));
  const std::string frame = "TIT2" + support::Plain32(300) + std::string(2, '\0') + text;
  const auto r = read(support::TagHeader(static_cast<std::uint32_t>(frame.size())) + frame);
  EXPECT_EQ(r.SongTitle(), std::string(171, 'x'));
  // The rest of the text is then taken for a frame header: the read fails quietly.
  EXPECT_FALSE(r.TagPresent());
}

TEST_F(ID3V230ReaderTest, UnsynchronisedTagShowsTheNotice) {
  const std::string frames = Frame("TIT2", Text("t"));
  const auto r = read(support::TagHeader(static_cast<std::uint32_t>(frames.size()), 0x80) + frames);
  EXPECT_FALSE(r.TagPresent());
  EXPECT_EQ(r.SongTitle(), "");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0],
            "This ID3 Tag is Unsyncronized.  This application is not equipped to read this kind of ID3 Tag.");
}

TEST_F(ID3V230ReaderTest, DetermineTagPresentOnlyChecksTheHeader) {
  const std::string frames = Frame("TIT2", Text("t"));
  const std::string path = dir.file("u.mp3");
  support::WriteFileBytes(path, support::TagHeader(static_cast<std::uint32_t>(frames.size()), 0x80) + frames);
  FormatEnv env;
  env.notice = [this](const std::string& text) { notices.push_back(text); };
  clsID3V230Reader reader(env);
  reader.ReadID3V230Tag(path, false, true);
  EXPECT_TRUE(reader.TagPresent());
  EXPECT_EQ(reader.SongTitle(), "");
  EXPECT_TRUE(notices.empty());
}

TEST_F(ID3V230ReaderTest, ExtendedHeaderWithCrcAndExperimentalFlag) {
  const std::string extended = support::SevenBit(10) + std::string("\x80\x00", 2) + support::SevenBit(0) +
                               std::string("\x00\x00\x01\x05", 4);  // CRC as a 7-bit size: 133
  const std::string frames = Frame("TIT2", Text("t"));
  const auto r = read(support::TagHeader(static_cast<std::uint32_t>(extended.size() + frames.size()), 0x60) +
                      extended + frames);
  EXPECT_TRUE(r.TagPresent());
  EXPECT_TRUE(r.ExtendedHeader());
  EXPECT_TRUE(r.ExperimentalTag());
  EXPECT_TRUE(r.CRC());
  EXPECT_EQ(r.CRCValue(), 133.0);
  EXPECT_EQ(r.SongTitle(), "t");

  const std::string shortExtended = support::SevenBit(6) + std::string(6, '\0');
  const auto s = read(support::TagHeader(static_cast<std::uint32_t>(shortExtended.size() + frames.size()), 0x40) +
                      shortExtended + frames);
  EXPECT_TRUE(s.ExtendedHeader());
  EXPECT_FALSE(s.CRC());
  EXPECT_FALSE(s.ExperimentalTag());
  EXPECT_EQ(s.SongTitle(), "t");
}

TEST_F(ID3V230ReaderTest, SecondReadClearsFieldsButKeepsTagFactsItDoesNotSet) {
  const std::string first = dir.file("a.mp3"), second = dir.file("b.mp3"), third = dir.file("c.mp3");
  const std::string extended = support::SevenBit(10) + std::string(6, '\0') + support::SevenBit(5);
  const std::string frames = Frame("TIT2", Text("one")) + Frame("TPOS", Text("1"));
  support::WriteFileBytes(first, support::TagHeader(static_cast<std::uint32_t>(extended.size() + frames.size()), 0x60) +
                                     extended + frames);
  support::WriteFileBytes(second, support::Audio());
  support::WriteFileBytes(third, Tag({Frame("TPE1", Text("three"))}));
  clsID3V230Reader reader;
  reader.ReadID3V230Tag(first);
  EXPECT_EQ(reader.SongTitle(), "one");
  reader.ReadID3V230Tag(second);  // no tag: fields cleared, facts kept
  EXPECT_FALSE(reader.TagPresent());
  EXPECT_EQ(reader.SongTitle(), "");
  EXPECT_EQ(reader.Unknown(), "");
  EXPECT_TRUE(reader.ExtendedHeader());
  EXPECT_TRUE(reader.ExperimentalTag());
  reader.ReadID3V230Tag(third);  // header flags set again; the CRC facts stay
  EXPECT_EQ(reader.Artist(), "three");
  EXPECT_FALSE(reader.ExtendedHeader());
  EXPECT_FALSE(reader.ExperimentalTag());
  EXPECT_TRUE(reader.CRC());
  EXPECT_EQ(reader.CRCValue(), 5.0);
}

TEST_F(ID3V230ReaderTest, DamagedFramesEndTheReadKeepingWhatWasRead) {
  const std::string title = Frame("TIT2", Text("t"));
  const std::string cases[] = {
      // A frame of size 0.
      support::TagHeader(30) + title + "TPE1" + support::SevenBit(0) + std::string(2, '\0') + std::string(9, 'x'),
      // A frame larger than what is left of the tag.
      support::TagHeader(30) + title + "TPE1" + support::SevenBit(500) + std::string(2, '\0') + std::string(9, 'x'),
  };
  for (const auto& bytes : cases) {
    const auto r = read(bytes);
    EXPECT_FALSE(r.TagPresent());
    EXPECT_EQ(r.SongTitle(), "t");
  }
}

TEST_F(ID3V230ReaderTest, ATagTooShortForAFrameIsATagOnlyWhenItIsPadding) {
  EXPECT_TRUE(read(support::TagHeader(0)).TagPresent());
  EXPECT_TRUE(read(support::TagHeader(4) + std::string(4, '\0')).TagPresent());
  EXPECT_FALSE(read(support::TagHeader(4) + "TPE1").TagPresent());
}

TEST_F(ID3V230ReaderTest, ATagCutByTheEndOfTheFileFailsQuietly) {
  const std::string path = dir.file("cut.mp3");
  const std::string full = Tag({Frame("TIT2", Text("t")), Frame("TPE1", Text("artist"))});
  support::WriteFileBytes(path, full.substr(0, full.size() - 3));
  clsID3V230Reader reader;
  reader.ReadID3V230Tag(path);
  EXPECT_FALSE(reader.TagPresent());
  EXPECT_EQ(reader.SongTitle(), "t");
  EXPECT_EQ(reader.Artist(), "");
}

}  // namespace
