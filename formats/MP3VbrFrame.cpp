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

}  // namespace

std::uint64_t RoundHalfEven(std::uint64_t q, std::uint64_t r, std::uint64_t d) {
  return (2 * r > d || (2 * r == d && q % 2 == 1)) ? q + 1 : q;
}

bool ReadVbrFrame(const unsigned char* frame, std::size_t n, std::uint64_t bytesToEnd, VbrFacts& facts) {
  FrameShape shape;
  if (n < 4 || !ShapeOf(frame, shape)) return false;
  std::string kind;
  std::uint32_t frames = 0, bytes = 0;
  // A header with a CRC may carry the two CRC bytes before the side information.
  for (const std::size_t at : {shape.xingAt, shape.crc ? shape.xingAt + 2 : shape.xingAt}) {
    if (n < at + 8 || (std::memcmp(frame + at, "Xing", 4) != 0 && std::memcmp(frame + at, "Info", 4) != 0)) continue;
    const std::uint32_t flags = BigEndian32(frame + at + 4);
    std::size_t field = at + 8;
    if ((flags & 0x01) == 0 || n < field + 4) return false;  // no frame count
    frames = BigEndian32(frame + field);
    field += 4;
    if ((flags & 0x02) != 0 && n >= field + 4) bytes = BigEndian32(frame + field);
    kind.assign(reinterpret_cast<const char*>(frame + at), 4);
    break;
  }
  // Fraunhofer's frame: 32 bytes behind the header, "VBRI", version, delay and quality
  // (two bytes each), then the byte and the frame numbers.
  constexpr std::size_t VbriAt = 36;
  if (kind.empty() && n >= VbriAt + 18 && std::memcmp(frame + VbriAt, "VBRI", 4) == 0) {
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
