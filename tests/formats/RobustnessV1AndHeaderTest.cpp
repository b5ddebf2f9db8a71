// Damaged and hostile inputs for the ID3v1.1 classes and the MPEG header reader:
// truncated, bit-flipped and size-inflated files, generated deterministically. Nothing
// may crash, hang or allocate hugely, and every result must still be consistent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "formats/ID3V111.h"
#include "formats/MP3HeadReader.h"
#include "formats/SilentMpeg.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

namespace {

using support::ReadFileBytes;
using support::TempDir;
using support::WriteFileBytes;

// A small deterministic generator (xorshift), so that a failure can be reproduced.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }

 private:
  std::uint64_t state_;
};

std::string V1Tag() {
  formats::clsID3V111Writer writer;
  writer.setSongTitle("Robust");
  writer.setArtist("Fuzz");
  writer.setTrack(4);
  writer.setGenre(13);
  return writer.BuildTagBlock();
}

std::string V2Header(std::uint32_t sizeBytes) {
  std::string header("ID3\x03\x00\x00", 6);
  for (int shift = 24; shift >= 0; shift -= 8) header += static_cast<char>((sizeBytes >> shift) & 0xFF);
  return header;
}

std::vector<std::string> Bases() {
  const std::string frames = formats::SilentMpegFrames(6);
  return {
      frames + V1Tag(),
      V2Header(0x00000201) + std::string(257, '\x00') + frames + V1Tag(),
      V1Tag(),
      V2Header(0x00000010),
      std::string(300, '\xff'),
      std::string(300, '\x00'),
  };
}

std::vector<std::string> Mutations() {
  std::vector<std::string> out;
  Random random(0x5eed1234abcdULL);
  for (const auto& base : Bases()) {
    out.push_back(base);
    for (std::size_t n = 0; n <= std::min<std::size_t>(base.size(), 140); ++n) out.push_back(base.substr(0, n));
    for (std::size_t cut = 1; cut <= std::min<std::size_t>(base.size(), 140); cut += 3)
      out.push_back(base.substr(0, base.size() - cut));
    for (int i = 0; i < 150; ++i) {
      std::string flipped = base;
      const int flips = 1 + static_cast<int>(random.below(8));
      for (int f = 0; f < flips && !flipped.empty(); ++f)
        flipped[random.below(flipped.size())] ^= static_cast<char>(1u << random.below(8));
      out.push_back(flipped);
    }
    // Size fields inflated far past the end of the file.
    for (std::uint32_t size : {0x7F7F7F7Fu, 0xFFFFFFFFu, 0x80000000u, 0x00000000u, 0x00FF00FFu}) {
      out.push_back(V2Header(size) + base);
    }
  }
  return out;
}

bool StartsWithMarker(const std::string& bytes) {
  return bytes.size() >= 128 && bytes.compare(bytes.size() - 128, 3, "TAG") == 0;
}

TEST(RobustnessV1AndHeader, DamagedFilesGiveConsistentResults) {
  TempDir dir;
  const std::string path = dir.file("fuzz.mp3");
  const std::set<std::string> genres(formats::GenreNames().begin(), formats::GenreNames().end());
  const std::set<int> rates = {0,   8,   16,  24,  32,  40,  48,  56,  64,  80,  96,  112, 128, 144,
                               160, 192, 224, 256, 288, 320, 352, 384, 416, 448};
  const std::set<int> frequencies = {0, 16000, 22050, 24000, 32000, 44100, 48000};
  const auto inputs = Mutations();
  ASSERT_GT(inputs.size(), 1500u);
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const std::string& input = inputs[i];
    WriteFileBytes(path, input);
    SCOPED_TRACE("input " + std::to_string(i) + " of " + std::to_string(input.size()) + " bytes");

    formats::clsID3V111Reader v1;
    v1.ReadID3V111Tag(path);
    EXPECT_EQ(v1.TagPresent(), StartsWithMarker(input));
    EXPECT_LE(v1.SongTitle().size(), 30u);
    EXPECT_LE(v1.Year().size(), 4u);
    EXPECT_LE(v1.Comment().size(), 28u);
    EXPECT_TRUE(v1.Genre().empty() || genres.count(v1.Genre()) == 1);

    formats::clsMP3HeadReader header;
    header.ReadMP3Header(path);
    EXPECT_LE(header.Layer(), 3);
    EXPECT_EQ(rates.count(header.Bitrate()), 1u);
    EXPECT_EQ(frequencies.count(header.Frequency()), 1u);
    EXPECT_GE(header.Length(), 0);
    EXPECT_TRUE(header.MPEG().empty() || header.MPEG() == "MPEG-1" || header.MPEG() == "MPEG-2");

    if (i % 40 != 0) continue;  // writing waits for the disk (fsync): a sample is enough
    const std::size_t audio = input.size() - (StartsWithMarker(input) ? 128 : 0);
    formats::clsID3V111Writer writer;
    writer.setSongTitle("After");
    writer.setTrack(9);
    writer.WriteID3V111Tag(path);
    const std::string written = ReadFileBytes(path);
    ASSERT_EQ(written.size(), audio + 128);
    EXPECT_TRUE(written.compare(0, audio, input, 0, audio) == 0);
    formats::clsID3V111Reader back;
    back.ReadID3V111Tag(path);
    EXPECT_TRUE(back.TagPresent());
    EXPECT_EQ(back.Track(), 9);
    formats::clsID3V111Writer().RemoveID3V111Tag(path);
    EXPECT_TRUE(ReadFileBytes(path) == input.substr(0, audio));
  }
  EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"fuzz.mp3"});
}

// Crafted to make a careless reader allocate the claimed size or loop for ever.
TEST(RobustnessV1AndHeader, HostileTagSizesAreNotTrusted) {
  TempDir dir;
  const std::string path = dir.file("hostile.mp3");
  for (std::uint32_t size : {0xFFFFFFFFu, 0x7F7F7F7Fu, 0x0FFFFFFFu}) {
    WriteFileBytes(path, V2Header(size) + std::string(1000, '\xff'));
    formats::clsMP3HeadReader reader;
    reader.ReadMP3Header(path);
    EXPECT_EQ(reader.MPEG(), "") << size;  // the claimed tag runs past the end
    EXPECT_EQ(reader.Length(), 0) << size;
  }
  // A sparse file of 256 MiB of zeros: the search for 0xFF ends at the end of the file.
  ASSERT_TRUE(support::MakeSparseFile(path, V2Header(0), 256ull << 20));
  formats::clsMP3HeadReader reader;
  reader.ReadMP3Header(path);
  EXPECT_EQ(reader.MPEG(), "");
  formats::clsID3V111Reader v1;
  v1.ReadID3V111Tag(path);
  EXPECT_FALSE(v1.TagPresent());
}

}  // namespace
