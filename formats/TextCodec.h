// Tag texts and their encodings. Below the widgets every tag text is UTF-8; in a file it is
// ISO-8859-1 (encoding 0), UTF-16 with a byte-order mark (1), UTF-16 big-endian without
// one (2) or UTF-8 (3), as the encoding byte in front of it says.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace formats {

// The character of the UTF-8 sequence at text[at] and its length in bytes; length 0 when
// the bytes there are no valid, shortest-form sequence of a character (a cut sequence, an
// overlong form, a surrogate, a value beyond U+10FFFF). Every UTF-8 text is read through it.
char32_t DecodeUtf8At(const std::string& text, std::size_t at, std::size_t& length);

// ISO-8859-1 bytes as UTF-8.
std::string Latin1ToUtf8(const std::string& latin1);
std::string Latin1ToUtf8(const char* latin1, std::size_t n);
// The ISO-8859-1 form of a UTF-8 text; false (and `out` incomplete) when a character does
// not fit one byte.
bool Utf8ToLatin1(const std::string& utf8, std::string& out);
// The ISO-8859-1 form with "?" for each character that does not fit.
std::string Utf8ToLatin1Lossy(const std::string& utf8);
// The number of characters of a UTF-8 text (a malformed byte counts as one).
std::size_t Utf8Length(const std::string& utf8);
// The first `count` characters of a UTF-8 text.
std::string Utf8Prefix(const std::string& utf8, std::size_t count);

// Bytes of one text in the given encoding (0..3) as UTF-8; an unknown encoding is taken as
// ISO-8859-1. UTF-16 without a byte-order mark under encoding 1 is read big-endian;
// unpaired surrogates and malformed UTF-8 become U+FFFD.
std::string DecodeText(std::uint8_t encoding, const std::string& bytes);

// The width of the terminator of the encoding: 2 for UTF-16, else 1.
std::size_t TerminatorWidth(std::uint8_t encoding);
// Where the first terminator at or after `from` starts (on a character boundary for
// UTF-16), or npos.
std::size_t FindTerminator(std::uint8_t encoding, const std::string& bytes, std::size_t from);
// The bytes cut at every terminator; one terminator at the very end ends the text and
// gives no empty last piece. Each piece is decoded to UTF-8.
std::vector<std::string> DecodePieces(std::uint8_t encoding, const std::string& bytes);

// How a writer stores a UTF-8 text: encoding 0 and the ISO-8859-1 bytes when every
// character fits, otherwise encoding 1 and UTF-16 little-endian with its byte-order mark.
struct EncodedText {
  std::uint8_t encoding = 0;
  std::string bytes;
};
EncodedText EncodeText(const std::string& utf8);
// A UTF-8 text in the given encoding (1 gives a byte-order mark), without a terminator.
std::string EncodeAs(std::uint8_t encoding, const std::string& utf8);

}  // namespace formats
