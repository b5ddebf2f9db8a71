// Texts into the ISO-8859-1 page: escaped, and beyond Latin-1 as character references.
#include <string>

#include "formats/TextCodec.h"
#include "reports/TagListPage.h"

namespace reports {

std::string HtmlText(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    std::size_t length = 0;
    char32_t code = formats::DecodeUtf8At(utf8, at, length);
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
