// Byte builders for ID3v2.3 test fixtures: frames with either size encoding, tag
// headers and whole tags, so that a fixture reads one field per line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace support {

// The bytes of a string literal, NUL bytes included: Bytes("TIT2" "\x00\x00\x00\x04").
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

// Four size bytes, seven bits per byte (top bits 0).
std::string SevenBit(std::uint32_t value);

// A frame: ID, size field, two flag bytes, body. Frame() gives the sizes of the earlier
// writer (plain for USLT and APIC, 7-bit for the others), PlainFrame() the plain size that
// ID3v2.3 prescribes; below 128 they are the same.
std::string Frame(const std::string& id, const std::string& body, const std::string& flags = std::string(2, '\0'));
std::string PlainFrame(const std::string& id, const std::string& body, const std::string& flags = std::string(2, '\0'));

// An ID3v2.2 frame: three-character ID, 24-bit size, body.
std::string Frame22(const std::string& id, const std::string& body);

// The 10-byte header "ID3", major version, revision 0, flags, 7-bit size.
std::string TagHeader(std::uint32_t size, unsigned char flags = 0, unsigned char major = 3);
// A header whose size counts the bytes given, then those bytes.
std::string Tagged(const std::string& body, unsigned char flags = 0, unsigned char major = 3);
// A header whose size counts the frames given, then the frames, then `padding` NUL bytes.
std::string Tag(std::initializer_list<std::string> frames, std::uint32_t padding = 0);

// A text body: encoding byte 0, then the text.
std::string Text(const std::string& text);
// Some bytes that stand for the audio data: silent MPEG frames.
std::string Audio(int frames = 4);
// A 128-byte ID3v1.1 block with the given title.
std::string ID3v1Block(const std::string& title);

// One NUL byte, for texts and their terminators.
extern const std::string NUL;
// zlib data of the text frame bodies "\0Packed title" (13 bytes) and "\0Packed artist" (14).
extern const std::string kPackedTitle, kPackedArtist;

}  // namespace support
