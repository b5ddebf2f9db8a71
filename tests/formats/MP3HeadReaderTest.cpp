#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "formats/MP3HeadReader.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace {

using formats::clsMP3HeadReader;
using support::TempDir;
using support::WriteFileBytes;

// An ID3v2 header whose size bytes 00 00 02 01 give a tag of 2 * 128 + 1 + 10 = 267 bytes.
constexpr char kTagHeaderBytes[] =
    "ID3"               // marker
    "\x03\x00"          // version 2.3.0
    "\x00"              // flags
    "\x00\x00\x02\x01";  // size, seven bits per byte
const std::string kTagHeader(kTagHeaderBytes, 10);
const std::string kTag = kTagHeader + std::string(257, '\0');

const std::string kHeader128(
    "\xff"   // sync
    "\xfb"   // sync, MPEG-1, layer code 01, protection bit 1
    "\x90"   // index 1001, frequency 00, padding 0, private 0
    "\x64",  // mode 01, extension 10, copyright 0, original 1, emphasis 00
    4);

struct Expected {
  std::string mpeg;
  int layer;
  bool isProtected;
  int bitrate;
  int frequency;
  bool isPrivate;
  std::string mode;
  bool isCopyright;
};

void ExpectProperties(const clsMP3HeadReader& r, const Expected& e, const std::string& label) {
  EXPECT_EQ(r.MPEG(), e.mpeg) << label;
  EXPECT_EQ(r.Layer(), e.layer) << label;
  EXPECT_EQ(r.IsProtected(), e.isProtected) << label;
  EXPECT_EQ(r.Bitrate(), e.bitrate) << label;
  EXPECT_EQ(r.Frequency(), e.frequency) << label;
  EXPECT_EQ(r.IsPrivate(), e.isPrivate) << label;
  EXPECT_EQ(r.Mode(), e.mode) << label;
  EXPECT_EQ(r.IsCopyright(), e.isCopyright) << label;
}

clsMP3HeadReader ReadBytes(const std::string& bytes) {
  TempDir dir;
  WriteFileBytes(dir.file("a.mp3"), bytes);
  clsMP3HeadReader reader;
  reader.ReadMP3Header(dir.file("a.mp3"));
  return reader;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) out += {digits[c >> 4], digits[c & 15], ' '};
  return out;
}

TEST(MP3HeadReader, DecodesHeaders) {
  struct Case {
    std::string header;
    Expected expected;
  };
  const std::vector<Case> cases = {
      {kHeader128, {"MPEG-1", 3, true, 128, 44100, false, "Joint Stereo", false}},
      // version bit 0, layer code 01, index 0101
      {std::string("\xff\xf2\x50\x00", 4), {"MPEG-2", 3, false, 40, 22050, false, "Stereo", false}},
      // MPEG-2.5: both version bits 0
      {std::string("\xff\xe3\x54\xc0", 4), {"MPEG-2", 3, true, 40, 24000, false, "Mono", false}},
      {std::string("\xff\xfd\x08\x88", 4), {"MPEG-1", 2, true, 0, 32000, false, "Dual Channel", true}},
      {std::string("\xff\xfe\xf5\x40", 4), {"MPEG-1", 1, false, 0, 48000, true, "Joint Stereo", false}},
      {std::string("\xff\xfb\x9c\x00", 4), {"MPEG-1", 3, true, 128, 0, false, "Stereo", false}},
      {std::string("\xff\xf9\x10\x00", 4), {"MPEG-1", 0, true, 32, 44100, false, "Stereo", false}},
      {std::string("\xff\xf9\x20\x00", 4), {"MPEG-1", 0, true, 0, 44100, false, "Stereo", false}},
      {std::string("\xff\xf1\x10\x00", 4), {"MPEG-2", 0, true, 0, 22050, false, "Stereo", false}},
      // MPEG-2 layers 1 and 2 take the MPEG-1 values
      {std::string("\xff\xf6\x18\x00", 4), {"MPEG-2", 1, false, 32, 16000, false, "Stereo", false}},
      {std::string("\xff\xf4\xe0\x00", 4), {"MPEG-2", 2, false, 384, 22050, false, "Stereo", false}},
      {std::string("\xff\xf2\xe0\x00", 4), {"MPEG-2", 3, false, 160, 22050, false, "Stereo", false}},
      {std::string("\xff\xf2\x10\x00", 4), {"MPEG-2", 3, false, 8, 22050, false, "Stereo", false}},
      {std::string("\xff\xfe\xe0\x00", 4), {"MPEG-1", 1, false, 448, 44100, false, "Stereo", false}},
      {std::string("\xff\xfc\xd0\x00", 4), {"MPEG-1", 2, false, 320, 44100, false, "Stereo", false}},
      {std::string("\xff\xfa\x20\x00", 4), {"MPEG-1", 3, false, 40, 44100, false, "Stereo", false}},
      // no sync check beyond the first byte
      {std::string("\xff\x00\x00\x00", 4), {"MPEG-2", 0, false, 0, 22050, false, "Stereo", false}},
  };
  for (const auto& c : cases) {
    const auto reader = ReadBytes(c.header + std::string(1000, '\0'));
    ExpectProperties(reader, c.expected, Hex(c.header));
    if (c.expected.bitrate == 0) {
      EXPECT_EQ(reader.Length(), 0) << Hex(c.header);
    }
  }
}

