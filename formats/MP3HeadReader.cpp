#include "formats/MP3HeadReader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace formats {

namespace {

// Bit rates in kbit/s by layer (1 to 3) and bit-rate index (1 to 14). MPEG-2 layers 1
// and 2 take the MPEG-1 values; only MPEG-2 layer 3 has a column of its own.
constexpr std::int32_t Mpeg1Rates[3][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
};
constexpr std::int32_t Mpeg2Layer3Rates[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

constexpr std::int32_t Mpeg1Frequencies[4] = {44100, 48000, 32000, 0};
constexpr std::int32_t Mpeg2Frequencies[4] = {22050, 24000, 16000, 0};

constexpr const char* ModeNames[4] = {"Stereo", "Joint Stereo", "Dual Channel", "Mono"};

// Layer code 01 is layer 3, 10 layer 2, 11 layer 1; 00 is reserved.
constexpr std::uint8_t LayerOfCode[4] = {0, 3, 2, 1};

constexpr std::size_t SearchPiece = 65536;

// The offset of the first byte 0xFF at or after `from`; false when there is none or the
// file cannot be read.
bool findSyncByte(InputFile& in, std::uint64_t from, const FormatEnv& env, std::uint64_t& found) {
  const std::uint64_t size = in.size();
  if (from >= size) return false;
  std::vector<unsigned char> piece(static_cast<std::size_t>(std::min<std::uint64_t>(size - from, SearchPiece)));
  for (std::uint64_t offset = from; offset < size;) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(size - offset, piece.size()));
    if (!in.readAt(offset, piece.data(), n)) return false;
    if (const void* hit = std::memchr(piece.data(), 0xFF, n)) {
      found = offset + static_cast<std::uint64_t>(static_cast<const unsigned char*>(hit) - piece.data());
      return true;
    }
    offset += n;
    env.yieldNow();  // a long run of other bytes must not freeze the interface
  }
  return false;
}

}  // namespace

std::uint64_t ID3V2TagSize(const unsigned char* header10) {
  if (std::memcmp(header10, "ID3", 3) != 0) return 0;
  return (std::uint64_t(header10[6]) << 21) + (std::uint64_t(header10[7]) << 14) +
         (std::uint64_t(header10[8]) << 7) + std::uint64_t(header10[9]) + 10;
}

std::int32_t PlayingSeconds(std::uint64_t audioBytes, std::int32_t kbps) {
  if (kbps <= 0) return 0;
  constexpr std::uint64_t Largest = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  const std::uint64_t bitsPerSecond = static_cast<std::uint64_t>(kbps) * 1000;
  // audioBytes * 8 / bitsPerSecond without forming the product, which could overflow.
  const std::uint64_t wholeBytes = audioBytes / bitsPerSecond;
  if (wholeBytes > Largest / 8) return std::numeric_limits<std::int32_t>::max();
  const std::uint64_t restBits = (audioBytes % bitsPerSecond) * 8;
  std::uint64_t seconds = wholeBytes * 8 + restBits / bitsPerSecond;
  const std::uint64_t remainder = restBits % bitsPerSecond;
  if (2 * remainder > bitsPerSecond || (2 * remainder == bitsPerSecond && seconds % 2 == 1)) ++seconds;
  return static_cast<std::int32_t>(std::min(seconds, Largest));
}

clsMP3HeadReader::clsMP3HeadReader(FormatEnv env) : env_(std::move(env)) {}

void clsMP3HeadReader::ReadMP3Header(const std::string& strFileName) {
  auto in = env_.fs->openRead(strFileName);
  if (!in) return;
  const std::uint64_t size = in->size();

  unsigned char start[10] = {};
  std::uint64_t audioStart = 0;
  if (size >= 3 && in->readAt(0, start, 3) && std::memcmp(start, "ID3", 3) == 0) {
    // A tag header cut short cannot say where the audio begins.
    if (size < 10 || !in->readAt(0, start, 10)) return;
    audioStart = ID3V2TagSize(start);
  }

  std::uint64_t headerAt = 0;
  if (!findSyncByte(*in, audioStart, env_, headerAt)) return;
  unsigned char header[4];
  if (size - headerAt < 4 || !in->readAt(headerAt, header, 4)) return;
  in.reset();
  decode(header, size, audioStart);
}

void clsMP3HeadReader::decode(const unsigned char* header, std::uint64_t fileSize, std::uint64_t audioStart) {
  const unsigned b2 = header[1], b3 = header[2], b4 = header[3];

  layer_ = LayerOfCode[(b2 >> 1) & 0x03];
  // The version is one bit: MPEG-2.5 (both version bits 0) reads as MPEG-2.
  const bool mpeg1 = (b2 & 0x08) != 0;
  mpeg_ = mpeg1 ? "MPEG-1" : "MPEG-2";
  frequency_ = (mpeg1 ? Mpeg1Frequencies : Mpeg2Frequencies)[(b3 >> 2) & 0x03];

  const unsigned rateIndex = b3 >> 4;
  if (rateIndex == 0 || rateIndex == 15) {
    bitrate_ = 0;  // free format or invalid
  } else if (layer_ == 0) {
    // No column applies to the reserved layer, except that MPEG-1 index 1 is 32 in
    // every column; otherwise the bit rate is left as it was.
    if (mpeg1 && rateIndex == 1) bitrate_ = 32;
  } else if (!mpeg1 && layer_ == 3) {
    bitrate_ = Mpeg2Layer3Rates[rateIndex];
  } else {
    bitrate_ = Mpeg1Rates[layer_ - 1][rateIndex];
  }

  isProtected_ = (b2 & 0x01) != 0;
  isPrivate_ = (b3 & 0x01) != 0;
  mode_ = ModeNames[b4 >> 6];
  isCopyright_ = (b4 & 0x08) != 0;

  length_ = bitrate_ == 0 ? 0 : PlayingSeconds(fileSize - audioStart, bitrate_);
  env_.yieldNow();
}

}  // namespace formats
