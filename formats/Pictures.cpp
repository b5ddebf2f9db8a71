#include "formats/Pictures.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "formats/TextCodec.h"

namespace formats {

namespace {

const char* const kReaderNames[21] = {
    "Other",          "32x32 Icon",         "Other Icon",         "Front Cover",
    "Back Cover",     "Leaflet Page",       "Media",              "Lead Performer",
    "Artist",         "Conductor",          "Band",               "Composer",
    "Lyricist",       "Recording Location", "During Recording",   "During Performance",
    "Movie Capture",  "A Bright Colored Fish???", "Illustration", "Band Logo",
    "Publisher Logo"};

// Index 0 is never matched: "Other" is not a writer name and maps to 0 as unknown.
const char* const kWriterNames[21] = {
    "",               "32x32 icon",         "other icon",         "front cover",
    "back cover",     "leaflet page",       "media",              "lead performer",
    "artist",         "conductor",          "band",               "composer",
    "lyricist",       "recording location", "during recording",   "during performance",
    "movie capture",  "a bright colored fish", "illustration",    "band logo",
    "publisher logo"};

std::string lowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The first piece read of a body: the MIME type, the picture type and a description of
// usual length fit; a longer one is read in pieces four times larger until it fits.
constexpr std::size_t kFirstHeaderPiece = 256;

}  // namespace

std::string PictureTypeName(unsigned number) {
  if (number > 20) return kReaderNames[0];
  return kReaderNames[number];
}

std::uint8_t PictureTypeNumber(const std::string& name) {
  const std::string lower = lowerAscii(name);
  for (std::uint8_t i = 1; i <= 20; ++i)
    if (lower == kWriterNames[i]) return i;
  return 0;
}

std::string PictureSubtypeForPath(const std::string& path) {
  const auto dot = path.rfind('.');
  const std::string extension = lowerAscii(dot == std::string::npos ? path : path.substr(dot + 1));
  return extension == "jpg" || extension == "jpeg" ? "jpg" : "";
}

std::string PictureKindOfBytes(const unsigned char* head, std::size_t n) {
  const auto starts = [head, n](const char* magic, std::size_t length) {
    return n >= length && std::memcmp(head, magic, length) == 0;
  };
  if (starts("\xFF\xD8\xFF", 3)) return "jpeg";
  if (starts("\x89PNG\r\n\x1A\n", 8)) return "png";
  if (starts("GIF87a", 6) || starts("GIF89a", 6)) return "gif";
  if (starts("BM", 2)) return "bmp";
  return "";
}

std::string PictureMimeType(const unsigned char* head, std::size_t n, const std::string& path) {
  const std::string kind = PictureKindOfBytes(head, n);
  return "image/" + (kind.empty() ? PictureSubtypeForPath(path) : kind);
}

std::string PictureSubtypeOfMime(const std::string& mime) {
  static const std::string kPrefix = "image/";
  std::string out = mime;
  for (auto at = out.find(kPrefix); at != std::string::npos; at = out.find(kPrefix))
    out.erase(at, kPrefix.size());
  std::string safe;
  for (char c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) continue;
    safe += c;
  }
  return safe;
}

std::string ExtractedPictureExtension(const std::string& subtype) {
  return subtype == "jpeg" ? "jpg" : subtype;
}

PictureParse ParsePictureHeader(const unsigned char* body, std::size_t available,
                                std::uint64_t bodySize, PictureHeader& out) {
  const bool whole = available >= bodySize;
  const auto incomplete = whole ? PictureParse::Malformed : PictureParse::NeedMore;
  const std::size_t n = whole ? static_cast<std::size_t>(bodySize) : available;
  if (n < 1) return incomplete;
  // The MIME type is ISO-8859-1 whatever the encoding; the description is in the encoding
  // of byte 0, so a UTF-16 description ends in two NUL bytes.
  const std::uint8_t encoding = body[0];
  const auto* mimeEnd = static_cast<const unsigned char*>(std::memchr(body + 1, 0, n - 1));
  if (mimeEnd == nullptr) return incomplete;
  const std::size_t typeAt = static_cast<std::size_t>(mimeEnd - body) + 1;
  if (typeAt >= n) return incomplete;
  const std::size_t descriptionAt = typeAt + 1;
  const std::string rest(reinterpret_cast<const char*>(body + descriptionAt), n - descriptionAt);
  const std::size_t end = FindTerminator(encoding, rest, 0);
  if (end == std::string::npos) return incomplete;
  out.encoding = encoding;
  out.mime.assign(reinterpret_cast<const char*>(body + 1), static_cast<std::size_t>(mimeEnd - body) - 1);
  out.type = body[typeAt];
  out.description = DecodeText(encoding, rest.substr(0, end));
  out.dataOffset = descriptionAt + end + TerminatorWidth(encoding);
  return PictureParse::Complete;
}

bool ReadPictureHeader(InputFile& in, std::uint64_t bodyOffset, std::uint64_t bodySize,
                       PictureHeader& out) {
  if (bodyOffset > in.size() || bodySize > in.size() - bodyOffset) return false;
  std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(bodySize, kFirstHeaderPiece));
  std::vector<unsigned char> buffer;
  for (;;) {
    buffer.resize(piece);
    if (piece > 0 && !in.readAt(bodyOffset, buffer.data(), piece)) return false;
    switch (ParsePictureHeader(buffer.data(), piece, bodySize, out)) {
      case PictureParse::Complete: return true;
      case PictureParse::Malformed: return false;
      case PictureParse::NeedMore: break;
    }
    piece = static_cast<std::size_t>(std::min<std::uint64_t>(bodySize, std::uint64_t(piece) * 4));
  }
}

}  // namespace formats
