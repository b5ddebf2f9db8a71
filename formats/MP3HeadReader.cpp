#include "formats/MP3HeadReader.h"

#include "formats/MP3VbrFrame.h"

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

// The first frame header nearly always lies in the first few KiB behind the ID3v2 tag:
// one small read finds it. Only when it does not are larger pieces read, each followed
// by a yield.
constexpr std::size_t FirstPiece = 4096;
constexpr std::size_t LaterPiece = 65536;

// The first frame: the offset of the first byte 0xFF at or after the start of the audio,
// and the bytes from there on, as many as the VBR frame needs and the file holds.
struct FirstFrame {
  std::uint64_t at = 0;
  unsigned char bytes[VbrFrameBytes] = {};
  std::size_t n = 0;
};

// Looks for the byte 0xFF in `piece` (n bytes read at `offset`) from index `from` on.
// On a hit takes the frame's bytes from the piece, or from the file when the piece ends
// before the file does. False when there is no 0xFF or the file cannot be read.
bool takeFrame(InputFile& in, const unsigned char* piece, std::size_t n, std::uint64_t offset, std::size_t from,
               FirstFrame& frame, bool& found) {
  const void* hit = from < n ? std::memchr(piece + from, 0xFF, n - from) : nullptr;
  found = hit != nullptr;
  if (!found) return true;
  const auto index = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - piece);
  frame.at = offset + index;
  frame.n = static_cast<std::size_t>(std::min<std::uint64_t>(in.size() - frame.at, VbrFrameBytes));
  if (index + frame.n <= n) {
    std::memcpy(frame.bytes, piece + index, frame.n);
    return true;
  }
  return in.readAt(frame.at, frame.bytes, frame.n);
}

// Searches the file from `from` on, in a first small piece and then in larger ones.
bool findFrame(InputFile& in, std::uint64_t from, const FormatEnv& env, FirstFrame& frame) {
  const std::uint64_t size = in.size();
  unsigned char first[FirstPiece];
  std::vector<unsigned char> later;
  for (std::uint64_t offset = from; offset < size;) {
    unsigned char* piece = first;
    std::size_t room = FirstPiece;
    if (offset != from) {
      later.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size - offset, LaterPiece)));
      piece = later.data();
      room = later.size();
    }
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(size - offset, room));
    bool found = false;
    if (!in.readAt(offset, piece, n) || !takeFrame(in, piece, n, offset, 0, frame, found)) return false;
    if (found) return true;
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
  const std::uint64_t seconds = RoundHalfEven(wholeBytes * 8 + restBits / bitsPerSecond, restBits % bitsPerSecond,
                                              bitsPerSecond);
  return static_cast<std::int32_t>(std::min(seconds, Largest));
}

clsMP3HeadReader::clsMP3HeadReader(FormatEnv env) : env_(std::move(env)) {}

void clsMP3HeadReader::ReadMP3Header(const std::string& strFileName) {
  auto in = env_.fs->openRead(strFileName);
  if (!in) return;
  const std::uint64_t size = in->size();

  // One read at the start serves the tag header and, for a file without a tag or with a
  // short one, the search as well.
  unsigned char start[FirstPiece];
  const auto startBytes = static_cast<std::size_t>(std::min<std::uint64_t>(size, FirstPiece));
  if (!in->readAt(0, start, startBytes)) return;
  std::uint64_t audioStart = 0;
  if (startBytes >= 3 && std::memcmp(start, "ID3", 3) == 0) {
    if (startBytes < 10) return;  // a tag header cut short cannot say where the audio begins
    audioStart = ID3V2TagSize(start);
  }

  FirstFrame frame;
  bool found = false;
  if (audioStart < startBytes) {
    if (!takeFrame(*in, start, startBytes, 0, static_cast<std::size_t>(audioStart), frame, found)) return;
    if (!found) env_.yieldNow();  // as after any piece searched in vain
  }
  if (!found && !findFrame(*in, std::max<std::uint64_t>(audioStart, startBytes), env_, frame)) return;
  if (frame.n < 4) return;
  in.reset();
  decode(frame.bytes, frame.n, size, audioStart, frame.at);
}

void clsMP3HeadReader::decode(const unsigned char* frame, std::size_t frameBytes, std::uint64_t fileSize,
                              std::uint64_t audioStart, std::uint64_t headerAt) {
  const unsigned b2 = frame[1], b3 = frame[2], b4 = frame[3];

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

  VbrFacts vbr;
  if (ReadVbrFrame(frame, frameBytes, fileSize - headerAt, vbr)) {
    vbrKind_ = vbr.kind;
    vbrFrames_ = vbr.frames;
    length_ = vbr.seconds;
    // "Info" marks a constant bit rate: the header's rate is the true one (the average
    // would count the Info frame itself); a free-format header has none and takes it.
    if (vbr.kind != "Info" || bitrate_ == 0) bitrate_ = vbr.kbps;
  } else {
    vbrKind_.clear();
    vbrFrames_ = 0;
    length_ = bitrate_ == 0 ? 0 : PlayingSeconds(fileSize - audioStart, bitrate_);
  }
  env_.yieldNow();
}

}  // namespace formats
