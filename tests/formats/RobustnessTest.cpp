// Damaged files, made deterministically from sound ones, through every reader: nothing may
// crash, hang, read more at once than the file holds, or give inconsistent values.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>

#include "formats/ID3V111.h"
#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/MP3HeadReader.h"
#include "formats/TextCodec.h"
#include "support/FailingFileSystem.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/TempDir.h"

using support::Frame, support::NUL, support::TagHeader, support::Text;

namespace {

std::string SoundTag() {
  return support::Tagged(support::SevenBit(10) + std::string(6, '\0') + support::SevenBit(77) + Frame("TIT2", Text("Title")) +
                             Frame("TRCK", Text("3/12")) + Frame("COMM", Text("eng" + NUL + "c")) +
                             Frame("WXXX", Text("d" + NUL + "http://x")) + Frame("USLT", Text("eng" + NUL + "lyrics" + NUL + "more")) +
                             Frame("TPOS", Text("1/2")) + Frame("APIC", Text("image/jpeg" + NUL + "\x03" "front" + NUL + std::string(300, 'j'))) +
                             Frame("APIC", Text("image/png" + NUL + "\x04" + NUL + std::string(200, 'p'))) + std::string(64, '\0'),
                         0x40);
}

std::string Damaged(const std::string& sound, unsigned seed) {
  std::mt19937 random(seed);
  auto below = [&random](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(random() % n); };
  std::string bytes = sound;
  switch (seed % 4) {
    case 0:  // cut anywhere
      bytes.resize(below(bytes.size() + 1));
      break;
    case 1:  // a few flipped bits
      for (int i = 0, flips = 1 + static_cast<int>(below(8)); i < flips; ++i)
        bytes[below(bytes.size())] ^= static_cast<char>(1u << below(8));
      break;
    case 2: {  // a size field set to a large or random value: the tag's, or one of a frame
      const std::size_t at = below(3) == 0 ? 6 : 10 + below(bytes.size() - 14);
      const unsigned char large[][4] = {{0xFF, 0xFF, 0xFF, 0xFF}, {0x7F, 0x7F, 0x7F, 0x7F}, {0x00, 0x10, 0x00, 0x00}};
      for (int i = 0; i < 4; ++i)
        bytes[at + i] = below(2) ? static_cast<char>(large[below(3)][i]) : static_cast<char>(random());
      break;
    }
    default:  // random bytes over a stretch
      for (std::size_t i = below(bytes.size()), n = below(40); n > 0 && i < bytes.size(); --n, ++i)
        bytes[i] = static_cast<char>(random());
      break;
  }
  return bytes;
}

bool EndsWithMarker(const std::string& bytes) {
  return bytes.size() >= 128 && bytes.compare(bytes.size() - 128, 3, "TAG") == 0;
}

TEST(Robustness, DamagedFilesThroughEveryReader) {
  support::TempDir dir;
  const std::string path = dir.file("damaged.mp3");
  const std::set<std::string> genres(formats::GenreNames().begin(), formats::GenreNames().end());
  const std::set<int> rates = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448};
  const std::set<int> frequencies = {0, 16000, 22050, 24000, 32000, 44100, 48000};
  const std::string v1 = support::ID3v1Block("Robust");
  const std::string sounds[] = {SoundTag() + support::Audio(2) + v1, support::Audio(2) + v1, v1, std::string(300, '\xff')};
  // Crafted to make a careless reader allocate the claimed size or loop for ever.
  std::string manyFrames;
  for (int i = 0; i < 20000; ++i) manyFrames += Frame("TXXX", Text(""));
  const std::string hostile[] = {
      TagHeader(0x0FFFFFFF) + std::string(1000, '\xff'),                                  // tag size of 256 MiB
      support::Bytes("ID3\x03\x00\x00\xFF\xFF\xFF\xFF") + std::string(1000, '\xff'),  // size bytes with top bits set
      TagHeader(100) + "APIC\xFF\xFF\xFF\xFF" + std::string(92, '\0'),                     // a frame claiming 4 GiB
      TagHeader(30, 0x40) + "\x7F\x7F\x7F\x7F" + std::string(26, '\0'),                    // extended header claiming 256 MiB
      support::Tag({Frame("APIC", Text(std::string(5000, 'm')))}),                        // no NUL after the MIME type
      TagHeader(static_cast<std::uint32_t>(manyFrames.size())) + manyFrames,
  };
  int present = 0;
  for (unsigned seed = 0; seed < 4000 + std::size(hostile); ++seed) {
    const std::string& sound = sounds[seed % 16 == 0 ? (seed / 16) % 4 : 0];
    const std::string bytes = seed < 4000 ? Damaged(sound, seed) : hostile[seed - 4000];
    ASSERT_TRUE(support::WriteFileBytes(path, bytes));
    SCOPED_TRACE("seed " + std::to_string(seed));
    support::FailingFileSystem fs;
    formats::FormatEnv env{&fs, {}, {}};
    for (const bool quick : {false, true}) {
      formats::clsID3V230Reader reader(env, dir.file("cover"));
      reader.setQuickRead(quick);
      reader.ReadID3V230Tag(path);
      present += reader.TagPresent();
      // The crafted tags, all but the many frames: none reads as sound.
      EXPECT_TRUE(seed < 4000 || seed >= 4005 || quick || !reader.TagPresent() || !reader.ReadProblem().empty());
      // A header of 10 bytes is asked for even from a shorter file (that read just fails); all
      // reads together: headers, bodies, picture headers, the search for a frame header behind damage.
      EXPECT_LE(fs.largestRead(), std::max<std::size_t>(bytes.size(), 10));
      EXPECT_LE(fs.totalRead(), 4 * bytes.size() + 64);
      fs.reset();
      const auto starts = formats::id3v230::SplitList(reader.GraphicStartPos());
      const auto sizes = formats::id3v230::SplitList(reader.GraphicSize());
      for (std::size_t i = 0; i < starts.size() && i < sizes.size() && !sizes[i].empty(); ++i) {
        std::string info, type;
        const std::string picture = reader.ExtractGraphic(path, std::stoll(starts[i]), std::stoll(sizes[i]), info, type);
        if (!picture.empty()) {
          EXPECT_LT(support::ReadFileBytes(picture).size(), bytes.size());
          std::remove(picture.c_str());
        }
      }
    }
    formats::clsID3V111Reader tag(env);
    tag.ReadID3V111Tag(path);
    EXPECT_EQ(tag.TagPresent(), EndsWithMarker(bytes));
    using formats::Utf8Length;
    EXPECT_TRUE(Utf8Length(tag.SongTitle()) <= 30 && Utf8Length(tag.Year()) <= 4 && Utf8Length(tag.Comment()) <= 28);
    EXPECT_TRUE(tag.Genre().empty() || genres.count(tag.Genre()) == 1);
    formats::clsMP3HeadReader header(env);
    header.ReadMP3Header(path);
    EXPECT_TRUE(header.Layer() <= 3 && rates.count(header.Bitrate()) == 1 &&
                frequencies.count(header.Frequency()) == 1 && header.Length() >= 0);
    EXPECT_TRUE((seed != 4000 && seed != 4001) || header.MPEG().empty());  // the claimed tag runs past the end: no header
    EXPECT_LE(fs.largestRead(), std::max<std::uint64_t>(bytes.size(), formats::CopyPiece));

    if (seed % 10 != 0) continue;  // each rewrite flushes a work file to the disk: a sample
    // Removing the ID3v2 tag cuts exactly a front of the file or leaves it.
    const bool removed(formats::clsID3V230Writer(env).RemoveID3V230Tag(path));
    const std::string cut = support::ReadFileBytes(path);
    EXPECT_TRUE(cut == bytes || (removed && bytes.size() >= cut.size() &&
                                 bytes.compare(bytes.size() - cut.size(), cut.size(), cut) == 0));
    // An ID3v1.1 write keeps what is before the old block.
    const std::size_t audio = cut.size() - (EndsWithMarker(cut) ? 128 : 0);
    formats::clsID3V111Writer writer;
    writer.setTrack(9);
    writer.WriteID3V111Tag(path);
    const std::string written = support::ReadFileBytes(path);
    ASSERT_EQ(written.size(), audio + 128);
    EXPECT_TRUE(written.compare(0, audio, cut, 0, audio) == 0);
    EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"damaged.mp3"});
  }
  EXPECT_GT(present, 100);  // some variants stay readable (a flipped bit in a text)
}

}  // namespace
