// The ID3v2.3 reader on byte fixtures: every frame handler, the list properties, the
// header flags, QuickRead, and what a failed read leaves behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/ID3V230Reader.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/FailingFileSystem.h"
#include "support/TempDir.h"

using formats::clsID3V230Reader;
using formats::FormatEnv;
using support::Bytes;
using support::Frame;
using support::Tag;
using support::TagHeader;
using support::Text;

namespace {

const std::string NUL(1, '\0');

class ID3V230ReaderTest : public ::testing::Test {
 protected:
  // Writes the bytes (followed by audio) to a fresh file and reads it.
  clsID3V230Reader read(const std::string& tagBytes, bool quick = false, bool determineOnly = false) {
    support::WriteFileBytes(path, tagBytes + support::Audio());
    notices.clear();
    yields = 0;
    fs.reset();
    FormatEnv env{&fs, [this] { ++yields; }, [this](const std::string& text) { notices.push_back(text); }};
    clsID3V230Reader reader(env);
    reader.setQuickRead(quick);
    reader.ReadID3V230Tag(path, false, determineOnly);
    return reader;
  }

  support::TempDir dir;
  const std::string path = dir.file("song.mp3");
  support::FailingFileSystem fs;
  std::vector<std::string> notices;
  int yields = 0;
};

TEST_F(ID3V230ReaderTest, ReadsEveryFrameIntoItsProperty) {
  const auto r = read(Tag({
      Frame("TIT2", Text("ab" + NUL)),  // one NUL at the end ends the text
      Frame("TPE1", Text(" Artist "), Bytes("\xE0\x20")),  // flags other than these two do not matter
      Frame("TALB", Text("Album")),
      Frame("TYER", Text("1999")),
      Frame("TCON", Text("(17)Rock")),
      Frame("TENC", Text("Encoder")),
      Frame("TCOM", Text("Composer")),
      Frame("TOPE", Text("Original")),
      Frame("TCOP", Text("(c) me")),
      Frame("TCOP", Text("packed"), Bytes("\x00\x80")),  // compressed: stepped over
      Frame("TIT3", Text("Sub")),
      Frame("TLAN", Text("deu")),
      Frame("COMM", Text("eng" + NUL + "Nice")),
      Frame("WXXX", Text(NUL)),  // an empty first entry keeps its place
      Frame("WXXX", Text("home" + NUL + "x")),
      Frame("TPOS", Text("1/2")),
      Frame("TPOS", Text("secret"), Bytes("\x00\x40")),  // encrypted: stepped over
      Frame("TXXX", Text("A" + NUL + "B")),
  }));
  EXPECT_TRUE(r.TagPresent());
  const std::vector<std::string> got = {r.SongTitle(), r.Artist(), r.Album(), r.Year(), r.Genre(), r.EncodedBy(),
                                        r.Composer(), r.OriginalArtist(), r.Copyright(), r.SubTitle(), r.Language(),
                                        r.Comment(), r.URL(), r.Unknown()};
  const std::vector<std::string> expected = {"ab", " Artist ", "Album", "1999", "(17)Rock", "Encoder",
                                             "Composer", "Original", "(c) me", "Sub", "deu", "Nice", "|home->x",
                                             "\"TPOS\"=1/2|\"TXXX\"=A B"};
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(notices.empty());
  EXPECT_EQ(yields, 18);  // once per frame
}

TEST_F(ID3V230ReaderTest, TrackNumberAndTotalAndLyrics) {
  const struct {
    std::string text;
    int track, tracks;
    bool present;
  } cases[] = {
      {"7/12", 7, 12, true}, {"ab/cd", 0, 0, true}, {" 7 / 12 ", 7, 12, true}, {"/12", 0, 12, true},
      {"2.5", 2, 0, true},   {"3.5", 4, 0, true},   {"256", 0, 0, false},      {"7/300", 7, 0, false},
      {"-3", 0, 0, false},
  };
  for (const auto& c : cases) {
    const auto r = read(Tag({Frame("TIT2", Text("t")), Frame("TRCK", Text(c.text)), Frame("TALB", Text("a"))}));
    SCOPED_TRACE(c.text);
    EXPECT_EQ(r.Track(), c.track);
    EXPECT_EQ(r.Tracks(), c.tracks);
    EXPECT_EQ(r.TagPresent(), c.present);
    EXPECT_EQ(r.SongTitle(), "t");               // read before the failure: kept
    EXPECT_EQ(r.Album(), c.present ? "a" : "");  // after it: never reached
  }
  // Lyrics by the number of pieces.
  for (const auto& [body, lyrics] : std::vector<std::pair<std::string, std::string>>{
           {"eng" + NUL + "line", "line"}, {"eng" + NUL + "one" + NUL + "two", "one\r\ntwo"},
           {"eng" + NUL + "a" + NUL + "b" + NUL + "c", ""}, {"eng", ""}}) {
    EXPECT_EQ(read(Tag({Frame("USLT", Text(body))})).Lyrics(), lyrics);
  }
}

// Pictures give parallel lists; their data is stepped over, not read. QuickRead decodes
// only the fields a file list shows.
TEST_F(ID3V230ReaderTest, PictureFramesGiveParallelListsAndQuickReadSkipsTheRest) {
  const std::string first = Text("image/jpeg" + NUL + "\x03" "front" + NUL + std::string(100000, 'x'));
  const std::string second = Text("image/" + NUL + "\x19" + NUL + "PNG");
  const std::string title = Frame("TIT2", Text("t"));
  const std::string tag = Tag({title, Frame("APIC", first), Frame("APIC", second), Frame("TPE1", Text("after")),
                               Frame("TCON", Text("Rock")), Frame("COMM", Text("eng" + NUL + "c")),
                               Frame("USLT", Text("eng" + NUL + "l")), Frame("TPOS", Text("1"))});
  const auto firstAt = 10 + title.size();
  const auto secondAt = firstAt + 10 + first.size();
  for (const bool quick : {false, true}) {
    const auto r = read(tag, quick);
    EXPECT_TRUE(r.TagPresent());
    EXPECT_EQ(r.SongTitle() + r.Artist() + r.Comment(), "tafterc");
    EXPECT_EQ(r.GraphicStartPos(), std::to_string(firstAt) + "|" + std::to_string(secondAt));
    EXPECT_EQ(r.GraphicSize(), std::to_string(first.size()) + "|" + std::to_string(second.size()));
    EXPECT_EQ(r.GraphicExtended() + r.GraphicTitle() + r.Genre() + r.Lyrics() + r.Unknown(),
              quick ? "" : "Front Cover|Otherfront|Rockl\"TPOS\"=1");
    EXPECT_LT(fs.totalRead(), quick ? 300u : 10000u);  // of 100,000 picture bytes
  }
}

// A read without a tag clears the fields and keeps the header facts; the next tag sets
// the header flags again, and the CRC facts stay.
TEST_F(ID3V230ReaderTest, HeaderFlagsExtendedHeaderAndUnsynchronisation) {
  const auto facts = [](const clsID3V230Reader& r) {
    return std::vector<std::string>{std::to_string(r.TagPresent()), std::to_string(r.ExtendedHeader()),
                                    std::to_string(r.ExperimentalTag()), std::to_string(r.CRC()),
                                    std::to_string(r.CRCValue()), r.SongTitle() + r.Artist()};
  };
  const std::string frames = Frame("TIT2", Text("t"));
  const std::string extended = support::SevenBit(10) + Bytes("\x80\x00") + support::SevenBit(0) +
                               Bytes("\x00\x00\x01\x05");  // CRC as a 7-bit size: 133
  auto r = read(TagHeader(static_cast<std::uint32_t>(extended.size() + frames.size()), 0x60) + extended + frames);
  EXPECT_EQ(facts(r), (std::vector<std::string>{"1", "1", "1", "1", "133.000000", "t"}));
  support::WriteFileBytes(path, support::Audio());
  r.ReadID3V230Tag(path);
  EXPECT_EQ(facts(r), (std::vector<std::string>{"0", "1", "1", "1", "133.000000", ""}));
  support::WriteFileBytes(path, Tag({Frame("TPE1", Text("three"))}));
  r.ReadID3V230Tag(path);
  EXPECT_EQ(facts(r), (std::vector<std::string>{"1", "0", "0", "1", "133.000000", "three"}));

  const std::string unsynchronised = TagHeader(static_cast<std::uint32_t>(frames.size()), 0x80) + frames;
  EXPECT_TRUE(read(unsynchronised, false, true).TagPresent());  // only the header is checked
  EXPECT_TRUE(notices.empty());
  const auto u = facts(read(unsynchronised));
  EXPECT_EQ(u[0] + u[5], "1t");  // an unsynchronised tag is read like any other
  EXPECT_TRUE(notices.empty());
}

// A damaged or foreign tag ends the read quietly: TagPresent false, fields read before
// the damage kept.
TEST_F(ID3V230ReaderTest, FailedReadsKeepWhatWasReadBefore) {
  const std::string title = Frame("TIT2", Text("t"));
  const std::string full = Tag({title, Frame("TPE1", Text("artist"))});
  const std::pair<std::string, std::string> cases[] = {  // the bytes, the title kept
      {TagHeader(static_cast<std::uint32_t>(title.size()), 0, 5) + title, ""},  // ID3v2.5
      {"id3" + TagHeader(11).substr(3) + title, ""},
      {"ID3\x03", ""},
      {TagHeader(4) + "TPE1", ""},                                               // too short for a frame
      {TagHeader(30) + title + "TPE1" + support::SevenBit(0) + std::string(11, 'x'), "t"},    // size 0
      {TagHeader(30) + title + "TPE1" + support::SevenBit(500) + std::string(11, 'x'), "t"},  // past the tag
      {Tag({title, Frame("COMM", Text("no separator")), Frame("TALB", Text("a"))}), "t"},
      // 00 00 01 2C is 300 as a plain number, 172 as a 7-bit size: the rest of the text is
      // then taken for a frame header
      {TagHeader(310) + "TIT2" + Bytes("\x00\x00\x01\x2C" "\x00\x00") + Text(std::string(299, 'x')),
       std::string(171, 'x')},
  };
  for (const auto& [bytes, kept] : cases) {
    const auto r = read(bytes);
    EXPECT_FALSE(r.TagPresent()) << bytes.size();
    EXPECT_EQ(r.SongTitle() + r.Artist() + r.Album(), kept) << bytes.size();
  }
  // Only padding, or nothing at all, after the header is a tag.
  EXPECT_TRUE(read(TagHeader(0)).TagPresent());
  EXPECT_TRUE(read(Tag({title}, 300)).TagPresent());
  // A file cut inside the tag keeps what was read; a file that cannot be opened changes nothing.
  support::WriteFileBytes(path, full.substr(0, full.size() - 3));
  clsID3V230Reader reader;
  reader.ReadID3V230Tag(path);
  EXPECT_EQ(std::to_string(reader.TagPresent()) + reader.SongTitle(), "0t");
  reader.setTagPresent(true);
  reader.ReadID3V230Tag(dir.file("absent.mp3"));
  EXPECT_EQ(std::to_string(reader.TagPresent()) + reader.SongTitle(), "1t");
}

}  // namespace