TEST(MP3HeadReader, NewObjectValues) {
  ExpectProperties(clsMP3HeadReader(), {"", 0, false, 0, 0, false, "", false}, "new");
  EXPECT_EQ(clsMP3HeadReader().Length(), 0);
}

TEST(MP3HeadReader, FindsTheHeaderBehindAnID3v2TagAndSubtractsTheTagFromTheLength) {
  std::string file = kTag + kHeader128;
  file.resize(4000267, '\0');
  const auto reader = ReadBytes(file);
  EXPECT_EQ(reader.Bitrate(), 128);
  EXPECT_EQ(reader.Length(), 250);  // 4,000,000 * 8 / 128,000

  // Inside the tag a 0xFF is skipped: the search starts at offset 267.
  std::string inside = kTagHeader + std::string(100, '\xff') + std::string(157, '\0') + kHeader128;
  EXPECT_EQ(ReadBytes(inside).Bitrate(), 128);
  EXPECT_EQ(formats::ID3V2TagSize(reinterpret_cast<const unsigned char*>(kTagHeaderBytes)), 267u);
}

TEST(MP3HeadReader, TagSizeBytesAreTakenWhole) {
  const unsigned char header[10] = {'I', 'D', '3', 3, 0, 0, 0x80, 0x80, 0x80, 0x80};
  EXPECT_EQ(formats::ID3V2TagSize(header), (0x80ull << 21) + (0x80ull << 14) + (0x80ull << 7) + 0x80 + 10);
  const unsigned char lower[10] = {'i', 'd', '3', 3, 0, 0, 0, 0, 2, 1};
  EXPECT_EQ(formats::ID3V2TagSize(lower), 0u);
}

TEST(MP3HeadReader, LowerCaseId3IsNoTag) {
  // The search starts at offset 0 and finds the 0xFF inside what would be the tag.
  const auto reader = ReadBytes(std::string("id3\x03\x00\x00\x00\x00\x02\x01", 10) + kHeader128 + std::string(300, '\0'));
  EXPECT_EQ(reader.Bitrate(), 128);
  EXPECT_EQ(reader.MPEG(), "MPEG-1");
}

TEST(MP3HeadReader, JunkBeforeTheFirstFrameGivesTheJunksValues) {
  const auto reader = ReadBytes(std::string("junk\xff\xf2\x50\xc0", 8) + kHeader128 + std::string(100, '\0'));
  EXPECT_EQ(reader.MPEG(), "MPEG-2");
  EXPECT_EQ(reader.Bitrate(), 40);
  EXPECT_EQ(reader.Mode(), "Mono");
}

TEST(MP3HeadReader, WithoutAHeaderThePropertiesKeepTheirValues) {
  TempDir dir;
  WriteFileBytes(dir.file("short-tag.mp3"), kTag.substr(0, 200) + kHeader128);  // shorter than T
  WriteFileBytes(dir.file("no-sync.mp3"), kTag + std::string(5000, '\x7f'));
  WriteFileBytes(dir.file("sync-at-end.mp3"), std::string(100, '\0') + "\xff\xfb\x90");
  WriteFileBytes(dir.file("cut-tag-header.mp3"), "ID3\x03\x00\xff\xfb");
  WriteFileBytes(dir.file("empty.mp3"), "");
  for (const char* name : {"short-tag.mp3", "no-sync.mp3", "sync-at-end.mp3", "cut-tag-header.mp3", "empty.mp3",
                           "missing.mp3", ""}) {
    clsMP3HeadReader fresh;
    fresh.ReadMP3Header(dir.file(name));
    ExpectProperties(fresh, {"", 0, false, 0, 0, false, "", false}, name);
    EXPECT_EQ(fresh.Length(), 0) << name;

    clsMP3HeadReader used;
    used.setMPEG("MPEG-1");
    used.setBitrate(64);
    used.setLength(77);
    used.setMode("Mono");
    used.ReadMP3Header(dir.file(name));
    ExpectProperties(used, {"MPEG-1", 0, false, 64, 0, false, "Mono", false}, name);
    EXPECT_EQ(used.Length(), 77) << name;
  }
}

