#include "formats/FrameBodies.h"

#include "formats/TextCodec.h"

namespace formats::bodies {

std::uint8_t EncodingFor(const std::vector<std::string>& texts) {
  std::string latin1;
  for (const std::string& text : texts)
    if (!Utf8ToLatin1(text, latin1)) return 1;
  return 0;
}

std::string Terminator(std::uint8_t encoding) { return std::string(TerminatorWidth(encoding), '\0'); }

namespace {
std::string EncodingByte(std::uint8_t encoding) { return std::string(1, static_cast<char>(encoding)); }
}  // namespace

std::string Text(const std::string& text) {
  const EncodedText encoded = EncodeText(text);
  // A reader takes one terminator at the end for the end of the text: a text that itself
  // ends in a NUL gets one written, so that it reads back whole.
  const bool endsInNul = !text.empty() && text.back() == '\0';
  return EncodingByte(encoded.encoding) + encoded.bytes + (endsInNul ? Terminator(encoded.encoding) : "");
}

std::string UserText(const std::string& description, const std::string& value) {
  const std::uint8_t e = EncodingFor({description, value});
  return EncodingByte(e) + EncodeAs(e, description) + Terminator(e) + EncodeAs(e, value);
}

std::string Comment(const std::string& language, const std::string& description, const std::string& text) {
  const std::uint8_t e = EncodingFor({description, text});
  return EncodingByte(e) + language + EncodeAs(e, description) + Terminator(e) + EncodeAs(e, text);
}

std::string UserUrl(const std::string& description, const std::string& url) {
  const std::uint8_t e = EncodingFor({description});
  return EncodingByte(e) + EncodeAs(e, description) + Terminator(e) + Utf8ToLatin1Lossy(url);
}

std::string PictureFront(const std::string& mime, std::uint8_t type, const std::string& description) {
  const std::uint8_t e = EncodingFor({description});
  return EncodingByte(e) + mime + std::string(1, '\0') + static_cast<char>(type) + EncodeAs(e, description) +
         Terminator(e);
}

std::string TextList(const std::vector<std::string>& texts) {
  const std::uint8_t e = EncodingFor(texts);
  std::string body = EncodingByte(e);
  for (std::size_t i = 0; i < texts.size(); ++i) body += (i > 0 ? Terminator(e) : "") + EncodeAs(e, texts[i]);
  return body;
}

bool SplitEncoding(const std::string& body, std::uint8_t& encoding, std::string& rest) {
  if (body.empty()) return false;
  encoding = static_cast<std::uint8_t>(body[0]);
  rest = body.substr(1);
  return true;
}

std::string TextOf(std::uint8_t encoding, const std::string& bytes, std::size_t from) {
  if (from > bytes.size()) from = bytes.size();
  std::size_t n = bytes.size() - from;
  const std::size_t width = TerminatorWidth(encoding);
  // UTF-16 units start at the first byte, so its terminator sits at an even position.
  const bool aligned = n >= width && n % width == 0;
  if (aligned && bytes.compare(bytes.size() - width, width, Terminator(encoding)) == 0) n -= width;
  // ISO-8859-1, by far the commonest, is decoded where it stands.
  if (encoding != 1 && encoding != 2 && encoding != 3) return Latin1ToUtf8(bytes.data() + from, n);
  return DecodeText(encoding, bytes.substr(from, n));
}

bool ReadDescribed(const std::string& body, bool withLanguage, Described& out) {
  if (body.empty()) return false;
  out.encoding = static_cast<std::uint8_t>(body[0]);
  // The body is read where it stands, behind its encoding byte: a lyrics text may be long.
  std::size_t at = 1;
  if (withLanguage) {
    out.language = body.substr(1, 3);
    at += out.language.size();
  }
  // A UTF-16 description starts right after the language: its terminator is sought in
  // steps of two from there.
  const std::size_t found = FindTerminator(out.encoding, body, at);
  if (found == std::string::npos) return false;
  out.description = DecodeText(out.encoding, body.substr(at, found - at));
  out.rest = body.substr(found + TerminatorWidth(out.encoding));
  return true;
}

}  // namespace formats::bodies
