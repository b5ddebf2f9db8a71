// The frame count that VBR encoders leave in the first MPEG audio frame (LAME's and
// Xing's "Xing" or, for a constant bit rate, "Info" frame; Fraunhofer's "VBRI" frame), and
// the exact playing time and average bit rate it gives.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace formats {

// How many bytes of the first frame, header included, hold every field read here.
constexpr std::size_t VbrFrameBytes = 64;

struct VbrFacts {
  std::string kind;           // "Xing", "Info" or "VBRI"
  std::uint32_t frames = 0;   // audio frames the file holds
  std::int32_t seconds = 0;   // playing time, rounded as PlayingSeconds rounds
  std::int32_t kbps = 0;      // average bit rate of the audio bytes
};

// Reads the VBR frame from the first bytes of the first frame (`n` of them, at most
// VbrFrameBytes are looked at); `bytesToEnd` counts from the frame's first byte to the end
// of the file. False when the frame is none, its header is no valid frame header, or its
// numbers cannot be true (no frames, more bytes than the file holds, an average frame
// shorter or longer than any MPEG audio frame): the caller keeps its estimate then.
bool ReadVbrFrame(const unsigned char* frame, std::size_t n, std::uint64_t bytesToEnd, VbrFacts& facts);

// The length in bytes of the frame that starts at `frame` (n bytes given; VbrFrameBytes
// are enough) when it is a Layer III frame that holds a VBR frame (Xing, Info or VBRI): a
// frame of no audio that counts the frames of its own file. 0 for any other frame.
std::size_t VbrFrameLength(const unsigned char* frame, std::size_t n);

// q + 1 when the remainder r of a division by d is more than a half, or exactly a half
// and q is odd: rounding to the nearest, a half going to the even neighbour.
std::uint64_t RoundHalfEven(std::uint64_t q, std::uint64_t r, std::uint64_t d);

}  // namespace formats
