// The ID3v2.3 writer: byte layout of every frame, frame order, size encodings, what
// happens to old tags, and reading back what was written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/ReadCountingFileSystem.h"
#include "support/TempDir.h"

using formats::clsID3V230Reader;
using formats::clsID3V230Writer;
using formats::FormatEnv;
using support::Bytes;
using support::Frame;
using support::Text;

namespace {

const std::string NUL(1, '\0');

// The frame IDs of a tag at the start of bytes, in order.
std::vector<std::string> frameIds(const std::string& bytes) {
  std::vector<std::string> ids;
  const std::size_t end = 10 + ((std::size_t(bytes[6]) << 21) | (std::size_t(bytes[7]) << 14) |
                                (std::size_t(bytes[8]) << 7) | std::size_t(bytes[9]));
  std::size_t at = 10;
  while (at + 10 <= end) {
    const std::string id = bytes.substr(at, 4);
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data() + at + 4);
    const bool plain = id == "USLT" || id == "APIC";
    const std::size_t size = plain ? (std::size_t(s[0]) << 24 | std::size_t(s[1]) << 16 | std::size_t(s[2]) << 8 | s[3])
                                   : (std::size_t(s[0]) << 21 | std::size_t(s[1]) << 14 | std::size_t(s[2]) << 7 | s[3]);
    ids.push_back(id);
    at += 10 + size;
  }
  return ids;
}

class ID3V230WriterTest : public ::testing::Test {
 protected:
  std::string write(clsID3V230Writer& writer, const std::string& before) {
    const std::string path = dir.file("song.mp3");
    support::WriteFileBytes(path, before);
    const auto entries = support::FolderEntries(dir.path());
    EXPECT_TRUE(writer.WriteID3V230Tag(path));
    EXPECT_EQ(support::FolderEntries(dir.path()), entries);  // no work file left
    return support::ReadFileBytes(path);
  }

  support::TempDir dir;
  const std::string audio = support::Audio();
};

TEST_F(ID3V230WriterTest, OnlyATitleGivesTheWorkedExample) {
  clsID3V230Writer writer;
  writer.setSongTitle("abc");
  const std::string expected = Bytes(
      "ID3" "\x03" "\x00" "\x00" "\x00\x00\x00\x0E"
      "TIT2" "\x00\x00\x00\x04" "\x00\x00"
      "\x00" "abc");
  ASSERT_EQ(expected.size(), 24u);
  EXPECT_EQ(write(writer, audio), expected + audio);
}

