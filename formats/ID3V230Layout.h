// The fixed parts of an ID3v2.3 tag: header and frame header lengths, the two size
// encodings, and the list separator of the multi-valued properties.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace formats::id3v230 {

constexpr std::uint64_t HeaderLength = 10;       // "ID3", version, revision, flags, size
constexpr std::uint64_t FrameHeaderLength = 10;  // ID, size, two flag bytes
// The largest value a 7-bit size can hold; a tag of this size or more cannot be described.
constexpr std::uint64_t SevenBitLimit = std::uint64_t(1) << 28;
constexpr char ListSeparator = '|';

// Seven bits per byte, most significant group first. The top bit of each byte is taken as
// it is, not masked off, so a plain 32-bit size written by other software reads as a
// different (smaller or larger) number.
inline std::uint64_t SevenBitValue(const unsigned char* b) {
  return (std::uint64_t(b[0]) << 21) + (std::uint64_t(b[1]) << 14) + (std::uint64_t(b[2]) << 7) +
         std::uint64_t(b[3]);
}

// A plain unsigned big-endian value.
inline std::uint64_t PlainValue(const unsigned char* b) {
  return (std::uint64_t(b[0]) << 24) | (std::uint64_t(b[1]) << 16) | (std::uint64_t(b[2]) << 8) |
         std::uint64_t(b[3]);
}

// The low 28 bits of value, seven per byte with the top bit 0.
inline std::string SevenBitBytes(std::uint64_t value) {
  std::string out(4, '\0');
  for (int i = 3; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = static_cast<char>(value & 0x7F);
    value >>= 7;
  }
  return out;
}

inline std::string PlainBytes(std::uint32_t value) {
  std::string out(4, '\0');
  for (int i = 3; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    value >>= 8;
  }
  return out;
}

// The entries of a list text, split at every separator; a text without one is one entry.
inline std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> entries;
  std::string::size_type start = 0;
  for (;;) {
    const auto bar = text.find(ListSeparator, start);
    if (bar == std::string::npos) break;
    entries.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  entries.push_back(text.substr(start));
  return entries;
}

// Appends one entry to a list text. `count` says how many entries the text holds, so that
// an empty first entry still keeps its place (parallel lists must stay aligned).
inline void AppendEntry(std::string& list, std::size_t& count, const std::string& entry) {
  if (count > 0) list += ListSeparator;
  list += entry;
  ++count;
}

}  // namespace formats::id3v230
