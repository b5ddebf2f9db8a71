#include "formats/ID3V230Reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/Compression.h"
#include "formats/ID3V230Layout.h"
#include "formats/FrameBodies.h"
#include "formats/Numbers.h"
#include "formats/Pictures.h"
#include "formats/TextCodec.h"

namespace formats {

using namespace id3v230;
using namespace std::string_view_literals;

const char* const clsID3V230Reader::UnsynchronisedNotice =
    "This ID3 Tag is Unsyncronized.  This application is not equipped to read this kind of ID3 Tag.";

namespace {

// Frames decoded while QuickRead is on.
bool readQuickly(const std::string& id) {
  return id == "TIT2"sv || id == "TPE1"sv || id == "TALB"sv || id == "TYER"sv || id == "COMM"sv;
}
// Frames whose bodies a quick read takes from the file: those it decodes, and the pictures,
// whose recorded size is that of their ID3v2.3 form.
bool loadQuickly(const std::string& id) { return readQuickly(id) || id == "APIC"sv; }

// Frames whose text a field shows (every other frame goes to Unknown).
bool fieldFrame(const std::string& id) {
  static const std::string_view ids[] = {"TIT2", "TPE1", "TALB", "TYER", "TCON", "TENC", "TCOM", "TOPE",
                                         "TCOP", "TIT3", "TLAN", "COMM", "USLT", "WXXX", "TRCK"};
  return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

// Rounds to the nearest whole number (halves to even), as a save rounds a track, and keeps
// it when it fits 0..255.
bool toByte(double value, std::uint8_t& out) {
  if (!(value > -1.0 && value < 256.0)) return false;
  const long long rounded = RoundHalfEven(value);
  if (rounded < 0 || rounded > 255) return false;
  out = static_cast<std::uint8_t>(rounded);
  return true;
}

}  // namespace

clsID3V230Reader::clsID3V230Reader(FormatEnv env, std::string coverBase)
    : env_(std::move(env)), coverBase_(std::move(coverBase)) {}

void clsID3V230Reader::clearFields() {
  for (std::string* text : {&songTitle_, &artist_, &album_, &year_, &comment_, &genre_, &composer_,
                            &originalArtist_, &copyright_, &encodedBy_, &subTitle_, &language_,
                            &lyrics_, &unknown_})
    text->clear();
  urls_.clear();
  pictures_.clear();
  unknownCount_ = 0;
  track_ = tracks_ = 0;
  tag_ = ID3V2Tag{};
  roles_.clear();
  problem_.clear();
  trackText_.clear();
  commentFrame_ = lyricsFrame_ = -1;
  commentDescribed_ = lyricsDescribed_ = false;
}

void clsID3V230Reader::ReadID3V230Tag(const std::string& strFileName, bool bolAutoReadUnknown,
                                      bool bolDetermineTagPresent) {
  // With bolAutoReadUnknown every frame is still read by its own size.
  (void)bolAutoReadUnknown;
  auto in = env_.fs->openRead(strFileName);
  if (!in) return;
  if (bolDetermineTagPresent) {
    clearFields();
    unsigned char header[HeaderLength];
    tagPresent_ = in->readAt(0, header, sizeof header) && std::memcmp(header, "ID3", 3) == 0 && header[3] >= 2 &&
                  header[3] <= 4;
    return;
  }
  ReadFrom(*in);
}

void clsID3V230Reader::ReadFrom(InputFile& in) {
  clearFields();
  ReadID3V2Tag(in, tag_, env_.yield, quickRead_ ? loadQuickly : nullptr);
  problem_ = tag_.problem;
  roles_.assign(tag_.frames.size(), FrameRole::Carried);
  if (tag_.version >= 2 && tag_.version <= 4) {
    experimentalTag_ = tag_.experimental;
    extendedHeader_ = tag_.extendedHeader;
    if (tag_.crc) {
      crc_ = true;
      crcValue_ = tag_.crcValue;
    }
  }
  // The frames read before a damaged one still fill their fields.
  const bool decoded = decodeFrames(in);
  tagPresent_ = tag_.readable && decoded;
}

bool clsID3V230Reader::decodeFrames(InputFile& in) {
  for (std::size_t i = 0; i < tag_.frames.size(); ++i) {
    const StoredFrame& frame = tag_.frames[i];
    if (frame.id == "APIC"sv) {
      markField(i);
      PictureRef picture;
      picture.startPos = static_cast<std::int64_t>(frame.offset);
      picture.size = static_cast<std::int64_t>(frame.bodySize());
      pictures_.push_back(std::move(picture));
    }
    if (frame.sealed()) {
      // A compressed frame of a field is decompressed for its text (and still written as it
      // is while the field keeps that text); any other sealed frame is stepped over.
      std::string body, text;
      if (fieldFrame(frame.id) && !(quickRead_ && !readQuickly(frame.id)) && LoadBody(in, frame, body) &&
          DecompressedBody(frame, body, text))
        handleText(i, text);
      continue;
    }
    if (!handleFrame(in, i)) {
      if (problem_.empty()) problem_ = "the frame " + frame.id + " cannot be read";
      return false;
    }
  }
  return true;
}

bool clsID3V230Reader::markField(std::size_t index) {
  const std::string& id = tag_.frames[index].id;
  bool earlier = false;
  for (std::size_t k = 0; k < index && !earlier; ++k) earlier = tag_.frames[k].id == id && roles_[k] == FrameRole::Field;
  roles_[index] = FrameRole::Field;
  return earlier;
}

namespace {

// Several frames of one text ID (which ID3v2.3 does not allow, but some programs write) show
// as one text, joined as the values of an ID3v2.4 text frame are.
void joinValue(std::string& value, bool earlier, std::string text) {
  value = earlier ? value + " / " + text : std::move(text);
}

}  // namespace

bool clsID3V230Reader::handleFrame(InputFile& in, std::size_t index) {
  const StoredFrame& frame = tag_.frames[index];
  if (quickRead_ && !readQuickly(frame.id)) return true;  // stepped over unread
  if (frame.id == "APIC"sv) return handlePicture(in, frame, pictures_.back());
  if (frame.tailSize == 0) return handleText(index, frame.head);  // in memory already
  std::string body;
  if (!LoadBody(in, frame, body)) return false;
  return handleText(index, body);
}

bool clsID3V230Reader::handleText(std::size_t index, const std::string& body) {
  const std::string& id = tag_.frames[index].id;
  if (body.empty()) return false;  // not even an encoding byte
  const auto encoding = static_cast<std::uint8_t>(body[0]);
  static const std::pair<std::string_view, std::string clsID3V230Reader::*> kPlain[] = {
      {"TIT2", &clsID3V230Reader::songTitle_},     {"TPE1", &clsID3V230Reader::artist_},
      {"TALB", &clsID3V230Reader::album_},         {"TYER", &clsID3V230Reader::year_},
      {"TCON", &clsID3V230Reader::genre_},         {"TENC", &clsID3V230Reader::encodedBy_},
      {"TCOM", &clsID3V230Reader::composer_},      {"TOPE", &clsID3V230Reader::originalArtist_},
      {"TCOP", &clsID3V230Reader::copyright_},     {"TIT3", &clsID3V230Reader::subTitle_},
      {"TLAN", &clsID3V230Reader::language_}};
  for (const auto& [frameId, member] : kPlain) {
    if (id == frameId) {
      joinValue(this->*member, markField(index), bodies::TextOf(encoding, body, 1));
      return true;
    }
  }
  bodies::Described described;
  if (id == "COMM"sv || id == "USLT"sv) {
    const bool comment = id == "COMM"sv;
    if (!bodies::ReadDescribed(body, true, described)) return !comment;  // lyrics without one stay as they were
    // The field shows the first frame without a description; the lyrics, when there is none,
    // the first described one. A description of iTunes's ("iTunNORM", "iTunSMPB") marks its
    // machine data, and a described comment is another program's too: neither is ever shown,
    // and every frame not shown is carried over as it is.
    if (described.description.compare(0, 4, "iTun") == 0 || (comment && !described.description.empty())) return true;
    int& chosen = comment ? commentFrame_ : lyricsFrame_;
    bool& describedChosen = comment ? commentDescribed_ : lyricsDescribed_;
    if (chosen >= 0 && (!describedChosen || !described.description.empty())) return true;
    auto pieces = DecodePieces(described.encoding, described.rest);
    if (comment) {
      comment_ = pieces.empty() ? std::string() : std::move(pieces[0]);
    } else if (pieces.size() == 1) {
      lyrics_ = std::move(pieces[0]);
    } else if (pieces.size() == 2) {
      lyrics_ = pieces[0] + "\r\n" + pieces[1];
    } else {
      return true;
    }
    if (chosen >= 0) roles_[static_cast<std::size_t>(chosen)] = FrameRole::Carried;
    chosen = static_cast<int>(index);
    describedChosen = !described.description.empty();
    roles_[index] = FrameRole::Field;
    return true;
  }
  if (id == "WXXX"sv) {
    if (!bodies::ReadDescribed(body, false, described)) return false;
    const std::string url = Latin1ToUtf8(described.rest.substr(0, described.rest.find('\0')));
    urls_.push_back(described.description.empty() ? url : described.description + "->" + url);
    markField(index);
    return true;
  }
  if (id == "TRCK"sv) {
    // The number comes from the first frame; a second one is only joined to the text.
    const bool earlier = markField(index);
    joinValue(trackText_, earlier, bodies::TextOf(encoding, body, 1));
    return earlier || handleTrack(trackText_);
  }
  addUnknown(id, body);
  return true;
}
bool clsID3V230Reader::handleTrack(const std::string& text) {
  double number = 0;
  const auto slash = text.find('/');
  if (slash == std::string::npos) return !ReadNumber(text, number) || toByte(number, track_);
  const auto next = text.find('/', slash + 1);
  const std::string first = text.substr(0, slash);
  const std::string second = text.substr(slash + 1, next == std::string::npos ? std::string::npos : next - slash - 1);
  if (ReadNumber(first, number) && !toByte(number, track_)) return false;
  if (ReadNumber(second, number) && !toByte(number, tracks_)) return false;
  return true;
}

bool clsID3V230Reader::handlePicture(InputFile& in, const StoredFrame& frame, PictureRef& picture) {
  // Only the front of the body is read: the picture data stays in the file.
  PictureHeader header;
  if (!PictureHeaderOf(in, frame, header)) return false;
  picture.described = true;
  picture.type = PictureTypeName(header.type);
  picture.title = header.description;
  return true;
}

namespace {

// The texts joined by the list separator; no text gives "".
template <typename Entries, typename Text>
std::string JoinEntries(const Entries& entries, Text text) {
  std::string list;
  bool first = true;
  for (const auto& entry : entries) {
    if (!first) list += ListSeparator;
    list += text(entry);
    first = false;
  }
  return list;
}

std::vector<PictureRef> Described(const std::vector<PictureRef>& pictures) {
  std::vector<PictureRef> described;
  for (const PictureRef& picture : pictures)
    if (picture.described) described.push_back(picture);
  return described;
}

}  // namespace

std::string clsID3V230Reader::URL() const {
  return JoinEntries(urls_, [](const std::string& url) { return url; });
}

void clsID3V230Reader::setURL(const std::string& value) {
  urls_.clear();
  if (!value.empty()) urls_ = SplitList(value);
}

std::string clsID3V230Reader::GraphicStartPos() const {
  return JoinEntries(pictures_, [](const PictureRef& p) { return std::to_string(p.startPos); });
}

std::string clsID3V230Reader::GraphicSize() const {
  return JoinEntries(pictures_, [](const PictureRef& p) { return std::to_string(p.size); });
}

std::string clsID3V230Reader::GraphicExtended() const {
  return JoinEntries(Described(pictures_), [](const PictureRef& p) { return p.type; });
}

std::string clsID3V230Reader::GraphicTitle() const {
  return JoinEntries(Described(pictures_), [](const PictureRef& p) { return p.title; });
}

void clsID3V230Reader::addUnknown(const std::string& id, const std::string& body) {
  // Shown as text: a text frame decoded, any other body byte for byte as ISO-8859-1; the
  // NULs between its parts become blanks.
  std::string value;
  const std::uint8_t encoding = static_cast<std::uint8_t>(body[0]);
  if (id[0] == 'T' && encoding <= 3) {
    const auto pieces = DecodePieces(encoding, body.substr(1));
    for (std::size_t i = 0; i < pieces.size(); ++i) value += (i > 0 ? " " : "") + pieces[i];
  } else {
    value = Latin1ToUtf8(body.substr(1));
  }
  std::replace(value.begin(), value.end(), '\0', ' ');
  AppendEntry(unknown_, unknownCount_, "\"" + id + "\"=" + value);
}

}  // namespace formats