TEST_F(ID3V230WriterTest, EachFrameHasItsIdSizeFlagsAndBody) {
  using Setter = void (clsID3V230Writer::*)(const std::string&);
  struct Case {
    Setter set;
    std::string value;
    std::string frame;
  };
  const Case cases[] = {
      {&clsID3V230Writer::setSongTitle, "t", Bytes("TIT2" "\x00\x00\x00\x02" "\x00\x00" "\x00" "t")},
      {&clsID3V230Writer::setArtist, "ar", Bytes("TPE1" "\x00\x00\x00\x03" "\x00\x00" "\x00" "ar")},
      {&clsID3V230Writer::setAlbum, "al", Bytes("TALB" "\x00\x00\x00\x03" "\x00\x00" "\x00" "al")},
      {&clsID3V230Writer::setYear, "1999", Bytes("TYER" "\x00\x00\x00\x05" "\x00\x00" "\x00" "1999")},
      {&clsID3V230Writer::setTrack, "3/12", Bytes("TRCK" "\x00\x00\x00\x05" "\x00\x00" "\x00" "3/12")},
      {&clsID3V230Writer::setGenre, "Rock", Bytes("TCON" "\x00\x00\x00\x05" "\x00\x00" "\x00" "Rock")},
      {&clsID3V230Writer::setComment, "hi", Bytes("COMM" "\x00\x00\x00\x07" "\x00\x00" "\x00" "eng" "\x00" "hi")},
      {&clsID3V230Writer::setComposer, "c", Bytes("TCOM" "\x00\x00\x00\x02" "\x00\x00" "\x00" "c")},
      {&clsID3V230Writer::setOriginalArtist, "o", Bytes("TOPE" "\x00\x00\x00\x02" "\x00\x00" "\x00" "o")},
      {&clsID3V230Writer::setLanguage, "de", Bytes("TLAN" "\x00\x00\x00\x03" "\x00\x00" "\x00" "de")},
      {&clsID3V230Writer::setSubTitle, "s", Bytes("TIT3" "\x00\x00\x00\x02" "\x00\x00" "\x00" "s")},
      {&clsID3V230Writer::setCopyright, "c", Bytes("TCOP" "\x00\x00\x00\x02" "\x00\x00" "\x00" "c")},
      {&clsID3V230Writer::setEncodedBy, "e", Bytes("TENC" "\x00\x00\x00\x02" "\x00\x00" "\x00" "e")},
      {&clsID3V230Writer::setURL, "u", Bytes("WXXX" "\x00\x00\x00\x03" "\x00\x00" "\x00" "\x00" "u")},
      {&clsID3V230Writer::setLyrics, "la", Bytes("USLT" "\x00\x00\x00\x07" "\x00\x00" "\x00" "eng" "\x00" "la")},
  };
  for (const auto& c : cases) {
    clsID3V230Writer writer;
    (writer.*c.set)(c.value);
    SCOPED_TRACE(c.frame.substr(0, 4));
    EXPECT_EQ(write(writer, audio), support::TagHeader(static_cast<std::uint32_t>(c.frame.size())) + c.frame + audio);
  }
}

TEST_F(ID3V230WriterTest, FramesFollowTheFixedOrder) {
  clsID3V230Writer writer;
  writer.setLyrics("l");
  writer.setURL("a|b");
  writer.setEncodedBy("e");
  writer.setCopyright("c");
  writer.setSubTitle("s");
  writer.setLanguage("deu");
  writer.setOriginalArtist("o");
  writer.setComposer("c");
  writer.setComment("c");
  writer.setGenre("g");
  writer.setTrack("1");
  writer.setYear("y");
  writer.setAlbum("a");
  writer.setArtist("a");
  writer.setSongTitle("t");
  const std::vector<std::string> expected = {"TIT2", "TPE1", "TALB", "TYER", "TRCK", "TCON", "COMM", "TCOM",
                                             "TOPE", "TLAN", "TIT3", "TCOP", "TENC", "WXXX", "WXXX", "USLT"};
  const std::string bytes = write(writer, audio);
  EXPECT_EQ(frameIds(bytes), expected);
  EXPECT_EQ(bytes.substr(bytes.size() - audio.size()), audio);  // no padding before the audio
}

TEST_F(ID3V230WriterTest, CommentLanguageIsTheLanguageOnlyWhenItHasThreeCharacters) {
  struct Case {
    std::string language, commLanguage;
  };
  for (const Case& c : {Case{"", "eng"}, Case{"de", "eng"}, Case{"deu", "deu"}, Case{"deut", "eng"}}) {
    clsID3V230Writer writer;
    writer.setComment("x");
    writer.setLanguage(c.language);
    const std::string bytes = write(writer, audio);
    EXPECT_EQ(bytes.substr(10, 4), "COMM");
    EXPECT_EQ(bytes.substr(21, 3), c.commLanguage) << c.language;
    EXPECT_EQ(bytes.find("TLAN") != std::string::npos, !c.language.empty());
  }
}

TEST_F(ID3V230WriterTest, UrlEntriesAreWrittenWholeInOrder) {
  clsID3V230Writer writer;
  writer.setURL("home->x|y");
  const std::string bytes = write(writer, audio);
  const std::string expected = Frame("WXXX", Text(NUL + "home->x")) + Frame("WXXX", Text(NUL + "y"));
  EXPECT_EQ(bytes.substr(10, expected.size()), expected);
}

