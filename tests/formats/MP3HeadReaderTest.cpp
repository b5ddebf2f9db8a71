
#include <algorithm>
#include <cmath>
#include <fstream>

#include "formats/MP3VbrFrame.h"
#include "FormatsTest.h"
#include "support/Process.h"

namespace {

// An ID3v2 header whose size bytes 00 00 02 01 give a tag of 2 * 128 + 1 + 10 = 267 bytes.
const std::string kTagHeader = Bytes("ID3\x03\x00\x00" "\x00\x00\x02\x01"), kTag = kTagHeader + std::string(257, '\0');
// Sync; MPEG-1, layer code 01, protection bit 1; index 1001, 44.1 kHz; joint stereo, original; kJoint: as read.
const std::string kHeader128 = Bytes("\xff\xfb\x90\x64"), kJoint = "MPEG-1 3 1 128 44100 0 Joint Stereo 0 ";

// MPEG, layer, protected, bit rate, frequency, private, mode, copyright, length; `vbr`: the VBR frame's kind and count.
std::string Properties(const clsMP3HeadReader& r, bool vbr = false) {
  using std::to_string;
  return r.MPEG() + " " + to_string(r.Layer()) + " " + to_string(r.IsProtected()) + " " + to_string(r.Bitrate()) + " " +
         to_string(r.Frequency()) + " " + to_string(r.IsPrivate()) + " " + r.Mode() + " " + to_string(r.IsCopyright()) +
         " " + to_string(r.Length()) + (vbr ? " " + r.VbrKind() + " " + to_string(r.VbrFrames()) : "");
}

std::string Be32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

// The header, zeros up to `at` bytes behind its start, then `tag`; the whole padded with zeros to `size` bytes.
std::string Frame(const std::string& header, std::size_t at, const std::string& tag, std::size_t size) {
  const std::string f = header + std::string(at - header.size(), '\0') + tag;
  return f + std::string(size - std::min(size, f.size()), '\0');
}

// The bytes read from a file ("": no file at all); `used`: by a reader that holds an earlier file's values.
clsMP3HeadReader ReadBytes(const std::string& bytes, bool used = false) {
  TempDir dir;
  if (!bytes.empty()) WriteFileBytes(dir.file("a.mp3"), bytes);
  clsMP3HeadReader reader;
  if (used) reader.setMPEG("MPEG-1"), reader.setBitrate(128), reader.setLength(77), reader.setMode("Mono");
  reader.ReadMP3Header(dir.file("a.mp3"));
  return reader;
}

// A header found sets every property; without one the properties keep their values.
TEST(MP3HeadReader, DecodesHeaders) {
  const std::string kept = "MPEG-1 0 0 128 0 0 Mono 0 77";
  // A header alone (in hex), then zeros. MPEG-2: version bit 0, layer code 01, index 0101; MPEG-2.5: both version
  // bits 0; MPEG-2 layers 1 and 2 take the MPEG-1 values; no sync check past the first byte.
  const std::pair<const char*, std::string> headers[] = {
      {"fffb9064", kJoint + "0"}, {"fff25000", "MPEG-2 3 0 40 22050 0 Stereo 0 0"},
      {"ffe354c0", "MPEG-2 3 1 40 24000 0 Mono 0 0"}, {"fffd0888", "MPEG-1 2 1 0 32000 0 Dual Channel 1 0"},
      {"fffef540", "MPEG-1 1 0 0 48000 1 Joint Stereo 0 0"}, {"fffb9c00", "MPEG-1 3 1 128 0 0 Stereo 0 0"},
      {"fff91000", "MPEG-1 0 1 32 44100 0 Stereo 0 0"}, {"fff61800", "MPEG-2 1 0 32 16000 0 Stereo 0 0"},
      {"fff4e000", "MPEG-2 2 0 384 22050 0 Stereo 0 0"}, {"fff2e000", "MPEG-2 3 0 160 22050 0 Stereo 0 0"},
      {"fff21000", "MPEG-2 3 0 8 22050 0 Stereo 0 1"}, {"fffee000", "MPEG-1 1 0 448 44100 0 Stereo 0 0"},
      {"fffcd000", "MPEG-1 2 0 320 44100 0 Stereo 0 0"}, {"ff000000", "MPEG-2 0 0 0 22050 0 Stereo 0 0"}};
  for (const auto& [hex, expected] : headers) {
    std::string header;
    for (int i = 0; i < 8; i += 2) header += static_cast<char>(std::stoi(std::string(hex + i, 2), nullptr, 16));
    EXPECT_EQ(Properties(ReadBytes(header + std::string(1000, '\0'), true)), expected) << hex;
  }
  const std::pair<std::string, std::string> cases[] = {
      // Behind an ID3v2 tag, whose bytes do not count into the length: 4,000,000 * 8 / 128,000.
      {kTag + kHeader128 + std::string(4000000 - 4, '\0'), kJoint + "250"},
      // Inside the tag a 0xFF is skipped: the search starts at offset 267; "id3" is no tag.
      {kTagHeader + std::string(100, '\xff') + std::string(157, '\0') + kHeader128, kJoint + "0"},
      {"id3" + kTagHeader.substr(3) + kHeader128 + std::string(300, '\0'), kJoint + "0"},
      // Junk before the first frame that happens to hold 0xFF gives the junk's values.
      {std::string("junk\xff\xf2\x50\xc0", 8) + kHeader128, "MPEG-2 3 0 40 22050 0 Mono 0 0"},
      {kTag.substr(0, 200) + kHeader128, kept},  // the header is inside the claimed tag
      {kTag + std::string(5000, '\x7f'), kept}, {std::string(100, '\0') + "\xff\xfb\x90", kept},
      {"ID3\x03\x00\xff\xfb", kept}, {"", kept},  // a tag header cut short; no file
      // A reserved layer reads the header but leaves the bit rate, which then gives the length.
      {std::string("\xff\xf9\x50\x00", 4) + std::string(16000 * 4, '\0'), "MPEG-1 0 1 128 44100 0 Stereo 0 4"},
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(Properties(ReadBytes(bytes, true)), expected) << bytes.size();
  clsMP3HeadReader reader = ReadBytes(kHeader128 + std::string(1000, '\0'));
  reader.ReadMP3Header(TempDir().path());  // a folder where the file belongs
  EXPECT_EQ(Properties(reader), kJoint + "0");
}

// Lengths round half to even in 64 bits; a long search yields; the first frame is found in every piece of the search.
TEST(MP3HeadReader, LengthsAndTheSearchForTheFirstFrame) {
  const struct { std::uint64_t bytes; std::int32_t kbps, seconds; } lengths[] = {  // 128 kbit/s: 16,000 bytes a second
      {40000, 128, 2}, {40001, 128, 3}, {56000, 128, 4}, {8000, 128, 0}, {24000, 128, 2},
      {1ull << 40, 8, 1099511628}, {~0ull, 8, std::numeric_limits<std::int32_t>::max()}, {1000, 0, 0}};
  for (const auto& r : lengths) EXPECT_EQ(formats::PlayingSeconds(r.bytes, r.kbps), r.seconds) << r.bytes;
  // 300 MiB of zeros, then the header: 300 * 2^20 * 8 bits overflow 32 bits; 19,660.8 s.
  TempDir dir;
  const std::string path = dir.file("late.mp3");
  ASSERT_TRUE(support::MakeSparseFile(path, "", (300ull << 20) - 4));
  ASSERT_TRUE(std::ofstream(path, std::ios::binary | std::ios::app) << kHeader128);
  int yields = 0;
  clsMP3HeadReader reader(formats::FormatEnv{&formats::FileSystem::standard(), [&] { ++yields; }, {}});
  reader.ReadMP3Header(path);
  EXPECT_EQ(reader.Length(), 19661);
  EXPECT_GT(yields, 100);
  // A header of 40 kbit/s (5,000 bytes a second), a second one not to be taken; in front `tag` bytes of 0xFF.
  const std::string absent = " 0 0 0 0 0  0 0";
  const struct { std::size_t tag, at, size; std::string expected; } rows[] = {
      {0, 4092, 25000, "5"}, {0, 4094, 25000, "5"}, {0, 4096, 25000, "5"},  // in, across, past the first piece
      {0, 73727, 100000, "20"},                                             // across the first 64 KiB piece's end
      {4000, 4100, 24000, "4"}, {4096, 4096, 24096, "4"},                   // a short tag; one filling the piece
      {5000, 9094, 30000, "5"}, {70000, 70000, 95000, "5"},                 // tags longer than the first piece
      {0, 99997, 100000, absent}, {5000, 30000, 30000, absent}};            // cut short; no header at all
  for (const auto& row : rows) {
    std::string file = row.tag == 0 ? "" : "ID3\x03" + std::string(2, '\0') + SevenBit(row.tag - 10);
    file.resize(row.tag, '\xff');
    file = Frame(file, row.at, Bytes("\xff\xf2\x50\xc0") + kHeader128, row.size).substr(0, row.size);
    const std::string expected = row.expected == absent ? absent : "MPEG-2 3 0 40 22050 0 Mono 0 " + row.expected;
    EXPECT_EQ(Properties(ReadBytes(file)), expected) << row.at;
  }
}

TEST(MP3HeadReader, VbrFrameGivesLengthAndAverageBitrate) {
  const auto xing = [](const char* kind, std::uint32_t flags, std::uint32_t frames, std::uint32_t bytes) {
    return kind + Be32(flags) + Be32(frames) + Be32(bytes);
  };
  const std::string vbri = "VBRI" + Bytes("\0\1\0\0\0\x50") + Be32(400000) + Be32(1000);
  const std::string estimate = kJoint + "25  0", vbr = "MPEG-1 3 1 122 44100 0 Joint Stereo 0 26 Xing 1000";
  const auto x3 = [&](std::size_t at, std::uint32_t frames, std::uint32_t bytes, std::uint32_t flags = 3) {
    return Frame(kHeader128, at, xing("Xing", flags, frames, bytes), 400000);
  };
  // 1,000 frames of 1,152 samples at 44.1 kHz are 26.12 s; 400,000 bytes in them 122.5 kbit/s (estimate: 128).
  const std::pair<std::string, std::string> rows[] = {
      {x3(36, 1000, 400000), vbr},
      {Frame(kHeader128, 36, xing("Info", 3, 1000, 400000), 400000), kJoint + "26 Info 1000"},
      {Frame(kHeader128, 36, vbri, 400000), "MPEG-1 3 1 122 44100 0 Joint Stereo 0 26 VBRI 1000"},
      {Frame(Bytes("\xff\xfb\x90\xc4"), 21, xing("Xing", 1, 1000, 0), 401000),  // mono; the bytes: the file's
       "MPEG-1 3 1 123 44100 0 Mono 0 26 Xing 1000"},
      {Frame(Bytes("\xff\xfa\x90\x64"), 38, xing("Xing", 3, 1000, 400000), 400000),  // with a CRC
       "MPEG-1 3 0 122 44100 0 Joint Stereo 0 26 Xing 1000"},
      {std::string(4090, '\0') + Frame(kHeader128, 36, xing("Xing", 1, 1000, 0), 400000), vbr},
      {kTag + Frame(kHeader128, 36, xing("Xing", 1, 1000, 0), 400000), vbr},
      // MPEG-2: 576 samples a frame, 26.12 s at 22.05 kHz; MPEG-2.5 mono at 8 kHz (shown as MPEG-2 at 16 kHz): 72 s.
      {Frame(Bytes("\xff\xf3\x80\x00"), 21, xing("Xing", 3, 1000, 200000), 200000),
       "MPEG-2 3 1 61 22050 0 Stereo 0 26 Xing 1000"},
      {Frame(Bytes("\xff\xe3\x88\xc0"), 13, xing("Xing", 3, 1000, 100000), 100000),
       "MPEG-2 3 1 11 16000 0 Mono 0 72 Xing 1000"},
      // Numbers that cannot be true, no count, the mono place in a stereo frame: the estimate stays.
      {x3(36, 0, 400000), estimate}, {x3(36, 1000, 400000, 2), estimate}, {x3(36, 1000, 400001), estimate},
      {x3(36, 0xFFFFFFFF, 400000), estimate}, {x3(36, 10, 400000), estimate}, {x3(21, 1000, 400000), estimate},
      {Frame(kHeader128, 36, "Xing\0\0\0\x03\0\0", 42), kJoint + "0  0"},
      {Frame(Bytes("\xff\xf9\x90\x64"), 36, xing("Xing", 3, 1000, 400000), 400000),
       "MPEG-1 0 1 0 44100 0 Joint Stereo 0 0  0"}};  // a reserved layer has no frame length
  for (const auto& [bytes, expected] : rows) EXPECT_EQ(Properties(ReadBytes(bytes), true), expected);
  // The VBR frame's own length (Layer III only): 144,000 * 128 / 44,100 bytes, the padding byte.
  const std::pair<std::string, std::size_t> lengths[] = {
      {Frame(kHeader128, 36, xing("Xing", 3, 1000, 400000), 64), 417},
      {Frame(Bytes("\xff\xfb\x92\x64"), 36, vbri, 64), 418},
      {Frame(Bytes("\xff\xf3\x80\x00"), 21, xing("Xing", 3, 1000, 200000), 64), 208},  // MPEG-2: 72,000 * 64 / 22,050
      {Frame(Bytes("\xff\xfd\x90\x64"), 36, xing("Xing", 3, 1000, 400000), 64), 0},    // Layer II
      {Frame(kHeader128, 36, std::string(16, 'x'), 64), 0}};                           // no VBR frame
  for (const auto& [bytes, length] : lengths)
    EXPECT_EQ(formats::VbrFrameLength(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()), length);
}

TEST(MP3HeadReader, LameFilesReadAsFfprobeReadsThem) {
  if (!support::CommandSucceeds("lame --version && ffprobe -version")) GTEST_SKIP() << "lame or ffprobe missing";
  TempDir dir;
  const std::string wav = support::ShellQuote(dir.file("tone.wav")), mp3 = support::ShellQuote(dir.file("tone.mp3"));
  ASSERT_TRUE(support::CommandSucceeds("ffmpeg -v error -f lavfi -i sine=frequency=440:duration=5.04 -ac 2 " + wav));
  for (const auto& [options, kind] : {std::pair{"-V 2", "Xing"}, {"-V 6 -m m --resample 22.05", "Xing"},
                                      {"-b 128", "Info"}, {"-V 4 --id3v2-only --tt Tone", "Xing"}}) {
    ASSERT_TRUE(support::CommandSucceeds(std::string("lame --quiet ") + options + " " + wav + " " + mp3));
    clsMP3HeadReader reader;
    reader.ReadMP3Header(dir.file("tone.mp3"));
    auto probe = support::PeerRead("ffprobe", dir.file("tone.mp3"));
    EXPECT_EQ(reader.Length(), 5) << options;  // 5.04 s of sound
    EXPECT_EQ(reader.Length(), std::lround(std::stod(probe["duration"]))) << options;
    EXPECT_NEAR(reader.Bitrate(), std::stod(probe["bit_rate"]) / 1000, 0.5) << options;
    EXPECT_EQ(reader.VbrKind(), kind) << options;
    // The VBR frame's length leads to the next frame, which is audio (no VBR frame).
    const std::string bytes = ReadFileBytes(dir.file("tone.mp3"));
    const auto* frame = reinterpret_cast<const unsigned char*>(bytes.data());
    frame += formats::ID3V2TagSize(frame);
    const std::size_t length = formats::VbrFrameLength(frame, formats::VbrFrameBytes);
    ASSERT_GT(length, 0u) << options;
    EXPECT_TRUE(frame[length] == 0xFF && (frame[length + 1] & 0xE0) == 0xE0) << options;
    EXPECT_EQ(formats::VbrFrameLength(frame + length, formats::VbrFrameBytes), 0u) << options;
  }
}

}  // namespace
