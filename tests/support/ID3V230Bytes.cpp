#include "support/ID3V230Bytes.h"

#include "formats/SilentMpeg.h"

namespace support {

// n in `bytes` big-endian bytes of `bits` bits each (8: plain, 7: a 7-bit size).
static std::string BigEndian(std::uint64_t n, int bytes, int bits = 8) {
  std::string out(static_cast<std::size_t>(bytes), '\0');
  for (int i = bytes - 1; i >= 0; --i, n >>= bits) out[static_cast<std::size_t>(i)] = static_cast<char>(n & ((1u << bits) - 1));
  return out;
}

std::string SevenBit(std::uint32_t value) { return BigEndian(value, 4, 7); }

std::string Frame(const std::string& id, const std::string& body, const std::string& flags) {
  return id + BigEndian(body.size(), 4, id == "USLT" || id == "APIC" ? 8 : 7) + flags + body;  // plain for these two
}

std::string PlainFrame(const std::string& id, const std::string& body, const std::string& flags) {
  return id + BigEndian(body.size(), 4) + flags + body;
}

std::string Frame22(const std::string& id, const std::string& body) { return id + BigEndian(body.size(), 3) + body; }

std::string TagHeader(std::uint32_t size, unsigned char flags, unsigned char major) {
  return "ID3" + std::string{static_cast<char>(major), '\0', static_cast<char>(flags)} + SevenBit(size);
}

std::string Tagged(const std::string& body, unsigned char flags, unsigned char major) {
  return TagHeader(static_cast<std::uint32_t>(body.size()), flags, major) + body;
}

std::string Tag(std::initializer_list<std::string> frames, std::uint32_t padding) {
  std::string body;
  for (const auto& frame : frames) body += frame;
  return Tagged(body + std::string(padding, '\0'));
}

std::string Text(const std::string& text) { return std::string(1, '\0') + text; }

std::string Audio(int frames) { return formats::SilentMpegFrames(frames); }

std::string ID3v1Block(const std::string& title) {
  // Track 1, genre 13; blank padding.
  std::string block = "TAG" + title.substr(0, 30) + std::string(122, ' ');
  return block.substr(0, 125) + std::string("\x00\x01\x0D", 3);
}

const std::string NUL(1, '\0');
const std::string kPackedTitle = Bytes("\x78\x9C\x63\x08\x48\x4C\xCE\x4E\x4D\x51\x28\xC9\x2C\xC9\x49\x05\x00\x1C\xBE\x04\x8B");
const std::string kPackedArtist = Bytes("\x78\x9C\x63\x08\x48\x4C\xCE\x4E\x4D\x51\x48\x2C\x2A\xC9\x2C\x2E\x01\x00\x21\x8B\x05\x00");

}  // namespace support