TEST_F(ID3V230WriterTest, SizesAbove127UseSevenBitsExceptForLyrics) {
  clsID3V230Writer writer;
  writer.setSongTitle(std::string(200, 't'));
  writer.setLyrics(std::string(200, 'l'));
  const std::string bytes = write(writer, audio);
  EXPECT_EQ(bytes.substr(10, 8), Bytes("TIT2" "\x00\x00\x01\x49"));  // 201 = 1*128 + 73
  const std::size_t lyrics = 10 + 10 + 201;
  EXPECT_EQ(bytes.substr(lyrics, 8), Bytes("USLT" "\x00\x00\x00\xCD"));  // 205
  EXPECT_EQ(bytes.substr(6, 4), support::SevenBit(211 + 215));
}

TEST_F(ID3V230WriterTest, OldTagsOfAnyVersionAreReplacedAndTheRestIsKept) {
  const std::string v1 = support::ID3v1Block("old");
  const std::string old24 = support::TagHeader(20, 0, 4) + std::string(20, 'x');
  const std::string old22 = support::TagHeader(3, 0, 2) + "abc";
  const std::string old23 = support::Tag({Frame("TIT2", Text("old")), Frame("TPOS", Text("1"))}, 100);
  for (const std::string& old : {std::string(), old24, old22, old23}) {
    clsID3V230Writer writer;
    writer.setSongTitle("new");
    const std::string expected = support::Tag({Frame("TIT2", Text("new"))}) + audio + v1;
    EXPECT_EQ(write(writer, old + audio + v1), expected);
  }
}

TEST_F(ID3V230WriterTest, NoFieldsRemovesTheOldTagOrLeavesTheFile) {
  const std::string old = support::Tag({Frame("TIT2", Text("old"))});
  clsID3V230Writer writer;
  EXPECT_EQ(write(writer, old + audio), audio);
  EXPECT_EQ(write(writer, audio), audio);
}

TEST_F(ID3V230WriterTest, RemoveCutsTheTagByItsHeaderSize) {
  struct Case {
    std::string before, after;
  };
  const std::string v1 = support::ID3v1Block("keep");
  const Case cases[] = {
      {support::Tag({Frame("TIT2", Text("x"))}, 10) + audio + v1, audio + v1},
      {support::TagHeader(5, 0, 4) + "12345" + audio, audio},
      {audio, audio},
      {"id3" + audio, "id3" + audio},
      {support::TagHeader(0), ""},
  };
  for (const auto& c : cases) {
    const std::string path = dir.file("r.mp3");
    support::WriteFileBytes(path, c.before);
    support::ReadCountingFileSystem fs;
    FormatEnv env;
    env.fs = &fs;
    clsID3V230Writer writer(env);
    EXPECT_TRUE(writer.RemoveID3V230Tag(path));
    EXPECT_EQ(support::ReadFileBytes(path), c.after);
    EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"r.mp3"});
    if (c.before != c.after) {
      EXPECT_EQ(fs.created(), std::vector<std::string>{path + ".new"});
    }
  }
}

TEST_F(ID3V230WriterTest, WorkFileNames) {
  const std::string path = dir.file("w.mp3");
  const std::string old = support::Tag({Frame("TIT2", Text("old"))});
  support::ReadCountingFileSystem fs;
  FormatEnv env;
  env.fs = &fs;
  support::WriteFileBytes(path, old + audio);
  clsID3V230Writer writer(env);
  writer.setArtist("a");
  ASSERT_TRUE(writer.WriteID3V230Tag(path));
  EXPECT_EQ(fs.created(), std::vector<std::string>{path + ".mp3"});  // one pass, one work file
  fs.reset();
  clsID3V230Writer empty(env);
  ASSERT_TRUE(empty.WriteID3V230Tag(path));
  EXPECT_EQ(fs.created(), std::vector<std::string>{path + ".new"});  // only a removal
  EXPECT_EQ(support::ReadFileBytes(path), audio);
}

