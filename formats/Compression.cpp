#include "formats/Compression.h"

#include <zlib.h>

#include "formats/ID3V230Layout.h"

namespace formats {

namespace {

// zlib turns one byte into at most 1032 (its deflate format cannot do better), so a size
// beyond that ratio is a lie told before any allocation.
constexpr std::uint64_t MostPerByte = 1032;

}  // namespace

bool Inflate(const std::string& data, std::uint64_t size, bool sizeKnown, std::string& out) {
  const std::uint64_t most = data.size() * MostPerByte + 64;
  const std::uint64_t limit = sizeKnown ? size : (most < DecompressedLimit ? most : DecompressedLimit);
  if (limit > DecompressedLimit || limit > most) return false;
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  // Grown in pieces: a size that is not known is never allocated in advance.
  constexpr std::size_t Piece = 64 * 1024;
  std::string result;
  if (sizeKnown) result.reserve(static_cast<std::size_t>(size));
  int status = Z_OK;
  while (status == Z_OK) {
    const std::size_t room = static_cast<std::size_t>(limit - result.size() < Piece ? limit - result.size() : Piece);
    const std::size_t at = result.size();
    // One byte more than the limit allows shows a body that is too long.
    result.resize(at + room + 1);
    stream.next_out = reinterpret_cast<Bytef*>(&result[at]);
    stream.avail_out = static_cast<uInt>(room + 1);
    status = inflate(&stream, Z_NO_FLUSH);
    result.resize(at + room + 1 - stream.avail_out);
    if (result.size() > limit) status = Z_DATA_ERROR;
    // Data that is cut off stops with Z_BUF_ERROR once the input is used up.
  }
  inflateEnd(&stream);
  if (status != Z_STREAM_END || (sizeKnown && result.size() != size)) return false;
  out = std::move(result);
  return true;
}

bool DecompressedBody(const StoredFrame& frame, const std::string& body, std::string& out) {
  if ((frame.flags[1] & 0x80) == 0 || (frame.flags[1] & 0x40) != 0) return false;
  const std::size_t front = 4 + ((frame.flags[1] & 0x20) != 0 ? 1 : 0);
  if (body.size() < front) return false;
  const std::uint64_t size = id3v230::PlainValue(reinterpret_cast<const unsigned char*>(body.data()));
  return Inflate(body.substr(front), size, true, out);
}

}  // namespace formats
