#include "formats/MP3VbrFrame.h"

#include <cstring>

namespace formats {

namespace {

// No MPEG audio frame is shorter than 24 bytes (MPEG-2 layer III, 8 kbit/s at 24 kHz) or
// longer than 2,880 bytes (free-format layer III, 640 kbit/s at 32 kHz). An average outside
// them means the count or the byte number is wrong.
constexpr std::uint64_t ShortestFrame = 24;
constexpr std::uint64_t LongestFrame = 2880;

std::uint32_t BigEndian32(const unsigned char* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

// What the header says about the frame: its true sampling rate (MPEG-2.5 included, which
// the header properties read as MPEG-2), samples a frame and where a Xing frame's tag
// lies. False for anything that is no valid frame header.
struct FrameShape {
  std::uint32_t rate = 0;
  std::uint32_t samples = 0;
  std::size_t xingAt = 0;
  bool crc = false;
};

bool ShapeOf(const unsigned char* h, FrameShape& shape) {
  if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return false;
  const unsigned version = (h[1] >> 3) & 0x03;  // 0 MPEG-2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1
  const unsigned layerCode = (h[1] >> 1) & 0x03;  // 1 layer III, 2 layer II, 3 layer I
  const unsigned rateIndex = (h[2] >> 2) & 0x03;
  if (version == 1 || layerCode == 0 || rateIndex == 3) return false;
  static constexpr std::uint32_t Rates[3] = {44100, 48000, 32000};
  shape.rate = Rates[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
  const bool mpeg1 = version == 3;
  shape.samples = layerCode == 3 ? 384 : (layerCode == 1 && !mpeg1) ? 576 : 1152;
  // The tag follows the side information, whose length depends on version and channels.
  const bool mono = (h[3] >> 6) == 3;
  shape.xingAt = 4 + (mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17));
  shape.crc = (h[1] & 0x01) == 0;
  return true;
}

// Where the frame's "Xing" or "Info" mark lies: behind the side information, or two bytes
// later in a header with a CRC. 0 when the frame has none.
std::size_t XingMarkAt(const unsigned char* frame, std::size_t n, const FrameShape& shape) {
  for (const std::size_t at : {shape.xingAt, shape.crc ? shape.xingAt + 2 : shape.xingAt})
    if (n >= at + 8 && (std::memcmp(frame + at, "Xing", 4) == 0 || std::memcmp(frame + at, "Info", 4) == 0)) return at;
  return 0;
}

// Fraunhofer's frame: 32 bytes behind the header, "VBRI", version, delay and quality
// (two bytes each), then the byte and the frame numbers.
constexpr std::size_t VbriAt = 36;

bool HasVbriMark(const unsigned char* frame, std::size_t n) {
  return n >= VbriAt + 18 && std::memcmp(frame + VbriAt, "VBRI", 4) == 0;
}

}  // namespace

std::size_t VbrFrameLength(const unsigned char* frame, std::size_t n) {
  FrameShape shape;
  if (n < 4 || !ShapeOf(frame, shape) || ((frame[1] >> 1) & 0x03) != 1) return 0;  // Layer III only
  if (XingMarkAt(frame, n, shape) == 0 && !HasVbriMark(frame, n)) return 0;
  static constexpr std::uint32_t Mpeg1Kbps[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
  static constexpr std::uint32_t Mpeg2Kbps[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
  const unsigned rateIndex = frame[2] >> 4;
  if (rateIndex == 0 || rateIndex == 15) return 0;  // free format: no length in the header
  const bool mpeg1 = ((frame[1] >> 3) & 0x03) == 3;
  const std::uint32_t kbps = (mpeg1 ? Mpeg1Kbps : Mpeg2Kbps)[rateIndex];
  // A Layer III frame holds 1152 (MPEG-1) or 576 samples: kbps * 1000 / 8 bytes a second.
  const std::uint32_t padding = (frame[2] >> 1) & 0x01;
  return (mpeg1 ? 144000 : 72000) * kbps / shape.rate + padding;
}

std::uint64_t RoundHalfEven(std::uint64_t q, std::uint64_t r, std::uint64_t d) {
  return (2 * r > d || (2 * r == d && q % 2 == 1)) ? q + 1 : q;
}

bool ReadVbrFrame(const unsigned char* frame, std::size_t n, std::uint64_t bytesToEnd, VbrFacts& facts) {
  FrameShape shape;
  if (n < 4 || !ShapeOf(frame, shape)) return false;
  std::string kind;
  std::uint32_t frames = 0, bytes = 0;
  // A header with a CRC may carry the two CRC bytes before the side information.
  if (const std::size_t at = XingMarkAt(frame, n, shape); at != 0) {
    const std::uint32_t flags = BigEndian32(frame + at + 4);
    std::size_t field = at + 8;
    if ((flags & 0x01) == 0 || n < field + 4) return false;  // no frame count
    frames = BigEndian32(frame + field);
    field += 4;
    if ((flags & 0x02) != 0 && n >= field + 4) bytes = BigEndian32(frame + field);
    kind.assign(reinterpret_cast<const char*>(frame + at), 4);
  }
  if (kind.empty() && HasVbriMark(frame, n)) {
    bytes = BigEndian32(frame + VbriAt + 10);
    frames = BigEndian32(frame + VbriAt + 14);
    kind = "VBRI";
  }
  if (kind.empty() || frames == 0 || bytes > bytesToEnd) return false;
  const std::uint64_t audioBytes = bytes != 0 ? bytes : bytesToEnd;
  if (audioBytes < frames * ShortestFrame || audioBytes > frames * LongestFrame) return false;

  const std::uint64_t samples = std::uint64_t(frames) * shape.samples;
  facts.kind = kind;
  facts.frames = frames;
  facts.seconds = static_cast<std::int32_t>(RoundHalfEven(samples / shape.rate, samples % shape.rate, shape.rate));
  // bytes * 8 / (samples / rate) in kbit/s; the frame-length bounds keep it within 64 bits.
  const std::uint64_t bits = audioBytes * 8 * shape.rate, per = samples * 1000;
  facts.kbps = static_cast<std::int32_t>(RoundHalfEven(bits / per, bits % per, per));
  return true;
}

}  // namespace formats
