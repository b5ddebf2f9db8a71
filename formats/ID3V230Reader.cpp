#include "formats/ID3V230Reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "formats/ID3V230Layout.h"
#include "formats/Pictures.h"

namespace formats {

using namespace id3v230;

const char* const clsID3V230Reader::UnsynchronisedNotice =
    "This ID3 Tag is Unsyncronized.  This application is not equipped to read this kind of ID3 Tag.";

struct clsID3V230Reader::Frame {
  std::string id;
  std::uint64_t offset = 0;  // of the frame header
  std::uint64_t size = 0;    // of the body
  std::uint64_t bodyOffset() const { return offset + FrameHeaderLength; }
};

namespace {

// Frames decoded while QuickRead is on.
bool readQuickly(const std::string& id) {
  return id == "TIT2" || id == "TPE1" || id == "TALB" || id == "TYER" || id == "COMM";
}

// The text split at every NUL byte.
std::vector<std::string> piecesOf(const std::string& text) {
  std::vector<std::string> pieces;
  std::string::size_type start = 0;
  for (;;) {
    const auto nul = text.find('\0', start);
    if (nul == std::string::npos) break;
    pieces.push_back(text.substr(start, nul - start));
    start = nul + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

// A text that reads as a number: blanks around it, a sign, digits with one decimal point,
// an exponent.
bool readNumber(const std::string& text, double& value) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  std::size_t i = begin;
  if (i < end && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  bool point = false;
  for (; i < end; ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < end && text[i] >= '0' && text[i] <= '9') ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  if (i != end) return false;
  value = std::strtod(text.substr(begin, end - begin).c_str(), nullptr);
  return true;
}

// Rounds to the nearest whole number (halves to even) and keeps it when it fits 0..255.
bool toByte(double value, std::uint8_t& out) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= 0 && rounded <= 255)) return false;
  out = static_cast<std::uint8_t>(rounded);
  return true;
}

bool readBytes(InputFile& in, std::uint64_t offset, std::uint64_t n, std::string& out) {
  out.assign(static_cast<std::size_t>(n), '\0');
  return n == 0 || in.readAt(offset, out.data(), out.size());
}

}  // namespace

clsID3V230Reader::clsID3V230Reader(FormatEnv env, std::string coverBase)
    : env_(std::move(env)), coverBase_(std::move(coverBase)) {}

void clsID3V230Reader::clearFields() {
  for (std::string* text : {&songTitle_, &artist_, &album_, &year_, &comment_, &genre_, &composer_,
                            &originalArtist_, &copyright_, &encodedBy_, &subTitle_, &language_, &url_,
                            &lyrics_, &graphicStartPos_, &graphicSize_, &graphicExtended_,
                            &graphicTitle_, &unknown_})
    text->clear();
  urlCount_ = startPosCount_ = sizeCount_ = extendedCount_ = titleCount_ = unknownCount_ = 0;
  track_ = tracks_ = 0;
}

void clsID3V230Reader::ReadID3V230Tag(const std::string& strFileName, bool bolAutoReadUnknown,
                                      bool bolDetermineTagPresent) {
  // With bolAutoReadUnknown every frame is still read by its own size.
  (void)bolAutoReadUnknown;
  auto in = env_.fs->openRead(strFileName);
  if (!in) return;
  clearFields();
  tagPresent_ = readTag(*in, bolDetermineTagPresent);
}

bool clsID3V230Reader::readTag(InputFile& in, bool determineOnly) {
  unsigned char header[HeaderLength];
  if (!in.readAt(0, header, sizeof header)) return false;
  if (std::memcmp(header, "ID3", 3) != 0 || header[3] != 3) return false;
  if (determineOnly) return true;

  const unsigned char flags = header[5];
  const std::uint64_t tagSize = SevenBitValue(header + 6);
  if (flags & 0x80) {
    if (env_.notice) env_.notice(UnsynchronisedNotice);
    return false;
  }
  experimentalTag_ = (flags & 0x20) != 0;
  extendedHeader_ = (flags & 0x40) != 0;
  // Frames must lie inside the tag; reads beyond the end of the file fail.
  const std::uint64_t tagEnd = HeaderLength + tagSize;

  std::uint64_t offset = HeaderLength;
  if (extendedHeader_) {
    // Size (4), flags (2), padding size (4), and the CRC (4) when the size says 10.
    unsigned char extended[14];
    if (tagEnd < offset + 10 || !in.readAt(offset, extended, 10)) return false;
    const std::uint64_t extendedSize = SevenBitValue(extended);
    if (extendedSize == 10) {
      if (tagEnd < offset + 14 || !in.readAt(offset + 10, extended + 10, 4)) return false;
      crc_ = true;
      crcValue_ = static_cast<double>(SevenBitValue(extended + 10));
    }
    offset += 4 + extendedSize;
    if (offset > tagEnd) return false;
  }
  return readFrames(in, offset, tagSize, tagEnd);
}

