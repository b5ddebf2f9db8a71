// Damaged tags, made deterministically from a sound one: truncated, bit-flipped, with
// inflated size fields. The reader, the picture extraction and the remover must end
// quietly, never read more at once than the file holds, and never lose the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "support/FileHelpers.h"
#include "support/ID3V230Bytes.h"
#include "support/ReadCountingFileSystem.h"
#include "support/TempDir.h"

using formats::clsID3V230Reader;
using formats::FormatEnv;
using support::Frame;
using support::Text;

namespace {

const std::string NUL(1, '\0');

std::string soundTag() {
  const std::string extended = support::SevenBit(10) + std::string(6, '\0') + support::SevenBit(77);
  std::string frames = Frame("TIT2", Text("Title")) + Frame("TPE1", Text("Artist")) + Frame("TALB", Text("Album")) +
                       Frame("TYER", Text("1999")) + Frame("TRCK", Text("3/12")) + Frame("TCON", Text("Rock")) +
                       Frame("COMM", Text("eng" + NUL + "comment")) + Frame("WXXX", Text("d" + NUL + "http://x")) +
                       Frame("USLT", Text("eng" + NUL + "lyrics" + NUL + "more")) + Frame("TPOS", Text("1/2")) +
                       Frame("APIC", Text("image/jpeg" + NUL + "\x03" "front" + NUL + std::string(300, 'j'))) +
                       Frame("APIC", Text("image/png" + NUL + "\x04" + NUL + std::string(200, 'p')));
  const std::string body = extended + frames + std::string(64, '\0');
  return support::TagHeader(static_cast<std::uint32_t>(body.size()), 0x40) + body;
}

// One damaged variant per seed.
std::string damaged(const std::string& sound, unsigned seed) {
  std::mt19937 random(seed);
  auto below = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
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

TEST(ID3V230Robustness, DamagedTagsEndQuietlyWithBoundedReads) {
  support::TempDir dir;
  const std::string path = dir.file("damaged.mp3");
  const std::string sound = soundTag();
  const std::string audio = support::Audio(2);
  int present = 0;
  for (unsigned seed = 0; seed < 4000; ++seed) {
    const std::string bytes = damaged(sound, seed) + (seed % 8 == 0 ? "" : audio);
    ASSERT_TRUE(support::WriteFileBytes(path, bytes));
    SCOPED_TRACE("seed " + std::to_string(seed));
    support::ReadCountingFileSystem fs;
    FormatEnv env;
    env.fs = &fs;
    for (const bool quick : {false, true}) {
      clsID3V230Reader reader(env, dir.file("cover"));
      reader.setQuickRead(quick);
      reader.ReadID3V230Tag(path);
      present += reader.TagPresent();
      // (A header of 10 bytes is asked for even from a shorter file; that read just fails.)
      EXPECT_LE(fs.largestRead(), std::max<std::size_t>(bytes.size(), 10));
      // Frame headers, bodies, and the growing pieces of picture headers.
      EXPECT_LE(fs.totalRead(), 3 * bytes.size() + 64);
      fs.reset();
      // Whatever positions were recorded, extraction stays within the file.
      const auto starts = formats::id3v230::SplitList(reader.GraphicStartPos());
      const auto sizes = formats::id3v230::SplitList(reader.GraphicSize());
      for (std::size_t i = 0; i < starts.size() && i < sizes.size() && !sizes[i].empty(); ++i) {
        std::string info, type;
        const std::string picture =
            reader.ExtractGraphic(path, std::stoll(starts[i]), std::stoll(sizes[i]), info, type);
        if (!picture.empty()) {
          EXPECT_LT(support::ReadFileBytes(picture).size(), bytes.size());
          std::remove(picture.c_str());
        }
      }
    }
    // Removing the tag either cuts exactly the header's length or leaves the file (every
    // tenth variant: each removal flushes a work file to the disk).
    if (seed % 10 != 0) continue;
    const bool removed = formats::clsID3V230Writer(env).RemoveID3V230Tag(path);
    const std::string after = support::ReadFileBytes(path);
    EXPECT_TRUE(after == bytes || (removed && bytes.size() >= after.size() &&
                                   bytes.compare(bytes.size() - after.size(), after.size(), after) == 0));
    EXPECT_EQ(support::FolderEntries(dir.path()), std::vector<std::string>{"damaged.mp3"});
  }
  // Some variants stay readable (a flipped bit in a text), most do not.
  EXPECT_GT(present, 100);
}

TEST(ID3V230Robustness, KnownHostileTags) {
  support::TempDir dir;
  const std::string path = dir.file("hostile.mp3");
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"tag size of 256 MiB over a tiny file", support::TagHeader(0x0FFFFFFF) + Frame("TIT2", Text("t"))},
      {"size bytes with top bits set", support::Bytes("ID3\x03\x00\x00\xFF\xFF\xFF\xFF") + Frame("TIT2", Text("t"))},
      {"frame claiming 4 GiB", support::TagHeader(100) + "APIC\xFF\xFF\xFF\xFF" + std::string(92, '\0')},
      {"extended header claiming 256 MiB",
       support::TagHeader(30, 0x40) + "\x7F\x7F\x7F\x7F" + std::string(26, '\0')},
      {"picture without NUL after its MIME type", support::Tag({Frame("APIC", Text(std::string(5000, 'm')))})},
      {"thousands of one-byte frames", [] {
         std::string frames;
         for (int i = 0; i < 20000; ++i) frames += Frame("TXXX", Text(""));
         return support::TagHeader(static_cast<std::uint32_t>(frames.size())) + frames;
       }()},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(support::WriteFileBytes(path, c.bytes));
    support::ReadCountingFileSystem fs;
    FormatEnv env;
    env.fs = &fs;
    clsID3V230Reader reader(env);
    reader.ReadID3V230Tag(path);
    EXPECT_LE(fs.largestRead(), c.bytes.size()) << c.name;
    if (std::string(c.name) != "thousands of one-byte frames") {
      EXPECT_FALSE(reader.TagPresent()) << c.name;
    }
  }
}

}  // namespace
