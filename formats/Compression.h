// The zlib data of compressed frames: ID3v2.3 and ID3v2.4 both compress a frame body with
// zlib and give its length once decompressed.
#pragma once
#include <cstdint>
#include <string>

#include "formats/ID3V2Tag.h"

namespace formats {

// The longest body a compressed frame is decompressed to: far beyond any text, and small
// enough that a forged size cannot make the reader allocate hugely.
constexpr std::uint64_t DecompressedLimit = std::uint64_t(16) << 20;

// Decompresses zlib data that must give exactly `size` bytes (with `sizeKnown` false: any
// length up to DecompressedLimit). False for a size above the limit or above what zlib can
// make of the data, for damaged data, and for any other length than the one given.
bool Inflate(const std::string& data, std::uint64_t size, bool sizeKnown, std::string& out);

// The body of a compressed frame in its ID3v2.3 form (the decompressed size, the group byte
// when grouped, the zlib data), decompressed. False for an encrypted frame or damaged data.
bool DecompressedBody(const StoredFrame& frame, const std::string& body, std::string& out);

}  // namespace formats