TEST(MP3HeadReader, ReservedLayerLeavesAnEarlierBitrate) {
  TempDir dir;
  WriteFileBytes(dir.file("a.mp3"), std::string("\xff\xf9\x50\x00", 4) + std::string(16000 * 4, '\0'));
  clsMP3HeadReader reader;
  reader.setBitrate(128);
  reader.ReadMP3Header(dir.file("a.mp3"));
  EXPECT_EQ(reader.Layer(), 0);
  EXPECT_EQ(reader.Bitrate(), 128);
  EXPECT_EQ(reader.Length(), 4);  // from the bit rate that stands
}

TEST(MP3HeadReader, LengthRoundsHalfToEven) {
  // 128 kbit/s is 16,000 bytes a second.
  const std::vector<std::pair<std::size_t, int>> cases = {
      {40000, 2}, {40001, 3}, {56000, 4}, {55999, 3}, {8000, 0}, {8001, 1}, {24000, 2}, {16000, 1}};
  for (const auto& [size, seconds] : cases) {
    std::string file = kHeader128;
    file.resize(size, '\0');
    EXPECT_EQ(ReadBytes(file).Length(), seconds) << size;
  }
}

TEST(MP3HeadReader, PlayingSecondsIn64Bits) {
  EXPECT_EQ(formats::PlayingSeconds(4000000, 128), 250);
  EXPECT_EQ(formats::PlayingSeconds(314572800, 128), 19661);  // 300 MiB: 19,660.8 s
  EXPECT_EQ(formats::PlayingSeconds(1ull << 40, 8), 1099511628);
  EXPECT_EQ(formats::PlayingSeconds(~0ull, 8), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(formats::PlayingSeconds(1000, 0), 0);
  EXPECT_EQ(formats::PlayingSeconds(1000, -5), 0);
}

TEST(MP3HeadReader, LengthOfAFileOf300MiB) {
  TempDir dir;
  const std::string path = dir.file("big.mp3");
  ASSERT_TRUE(support::MakeSparseFile(path, kTag + kHeader128, 300ull << 20));
  clsMP3HeadReader reader;
  reader.ReadMP3Header(path);
  EXPECT_EQ(reader.Bitrate(), 128);
  EXPECT_EQ(reader.Length(), formats::PlayingSeconds((300ull << 20) - 267, 128));
  EXPECT_EQ(reader.Length(), 19661);
}

TEST(MP3HeadReader, ALongSearchYieldsToTheInterface) {
  TempDir dir;
  const std::string path = dir.file("late.mp3");
  const std::uint64_t size = 64ull << 20;
  ASSERT_TRUE(support::MakeSparseFile(path, "", size - 4));
  {
    std::FILE* f = std::fopen(path.c_str(), "ab");
    ASSERT_NE(f, nullptr);
    std::fwrite(kHeader128.data(), 1, 4, f);
    std::fclose(f);
  }
  int yields = 0;
  formats::FormatEnv env;
  env.yield = [&] { ++yields; };
  clsMP3HeadReader reader(env);
  reader.ReadMP3Header(path);
  EXPECT_EQ(reader.Bitrate(), 128);
  EXPECT_EQ(reader.Length(), formats::PlayingSeconds(size, 128));
  EXPECT_GT(yields, 100);
}

TEST(MP3HeadReader, ReadsOurOwnSilentFrames) {
  const struct {
    int kbps;
    int frequency;
    formats::ChannelMode mode;
    const char* modeName;
  } cases[] = {{128, 44100, formats::ChannelMode::JointStereo, "Joint Stereo"},
               {320, 48000, formats::ChannelMode::Stereo, "Stereo"},
               {32, 32000, formats::ChannelMode::Mono, "Mono"},
               {64, 44100, formats::ChannelMode::DualChannel, "Dual Channel"}};
  for (const auto& c : cases) {
    const int frames = formats::FramesForSeconds(10, c.frequency);
    const auto reader = ReadBytes(formats::SilentMpegFrames(frames, c.kbps, c.frequency, c.mode));
    ExpectProperties(reader, {"MPEG-1", 3, true, c.kbps, c.frequency, false, c.modeName, false},
                     std::to_string(c.kbps));
    EXPECT_NEAR(reader.Length(), 10, 1) << c.kbps;
  }
}

}  // namespace
