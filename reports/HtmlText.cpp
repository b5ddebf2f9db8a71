// Texts into the ISO-8859-1 page: escaped, and beyond Latin-1 as character references.
#include <string>

#include "reports/TagListPage.h"

namespace reports {

namespace {

// The code point of the UTF-8 sequence at text[at] and its length in bytes; length 0 when
// the bytes there are no valid, shortest-form sequence.
char32_t DecodeUtf8(const std::string& text, std::size_t at, std::size_t& length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  length = 0;
  if (lead < 0x80) {
    length = 1;
    return lead;
  }
  std::size_t count = 0;
  char32_t code = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    count = 2, code = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    count = 3, code = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    count = 4, code = lead & 0x07, smallest = 0x10000;
  } else {
    return 0;
  }
  if (at + count > text.size()) return 0;
  for (std::size_t i = 1; i < count; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  length = count;
  return code;
}

}  // namespace

std::string HtmlText(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    std::size_t length = 0;
    char32_t code = DecodeUtf8(utf8, at, length);
    if (length == 0) {  // an ISO-8859-1 byte of an older text: the character of that byte
      code = static_cast<unsigned char>(utf8[at]);
      length = 1;
    }
    at += length;
    switch (code) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Control characters (a NUL that ends a text, a line break in a comment) would
        // break the page's lines or its parsing; a tab stays.
        if (code < 0x20 && code != '\t') break;
        if (code <= 0xFF) {
          out += static_cast<char>(code);
        } else {
          out += "&#" + std::to_string(static_cast<unsigned long>(code)) + ";";
        }
    }
  }
  return out;
}

}  // namespace reports
