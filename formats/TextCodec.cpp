#include "formats/TextCodec.h"

#include <cstdint>
#include <cstring>

namespace formats {

char32_t DecodeUtf8At(const std::string& text, std::size_t at, std::size_t& length) {
  length = 0;
  if (at >= text.size()) return 0;
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t extra = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    length = 1;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, c = lead & 0x07;
  } else {
    return 0;
  }
  if (at + extra >= text.size()) return 0;
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(text[at + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  // Overlong forms, surrogates and values beyond U+10FFFF are not characters.
  static const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
  if (c < minimum[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
  length = extra + 1;
  return c;
}

namespace {

constexpr char32_t Replacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// ISO-8859-1 bytes as UTF-8. Runs of ASCII, which most tags hold throughout, are copied
// whole.
std::string latin1Range(const char* bytes, std::size_t n) {
  std::string out;
  out.reserve(n);
  for (std::size_t i = 0; i < n;) {
    std::size_t run = i;
    // Eight bytes at a time while none has its top bit set.
    for (std::uint64_t word; run + 8 <= n; run += 8) {
      std::memcpy(&word, bytes + run, 8);
      if (word & 0x8080808080808080ULL) break;
    }
    while (run < n && static_cast<unsigned char>(bytes[run]) < 0x80) ++run;
    out.append(bytes + i, run - i);
    if (run == n) break;
    appendUtf8(out, static_cast<unsigned char>(bytes[run]));
    i = run + 1;
  }
  return out;
}

// The code point at `i`, stepping `i` past it; a malformed sequence gives U+FFFD and one byte.
char32_t nextUtf8(const std::string& s, std::size_t& i) {
  std::size_t length = 0;
  const char32_t c = DecodeUtf8At(s, i, length);
  i += length == 0 ? 1 : length;
  return length == 0 ? Replacement : c;
}

std::string decodeUtf16(const std::string& bytes, bool bigEndian) {
  std::string out;
  const std::size_t n = bytes.size() / 2;
  auto unit = [&](std::size_t k) {
    const auto a = static_cast<unsigned char>(bytes[2 * k]), b = static_cast<unsigned char>(bytes[2 * k + 1]);
    return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  for (std::size_t k = 0; k < n; ++k) {
    const char32_t u = unit(k);
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < n && unit(k + 1) >= 0xDC00 && unit(k + 1) <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(k + 1) - 0xDC00));
      ++k;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      appendUtf8(out, Replacement);
    } else {
      appendUtf8(out, u);
    }
  }
  if (bytes.size() % 2 != 0) appendUtf8(out, Replacement);  // half a character
  return out;
}

std::string decodeUtf8(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size();) appendUtf8(out, nextUtf8(bytes, i));
  return out;
}

std::string encodeUtf16LE(const std::string& utf8) {
  std::string out("\xFF\xFE", 2);
  auto put = [&out](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = nextUtf8(utf8, i);
    if (c >= 0x10000) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
  }
  return out;
}

}  // namespace

std::string Latin1ToUtf8(const std::string& latin1) { return latin1Range(latin1.data(), latin1.size()); }
std::string Latin1ToUtf8(const char* latin1, std::size_t n) { return latin1Range(latin1, n); }

bool Utf8ToLatin1(const std::string& utf8, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = nextUtf8(utf8, i);
    if (c > 0xFF) return false;
    out += static_cast<char>(c);
  }
  return true;
}

std::string Utf8ToLatin1Lossy(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = nextUtf8(utf8, i);
    out += c > 0xFF ? '?' : static_cast<char>(c);
  }
  return out;
}

std::size_t Utf8Length(const std::string& utf8) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < utf8.size(); ++count) nextUtf8(utf8, i);
  return count;
}

std::string Utf8Prefix(const std::string& utf8, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t k = 0; k < count && i < utf8.size(); ++k) nextUtf8(utf8, i);
  return utf8.substr(0, i);
}

std::string DecodeText(std::uint8_t encoding, const std::string& bytes) {
  switch (encoding) {
    case 1: {
      if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
        return decodeUtf16(bytes.substr(2), false);
      if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF)
        return decodeUtf16(bytes.substr(2), true);
      return decodeUtf16(bytes, true);
    }
    case 2: return decodeUtf16(bytes, true);
    case 3: return decodeUtf8(bytes);
    default: return Latin1ToUtf8(bytes);
  }
}

std::size_t TerminatorWidth(std::uint8_t encoding) { return encoding == 1 || encoding == 2 ? 2 : 1; }

std::size_t FindTerminator(std::uint8_t encoding, const std::string& bytes, std::size_t from) {
  const std::size_t width = TerminatorWidth(encoding);
  if (width == 1) return bytes.find('\0', from);
  for (std::size_t i = from; i + width <= bytes.size(); i += width) {
    if (bytes[i] == '\0' && (width == 1 || bytes[i + 1] == '\0')) return i;
  }
  return std::string::npos;
}

std::vector<std::string> DecodePieces(std::uint8_t encoding, const std::string& bytes) {
  std::vector<std::string> pieces;
  const std::size_t width = TerminatorWidth(encoding);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = FindTerminator(encoding, bytes, start);
    const std::size_t length = (end == std::string::npos ? bytes.size() : end) - start;
    // ISO-8859-1 needs no copy of the piece first.
    pieces.push_back(encoding == 0 ? latin1Range(bytes.data() + start, length)
                                   : DecodeText(encoding, bytes.substr(start, length)));
    if (end == std::string::npos) return pieces;
    start = end + width;
    if (start >= bytes.size()) return pieces;  // the terminator that ends the text
  }
}

EncodedText EncodeText(const std::string& utf8) {
  EncodedText text;
  if (Utf8ToLatin1(utf8, text.bytes)) return text;
  text.encoding = 1;
  text.bytes = encodeUtf16LE(utf8);
  return text;
}

std::string EncodeAs(std::uint8_t encoding, const std::string& utf8) {
  if (encoding == 1 || encoding == 2) {
    const std::string le = encodeUtf16LE(utf8);
    if (encoding == 1) return le;
    std::string be;
    for (std::size_t i = 2; i + 1 < le.size(); i += 2) be += std::string{le[i + 1], le[i]};
    return be;
  }
  if (encoding == 3) return utf8;
  return Utf8ToLatin1Lossy(utf8);
}

}  // namespace formats
