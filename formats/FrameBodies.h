// Building and taking apart the bodies of the text-bearing ID3v2.3 frames. Every text is
// UTF-8 here; a body's texts share one encoding: ISO-8859-1 when it holds them all,
// otherwise UTF-16 with a byte-order mark.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace formats::bodies {

// The encoding a writer gives these texts together: 0 when ISO-8859-1 holds them, else 1.
std::uint8_t EncodingFor(const std::vector<std::string>& texts);
// The terminator of the encoding: one NUL, or two in UTF-16.
std::string Terminator(std::uint8_t encoding);

// Text frame: encoding, text (no terminator, except after a text that ends in a NUL).
std::string Text(const std::string& text);
// TXXX: encoding, description, terminator, value.
std::string UserText(const std::string& description, const std::string& value);
// COMM and USLT: encoding, language (3 characters), description, terminator, text.
std::string Comment(const std::string& language, const std::string& description, const std::string& text);
// WXXX: encoding, description, terminator, the URL in ISO-8859-1 ("?" for what it cannot hold).
std::string UserUrl(const std::string& description, const std::string& url);
// The front of an APIC body: encoding, MIME type, NUL, picture type, description, terminator.
std::string PictureFront(const std::string& mime, std::uint8_t type, const std::string& description);
// IPLS: encoding, then the texts (involvement, person, ...), each followed by a terminator
// except the last.
std::string TextList(const std::vector<std::string>& texts);

// The encoding byte of a body and the bytes after it; false for an empty body.
bool SplitEncoding(const std::string& body, std::uint8_t& encoding, std::string& rest);
// The text of `bytes` from `from` on, without one terminator at its end (that terminator
// ends the text and is not part of it), decoded.
std::string TextOf(std::uint8_t encoding, const std::string& bytes, std::size_t from = 0);

// COMM, USLT: language, description, and the text bytes after the description (still
// encoded). False when there is no terminator after the description.
struct Described {
  std::uint8_t encoding = 0;
  std::string language;     // COMM and USLT only
  std::string description;  // decoded
  std::string rest;         // the bytes after the description's terminator
};
bool ReadDescribed(const std::string& body, bool withLanguage, Described& out);

}  // namespace formats::bodies