bool clsID3V230Reader::readFrames(InputFile& in, std::uint64_t offset, std::uint64_t tagSize,
                                  std::uint64_t tagEnd) {
  do {
    env_.yieldNow();
    unsigned char header[FrameHeaderLength];
    const std::uint64_t room = tagEnd - offset;
    if (room < FrameHeaderLength) {
      // Too short for a frame: the end of the tag when it is padding, a damaged tag when not.
      std::memset(header, 0, sizeof header);
      if (room > 0 && !in.readAt(offset, header, static_cast<std::size_t>(room))) return false;
      return std::all_of(header, header + room, [](unsigned char b) { return b == 0; });
    }
    if (!in.readAt(offset, header, sizeof header)) return false;
    Frame frame;
    frame.id.assign(reinterpret_cast<const char*>(header), 4);
    if (frame.id == std::string(4, '\0')) break;  // padding
    frame.offset = offset;
    frame.size = HasPlainSize(frame.id) ? PlainValue(header + 4) : SevenBitValue(header + 4);
    if (frame.id == "APIC") {
      AppendEntry(graphicStartPos_, startPosCount_, std::to_string(frame.offset));
      AppendEntry(graphicSize_, sizeCount_, std::to_string(frame.size));
    }
    // No size is trusted: the body must lie within the tag and within the file before
    // anything is allocated for it.
    if (frame.size == 0 || frame.size > room - FrameHeaderLength) return false;
    if (frame.bodyOffset() > in.size() || frame.size > in.size() - frame.bodyOffset()) return false;
    const bool compressedOrEncrypted = (header[9] & 0xC0) != 0;
    if (!compressedOrEncrypted && !handleFrame(in, frame)) return false;
    offset += FrameHeaderLength + frame.size;
    // The bound is the header's size value, which does not count the 10 header bytes.
  } while (offset < tagSize);
  return true;
}

bool clsID3V230Reader::handleFrame(InputFile& in, const Frame& frame) {
  if (quickRead_ && !readQuickly(frame.id)) return true;  // stepped over unread
  if (frame.id == "APIC") return handlePicture(in, frame);
  std::string body;
  if (!readBytes(in, frame.bodyOffset(), frame.size, body)) return false;
  return handleText(frame.id, body);
}

bool clsID3V230Reader::handleText(const std::string& id, const std::string& body) {
  // The first byte, the text encoding, is dropped unread: UTF-16 arrives as raw bytes.
  const std::string text = body.substr(1);
  static const std::pair<const char*, std::string clsID3V230Reader::*> kPlain[] = {
      {"TIT2", &clsID3V230Reader::songTitle_},     {"TPE1", &clsID3V230Reader::artist_},
      {"TALB", &clsID3V230Reader::album_},         {"TYER", &clsID3V230Reader::year_},
      {"TCON", &clsID3V230Reader::genre_},         {"TENC", &clsID3V230Reader::encodedBy_},
      {"TCOM", &clsID3V230Reader::composer_},      {"TOPE", &clsID3V230Reader::originalArtist_},
      {"TCOP", &clsID3V230Reader::copyright_},     {"TIT3", &clsID3V230Reader::subTitle_},
      {"TLAN", &clsID3V230Reader::language_}};
  for (const auto& [frameId, member] : kPlain) {
    if (id == frameId) {
      this->*member = text;
      return true;
    }
  }
  if (id == "COMM") {
    // Language and description are discarded; the comment is the second piece.
    const auto pieces = piecesOf(text);
    if (pieces.size() < 2) return false;
    comment_ = pieces[1];
    return true;
  }
  if (id == "WXXX") {
    const auto pieces = piecesOf(text);
    if (pieces.size() < 2) return false;
    AppendEntry(url_, urlCount_, pieces[0].empty() ? pieces[1] : pieces[0] + "->" + pieces[1]);
    return true;
  }
  if (id == "USLT") {
    const auto pieces = piecesOf(text);
    if (pieces.size() == 2) lyrics_ = pieces[1];
    if (pieces.size() == 3) lyrics_ = pieces[1] + "\r\n" + pieces[2];
    return true;
  }
  if (id == "TRCK") return handleTrack(text);
  addUnknown(id, body);
  return true;
}

bool clsID3V230Reader::handleTrack(const std::string& text) {
  double number = 0;
  const auto slash = text.find('/');
  if (slash == std::string::npos) return !readNumber(text, number) || toByte(number, track_);
  const auto next = text.find('/', slash + 1);
  const std::string first = text.substr(0, slash);
  const std::string second = text.substr(slash + 1, next == std::string::npos ? std::string::npos : next - slash - 1);
  if (readNumber(first, number) && !toByte(number, track_)) return false;
  if (readNumber(second, number) && !toByte(number, tracks_)) return false;
  return true;
}

bool clsID3V230Reader::handlePicture(InputFile& in, const Frame& frame) {
  // Only the front of the body is read: the picture data stays in the file.
  PictureHeader picture;
  if (!ReadPictureHeader(in, frame.bodyOffset(), frame.size, picture)) return false;
  AppendEntry(graphicExtended_, extendedCount_, PictureTypeName(picture.type));
  AppendEntry(graphicTitle_, titleCount_, picture.description);
  return true;
}

void clsID3V230Reader::addUnknown(const std::string& id, const std::string& body) {
  std::string value = body.substr(1);
  std::replace(value.begin(), value.end(), '\0', ' ');
  AppendEntry(unknown_, unknownCount_, "\"" + id + "\"=" + value);
}

}  // namespace formats
