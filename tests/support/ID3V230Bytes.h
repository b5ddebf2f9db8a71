// Byte builders for ID3v2 fixtures: frames with either size encoding, tag headers, whole tags.
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

std::string SevenBit(std::uint32_t value);  // four size bytes, seven bits per byte (top bits 0)

// A frame: ID, size, two flag bytes, body. Frame(): the earlier writer's sizes (plain for USLT and APIC,
// 7-bit for the others); PlainFrame(): the plain size of ID3v2.3. Below 128 they are the same.
std::string Frame(const std::string& id, const std::string& body, const std::string& flags = std::string(2, '\0'));
std::string PlainFrame(const std::string& id, const std::string& body, const std::string& flags = std::string(2, '\0'));

std::string Frame22(const std::string& id, const std::string& body);  // ID3v2.2: 3-character ID, 24-bit size

// The 10-byte header "ID3", major version, revision 0, flags, 7-bit size.
std::string TagHeader(std::uint32_t size, unsigned char flags = 0, unsigned char major = 3);
// A header, then the bytes (Tagged) or the frames and `padding` NUL bytes (Tag) its size counts.
std::string Tagged(const std::string& body, unsigned char flags = 0, unsigned char major = 3);
std::string Tag(std::initializer_list<std::string> frames, std::uint32_t padding = 0);

std::string Text(const std::string& text);  // encoding byte 0, then the text
std::string Audio(int frames = 4);          // silent MPEG frames
std::string ID3v1Block(const std::string& title);  // 128 bytes with this title

extern const std::string NUL;
// zlib data of the text frame bodies "\0Packed title" (13 bytes) and "\0Packed artist" (14).
extern const std::string kPackedTitle, kPackedArtist;

}  // namespace support
