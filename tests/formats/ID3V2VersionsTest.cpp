// The reader on tags of every version and text encoding, byte for byte: ID3v2.2 frames,
// ID3v2.4 7-bit frame sizes, frame unsynchronisation with a data-length indicator, the
// footer, whole-tag unsynchronisation, UTF-16 and UTF-8 texts, and the 7-bit size that
// adds its groups.
#include <gtest/gtest.h>

#include <string>

#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/TempDir.h"

namespace {

using support::Bytes;

// A frame with a 7-bit size (every version 3 and 4 frame here) and the given flags.
std::string F(const std::string& id, const std::string& body, const std::string& flags = std::string(2, '\0')) {
  return id + support::SevenBit(static_cast<std::uint32_t>(body.size())) + flags + body;
}
// An ID3v2.2 frame: three-character ID, 24-bit size.
std::string F22(const std::string& id, const std::string& body) {
  const auto n = body.size();
  return id + std::string{static_cast<char>(n >> 16), static_cast<char>(n >> 8), static_cast<char>(n)} + body;
}
std::string Header(int major, unsigned char flags, std::size_t size) {
  return support::TagHeader(static_cast<std::uint32_t>(size), flags, static_cast<unsigned char>(major));
}
std::string Tagged(int major, const std::string& frames, unsigned char flags = 0) {
  return Header(major, flags, frames.size()) + frames;
}

TEST(ID3V2Versions, EveryVersionAndEncodingReadsIntoUtf8Fields) {
  const std::string nul(1, '\0');
  const std::string utf16le = Bytes("\x01\xFF\xFE" "K\x00\xB1\x03" "\x00\x00");  // "K" + Greek alpha, terminated
  const std::string unsyncBody = Bytes("\x00" "a\xFF\x00\x00" "b");  // two values "aÿ", "b"; 0x00 inserted after 0xFF
  const struct {
    const char* name;
    std::string bytes;
    const char* title;
    const char* artist;
    const char* year;
    const char* comment;
    const char* pictureTitle;
  } cases[] = {
      {"v2.2 frames as their v2.3 counterparts",
       Tagged(2, F22("TT2", Bytes("\x00" "abc")) + F22("TP1", Bytes("\x00" "Art")) + F22("TYE", Bytes("\x00" "1999")) +
                     F22("COM", Bytes("\x00" "eng" "\x00" "c")) + F22("PIC", Bytes("\x00" "PNG\x03" "d\x00" "P"))),
       "abc", "Art", "1999", "c", "d"},
      {"v2.3 UTF-16, byte-order mark little-endian", Tagged(3, F("TIT2", utf16le)), "K\xCE\xB1", "", "", "", ""},
      {"v2.3 UTF-16, big-endian mark", Tagged(3, F("TIT2", Bytes("\x01\xFE\xFF" "\x00K\x03\xB1"))), "K\xCE\xB1", "", "",
       "", ""},
      {"v2.3 UTF-16 comment description", Tagged(3, F("COMM", Bytes("\x01" "eng" "\xFF\xFE" "d\x00\x00\x00" "\xFF\xFE" "x\x00"))),
       "", "", "", "x", ""},
      {"v2.3 whole tag unsynchronised", Tagged(3, "TIT2" + support::SevenBit(4) + Bytes("\x00\x00" "\x00" "a\xFF\x00" "b"), 0x80), "a\xC3\xBF" "b", "", "",
       "", ""},
      {"v2.4 UTF-8, one terminator ends the text", Tagged(4, F("TIT2", Bytes("\x03" "\xE6\x9D\xB1" "\x00"))), "\xE6\x9D\xB1",
       "", "", "", ""},
      {"v2.4 UTF-16BE", Tagged(4, F("TPE1", Bytes("\x02" "\x00" "A"))), "", "A", "", "", ""},
      {"v2.4 several values", Tagged(4, F("TPE1", Bytes("\x03" "A\x00" "B\x00"))), "", "A / B", "", "", ""},
      {"v2.4 recording time gives the year", Tagged(4, F("TDRC", Bytes("\x00" "2004-05-06"))), "", "", "2004", "", ""},
      {"v2.4 7-bit frame size above 127", Tagged(4, F("TIT2", Bytes("\x00") + std::string(200, 'x'))),
       "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
       "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
       "", "", "", ""},
      {"v2.4 frame unsynchronised with data length",
       Tagged(4, F("TIT2", Bytes("\x00\x00\x00\x04") + unsyncBody, Bytes("\x00\x03"))), "a\xC3\xBF / b", "", "", "", ""},
      {"v2.4 footer", Tagged(4, F("TIT2", Bytes("\x00" "t")), 0x10) + "3DI" + Header(4, 0x10, 12).substr(3), "t", "", "",
       "", ""},
      {"v2.4 UTF-16 picture description", Tagged(4, F("APIC", Bytes("\x01" "image/png\x00\x03" "\xFF\xFE" "d\x00" "\x00\x00" "P"))),
       "", "", "", "", "d"},
      {"size 00 00 01 80 is 256", Header(3, 0, 256) + F("TIT2", Bytes("\x00" "t")) + std::string(256 - 12, '\0'), "t", "",
       "", "", ""},
  };
  support::TempDir dir;
  const std::string path = dir.file("song.mp3");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(support::WriteFileBytes(path, c.bytes + support::Audio()));
    formats::clsID3V230Reader reader;
    reader.ReadID3V230Tag(path);
    EXPECT_TRUE(reader.TagPresent()) << reader.ReadProblem();
    EXPECT_EQ(reader.SongTitle() + "|" + reader.Artist() + "|" + reader.Year() + "|" + reader.Comment() + "|" +
                  reader.GraphicTitle(),
              std::string(c.title) + "|" + c.artist + "|" + c.year + "|" + c.comment + "|" + c.pictureTitle);
    // The remover cuts exactly the tag (footer included), whatever its version.
    formats::clsID3V230Writer writer;
    ASSERT_TRUE(writer.RemoveID3V230Tag(path));
    EXPECT_EQ(support::ReadFileBytes(path), support::Audio());
  }
}

TEST(ID3V2Versions, PictureDataStartsRightAfterTheDescriptionTerminator) {
  support::TempDir dir;
  const std::string path = dir.file("song.mp3");
  const struct {
    int major;
    std::string body;
    const char* extension;
  } cases[] = {
      {3, Bytes("\x01" "image/png\x00\x03" "\xFF\xFE" "d\x00" "\x00\x00" "\x89PNG"), "png"},
      {4, Bytes("\x03" "image/jpeg\x00\x03" "\xC3\xA9\x00" "\x89PNG"), "jpg"},
      {2, Bytes("\x00" "PNG\x03" "d\x00" "\x89PNG"), "png"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.major);
    const std::string frame = c.major == 2 ? F22("PIC", c.body) : F("APIC", c.body);
    ASSERT_TRUE(support::WriteFileBytes(path, Tagged(c.major, frame) + support::Audio()));
    formats::clsID3V230Reader reader(formats::FormatEnv{}, dir.file("cover"));
    reader.ReadID3V230Tag(path);
    std::string info, type;
    const std::string picture =
        reader.ExtractGraphic(path, std::stoll(reader.GraphicStartPos()), std::stoll(reader.GraphicSize()), info, type);
    EXPECT_EQ(picture.substr(picture.size() - 3), c.extension);
    EXPECT_EQ(support::ReadFileBytes(picture), Bytes("\x89PNG"));
    std::remove(picture.c_str());
  }
}

}  // namespace