TEST_F(ID3V230WriterTest, LargeCopiesGoInPiecesWithAYieldAfterEach) {
  const std::string path = dir.file("big.mp3");
  const std::string picture = dir.file("p.jpg");
  const std::string big(5 * 1000 * 1000, 'a');
  const std::string pictureBytes(3 * 1000 * 1000, 'p');
  support::WriteFileBytes(path, big);
  support::WriteFileBytes(picture, pictureBytes);
  support::ReadCountingFileSystem fs;
  int yields = 0;
  FormatEnv env;
  env.fs = &fs;
  env.yield = [&yields] { ++yields; };
  clsID3V230Writer writer(env);
  writer.setGraphic(picture);
  writer.setGraphicType("3");
  ASSERT_TRUE(writer.WriteID3V230Tag(path));
  EXPECT_LE(fs.largestWrite(), formats::CopyPiece);
  EXPECT_LE(fs.largestRead(), formats::CopyPiece);
  EXPECT_EQ(yields, 3 + 2);  // 5 MB of audio in three pieces, 3 MB of picture in two
  const std::string bytes = support::ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(bytes.size() - big.size()), big);
}

TEST_F(ID3V230WriterTest, WhatIsWrittenReadsBack) {
  const std::string picture = dir.file("cover.jpeg");
  support::WriteFileBytes(picture, "JPEG bytes");
  clsID3V230Writer writer;
  writer.setSongTitle("Title");
  writer.setArtist("Artist");
  writer.setAlbum("Album");
  writer.setYear("2001");
  writer.setTrack("7/12");
  writer.setGenre("(17)Rock");
  writer.setComment("A comment");
  writer.setComposer("Composer");
  writer.setOriginalArtist("Original");
  writer.setLanguage("deu");
  writer.setSubTitle("Sub");
  writer.setCopyright("Copy");
  writer.setEncodedBy("Enc");
  writer.setURL("home->http://a|http://b");
  writer.setLyrics("one\r\ntwo");
  writer.setGraphic(picture + "|" + picture);
  writer.setGraphicType("3|4");
  writer.setGraphicTitle("front|");
  write(writer, audio);

  clsID3V230Reader reader;
  reader.ReadID3V230Tag(dir.file("song.mp3"));
  EXPECT_TRUE(reader.TagPresent());
  EXPECT_EQ(reader.SongTitle(), "Title");
  EXPECT_EQ(reader.Artist(), "Artist");
  EXPECT_EQ(reader.Album(), "Album");
  EXPECT_EQ(reader.Year(), "2001");
  EXPECT_EQ(reader.Track(), 7);
  EXPECT_EQ(reader.Tracks(), 12);
  EXPECT_EQ(reader.Genre(), "(17)Rock");
  EXPECT_EQ(reader.Comment(), "A comment");
  EXPECT_EQ(reader.Composer(), "Composer");
  EXPECT_EQ(reader.OriginalArtist(), "Original");
  EXPECT_EQ(reader.Language(), "deu");
  EXPECT_EQ(reader.SubTitle(), "Sub");
  EXPECT_EQ(reader.Copyright(), "Copy");
  EXPECT_EQ(reader.EncodedBy(), "Enc");
  // A description comes back in front of its address; ours are written whole, so it is
  // part of the address and reads back unchanged.
  EXPECT_EQ(reader.URL(), "home->http://a|http://b");
  EXPECT_EQ(reader.Lyrics(), "one\r\ntwo");
  EXPECT_EQ(reader.GraphicExtended(), "Front Cover|Back Cover");
  EXPECT_EQ(reader.GraphicTitle(), "front|");
  EXPECT_EQ(reader.Unknown(), "");
  // Encoding, "image/jpg", NUL, type, description, NUL, the 10 picture bytes.
  const std::string sizeOfPicture = std::to_string(1 + 9 + 1 + 1 + 5 + 1 + 10);
  EXPECT_EQ(reader.GraphicSize(), sizeOfPicture + "|" + std::to_string(1 + 9 + 1 + 1 + 0 + 1 + 10));
}

}  // namespace
