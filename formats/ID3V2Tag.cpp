#include "formats/ID3V2Tag.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string_view>

#include "formats/Compression.h"
#include "formats/FrameBodies.h"
#include "formats/ID3V230Layout.h"
#include "formats/Pictures.h"
#include "formats/TextCodec.h"

namespace formats {

// Frame IDs are compared as views: a plain length check and one four-byte compare.
using namespace std::string_view_literals;

using namespace id3v230;

namespace {

// Bodies up to this size are read at once; larger ones (pictures) stay in the file.
constexpr std::uint64_t SmallBody = 4096;

// Where the frames are read from: the file itself, or the tag with its unsynchronisation
// undone, in memory (offsets then count in the undone tag).
struct Source {
  InputFile* file = nullptr;
  std::string memory;
  bool inMemory = false;
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) {
    if (!inMemory) return file->readAt(offset, buffer, n);
    if (offset > memory.size() || n > memory.size() - offset) return false;
    if (n > 0) std::memcpy(buffer, memory.data() + offset, n);
    return true;
  }
  bool read(std::uint64_t offset, std::uint64_t n, std::string& out) {
    out.assign(static_cast<std::size_t>(n), '\0');
    return n == 0 || readAt(offset, out.data(), out.size());
  }
};

const std::map<std::string, std::string>& V22Ids() {
  static const std::map<std::string, std::string> ids = {
      {"BUF", "RBUF"}, {"CNT", "PCNT"}, {"COM", "COMM"}, {"CRA", "AENC"}, {"ETC", "ETCO"}, {"EQU", "EQUA"},
      {"GEO", "GEOB"}, {"IPL", "IPLS"}, {"LNK", "LINK"}, {"MCI", "MCDI"}, {"MLL", "MLLT"}, {"PIC", "APIC"},
      {"POP", "POPM"}, {"REV", "RVRB"}, {"RVA", "RVAD"}, {"SLT", "SYLT"}, {"STC", "SYTC"}, {"TAL", "TALB"},
      {"TBP", "TBPM"}, {"TCM", "TCOM"}, {"TCO", "TCON"}, {"TCR", "TCOP"}, {"TDA", "TDAT"}, {"TDY", "TDLY"},
      {"TEN", "TENC"}, {"TFT", "TFLT"}, {"TIM", "TIME"}, {"TKE", "TKEY"}, {"TLA", "TLAN"}, {"TLE", "TLEN"},
      {"TMT", "TMED"}, {"TOA", "TOPE"}, {"TOF", "TOFN"}, {"TOL", "TOLY"}, {"TOR", "TORY"}, {"TOT", "TOAL"},
      {"TP1", "TPE1"}, {"TP2", "TPE2"}, {"TP3", "TPE3"}, {"TP4", "TPE4"}, {"TPA", "TPOS"}, {"TPB", "TPUB"},
      {"TRC", "TSRC"}, {"TRD", "TRDA"}, {"TRK", "TRCK"}, {"TSI", "TSIZ"}, {"TSS", "TSSE"}, {"TT1", "TIT1"},
      {"TT2", "TIT2"}, {"TT3", "TIT3"}, {"TXT", "TEXT"}, {"TXX", "TXXX"}, {"TYE", "TYER"}, {"UFI", "UFID"},
      {"ULT", "USLT"}, {"WAF", "WOAF"}, {"WAR", "WOAR"}, {"WAS", "WOAS"}, {"WCM", "WCOM"}, {"WCP", "WCOP"},
      {"WPB", "WPUB"}, {"WXX", "WXXX"},
      // Frames that iTunes and others write in ID3v2.2 tags with the four-character IDs they
      // use in ID3v2.3: part of a compilation, the sort orders, grouping and movement.
      {"TCP", "TCMP"}, {"TST", "TSOT"}, {"TSP", "TSOP"}, {"TSA", "TSOA"}, {"TS2", "TSO2"}, {"TSC", "TSOC"},
      {"GP1", "GRP1"}, {"MVN", "MVNM"}, {"MVI", "MVIN"}};
  return ids;
}

bool IsDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

StoredFrame Derived(const StoredFrame& from, const std::string& id, std::string head) {
  StoredFrame frame = from;
  frame.id = id;
  frame.head = std::move(head);
  frame.tailOffset = frame.tailSize = 0;
  frame.verbatim = false;
  return frame;
}

// ID3v2.2 PIC: encoding, three-letter image format, type, description, data.
bool PictureOfV22(StoredFrame& frame) {
  const std::string& body = frame.head;
  if (body.size() < 5) return false;
  std::string format = body.substr(1, 3);
  for (char& c : format) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string mime = "image/" + (format == "jpg" ? std::string("jpeg") : format);
  frame.head = body.substr(0, 1) + mime + std::string(1, '\0') + body.substr(4);
  return true;
}

// The values of an ID3v2.4 text, which may hold several separated by terminators.
std::string JoinedValues(std::uint8_t encoding, const std::string& bytes) {
  const auto values = DecodePieces(encoding, bytes);
  std::string joined;
  for (std::size_t i = 0; i < values.size(); ++i) joined += (i > 0 ? " / " : "") + values[i];
  return joined;
}

// An ID3v2.4 body (its flag bytes already taken off) in its ID3v2.3 form; may give
// several frames (a recording time becomes year, date and time).
void AddV24Frame(std::vector<StoredFrame>& out, StoredFrame frame, const std::string& body) {
  std::uint8_t e = 0;
  std::string rest;
  const std::string& id = frame.id;
  if (!bodies::SplitEncoding(body, e, rest) || frame.sealed()) {
    frame.head = body;
    out.push_back(std::move(frame));
    return;
  }
  if (id == "TDRC"sv || id == "TDOR"sv) {
    const std::string when = JoinedValues(e, rest);  // yyyy-MM-ddTHH:mm:ss, cut anywhere
    if (!IsDigits(when.substr(0, 4))) {
      frame.head = body;  // no year to give: kept as it is
      out.push_back(std::move(frame));
      return;
    }
    out.push_back(Derived(frame, id == "TDRC"sv ? "TYER" : "TORY", bodies::Text(when.substr(0, 4))));
    if (id == "TDOR"sv) return;
    if (when.size() >= 10 && IsDigits(when.substr(5, 2)) && IsDigits(when.substr(8, 2)))
      out.push_back(Derived(frame, "TDAT", bodies::Text(when.substr(8, 2) + when.substr(5, 2))));
    if (when.size() >= 16 && IsDigits(when.substr(11, 2)) && IsDigits(when.substr(14, 2)))
      out.push_back(Derived(frame, "TIME", bodies::Text(when.substr(11, 2) + when.substr(14, 2))));
    return;
  }
  if (id == "TIPL"sv || id == "TMCL"sv) {
    out.push_back(Derived(frame, "IPLS", bodies::TextList(DecodePieces(e, rest))));
    return;
  }
  bodies::Described d;
  if (id == "TXXX"sv && bodies::ReadDescribed(body, false, d)) {
    frame.head = bodies::UserText(d.description, JoinedValues(e, d.rest));
  } else if (id[0] == 'T' && id != "TXXX"sv) {
    frame.head = bodies::Text(JoinedValues(e, rest));
  } else if ((id == "COMM"sv || id == "USLT"sv) && bodies::ReadDescribed(body, true, d)) {
    frame.head = bodies::Comment(d.language, d.description, bodies::TextOf(e, d.rest));
  } else if (id == "WXXX"sv && bodies::ReadDescribed(body, false, d)) {
    frame.head = bodies::UserUrl(d.description, d.rest);
  } else {
    frame.head = body;
  }
  out.push_back(std::move(frame));
}

// A compressed ID3v2.4 frame in its ID3v2.3 form: the decompressed size (plain 32-bit), the
// group byte when grouped, and the zlib data as it is. The data is decompressed once, so
// that the size written is the true one; data that does not decompress cannot be carried.
void AddCompressedV24Frame(std::vector<StoredFrame>& out, StoredFrame frame, const std::string& group,
                           const std::string& data, std::uint64_t dataLength, bool lengthGiven) {
  std::string plain;
  frame.flags[1] |= 0x80;
  if (Inflate(data, dataLength, lengthGiven, plain)) {
    frame.head = PlainBytes(static_cast<std::uint32_t>(plain.size())) + group + data;
  } else {
    frame.carriable = false;
    frame.problem = "compressed ID3v2.4 frame " + frame.id + ", whose data cannot be decompressed";
    frame.head = group + data;
  }
  out.push_back(std::move(frame));
}

// One ID3v2.2 or ID3v2.4 frame is read whole and converted.
bool AddConverted(std::vector<StoredFrame>& out, StoredFrame frame, std::string body, int version,
                  bool tagUnsynchronised, unsigned char status, unsigned char format) {
  if (version == 2) {
    frame.head = std::move(body);
    const std::string id = ID3V23IdOfV22(frame.sourceId);
    if (id.empty()) {
      frame.carriable = false;
      frame.problem = "ID3v2.2 frame " + frame.sourceId + " has no ID3v2.3 form";
    } else {
      frame.id = id;
      if (id == "APIC"sv && !PictureOfV22(frame)) return false;
    }
    out.push_back(std::move(frame));
    return true;
  }
  // ID3v2.4 flags: status 0x40 tag alter, 0x20 file alter, 0x10 read only; format 0x40
  // grouping, 0x08 compression, 0x04 encryption, 0x02 unsynchronisation, 0x01 data length.
  frame.flags[0] = static_cast<unsigned char>((status & 0x70) << 1);
  if ((format & 0x02) || tagUnsynchronised) body = UndoUnsynchronisation(body);
  std::string prefix;
  std::size_t at = 0;
  if (format & 0x40) {
    if (body.empty()) return false;
    prefix = body.substr(0, 1);  // the group, which ID3v2.3 keeps in the same place
    frame.flags[1] |= 0x20;
    at = 1;
  }
  if (format & 0x04) {
    frame.flags[1] |= static_cast<unsigned char>(0x40 | ((format & 0x08) << 4));
    frame.carriable = false;
    frame.problem = "encrypted ID3v2.4 frame " + frame.id;
    frame.head = std::move(body);
    out.push_back(std::move(frame));
    return true;
  }
  std::uint64_t dataLength = 0;
  if (format & 0x01) {
    if (body.size() < at + 4) return false;
    dataLength = SevenBitValue(reinterpret_cast<const unsigned char*>(body.data()) + at);
    at += 4;  // the data length is the length of what follows, once undone
  }
  if (format & 0x08) {
    AddCompressedV24Frame(out, std::move(frame), prefix, body.substr(at), dataLength, (format & 0x01) != 0);
    return true;
  }
  if (!prefix.empty()) {
    frame.head = prefix + body.substr(at);
    out.push_back(std::move(frame));  // a grouped frame is carried without re-encoding
    return true;
  }
  AddV24Frame(out, std::move(frame), body.substr(at));
  return true;
}

// Several IPLS frames (from TIPL and TMCL) become one, as ID3v2.3 allows only one.
void MergeInvolvedPeople(std::vector<StoredFrame>& frames) {
  std::vector<std::string> people;
  std::size_t first = frames.size(), count = 0;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    std::uint8_t e = 0;
    std::string rest;
    if (frames[i].id != "IPLS"sv || frames[i].sourceId == "IPLS"sv || !bodies::SplitEncoding(frames[i].head, e, rest)) continue;
    const auto pieces = DecodePieces(e, rest);
    people.insert(people.end(), pieces.begin(), pieces.end());
    if (count++ == 0) first = i;
  }
  if (count < 2) return;
  frames[first].head = bodies::TextList(people);
  for (std::size_t i = frames.size(); i-- > first + 1;)
    if (frames[i].id == "IPLS"sv && frames[i].sourceId != "IPLS"sv) frames.erase(frames.begin() + static_cast<std::ptrdiff_t>(i));
}

// The ID a frame gets in ID3v2.3 as far as it follows from the ID alone ("" when ID3v2.2
// has none).
std::string PlainV23Id(int version, const std::string& id) {
  if (version == 2) return ID3V23IdOfV22(id);
  if (version == 4 && id == "TDRC"sv) return "TYER";
  if (version == 4 && id == "TDOR"sv) return "TORY";
  if (version == 4 && (id == "TIPL"sv || id == "TMCL"sv)) return "IPLS";
  return id;
}

// Whether a frame the caller does not want can be left unread without changing what the
// tag reads as: its body must need no undoing of unsynchronisation, group or data length
// byte (each can make the frame damaged), and an ID3v2.2 frame must have an ID3v2.3 ID.
bool CanLeaveUnread(int version, bool inMemory, bool tagUnsynchronised, unsigned char format,
                    const std::string& v23Id) {
  if (inMemory) return false;
  if (version == 2) return !v23Id.empty() && v23Id != "APIC"sv;
  if (version == 4) return format == 0 && !tagUnsynchronised;
  return true;
}

// A frame ID: four characters A-Z or 0-9 (three in ID3v2.2).
bool IsFrameId(const unsigned char* id, std::size_t length) {
  return std::all_of(id, id + length, [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

// The frame walk's view of the tag: where a frame may begin, how long a frame is, and
// where the next sound frame header lies behind damaged bytes.
class FrameWalk {
 public:
  FrameWalk(Source& source, int version, std::uint64_t end)
      : source_(source), version_(version), end_(end), idLength_(version == 2 ? 3 : 4),
        headerLength_(version == 2 ? 6 : FrameHeaderLength) {}

  std::uint64_t headerLength() const { return headerLength_; }

  // Whether a frame may follow at `at`: exactly the end of the tag, padding, or a frame ID.
  bool mayFollow(std::uint64_t at) const {
    if (at == end_) return true;
    if (at > end_) return false;
    unsigned char id[4];
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(idLength_, end_ - at));
    if (!source_.readAt(at, id, n)) return false;
    if (std::all_of(id, id + n, [](unsigned char b) { return b == 0; })) return true;
    return n == idLength_ && IsFrameId(id, n);
  }

  // The body size of the frame whose header `fh` lies at `at`. ID3v2.3 prescribes a plain
  // 32-bit size and ID3v2.4 a 7-bit one, but programs write either in both: where the two
  // readings differ, the one after which a frame may follow is taken, the prescribed one
  // when both or neither lead there. `follows` tells whether a frame may follow the size taken.
  std::uint64_t sizeOf(const unsigned char* fh, std::uint64_t at, bool& follows) const {
    const std::uint64_t body = at + headerLength_;
    if (version_ == 2) {
      const std::uint64_t size = (std::uint64_t(fh[3]) << 16) | (std::uint64_t(fh[4]) << 8) | fh[5];
      follows = mayFollow(body + size);
      return size;
    }
    const std::uint64_t plain = PlainValue(fh + 4), sevenBit = SevenBitValue(fh + 4);
    const std::uint64_t prescribed = version_ == 3 ? plain : sevenBit, other = version_ == 3 ? sevenBit : plain;
    follows = mayFollow(body + prescribed);
    if (!follows && prescribed != other && mayFollow(body + other)) {
      follows = true;
      return other;
    }
    return prescribed;
  }

  // Whether a whole frame, header and body, fits between `at` and the end of the tag.
  bool fits(std::uint64_t at, std::uint64_t size) const {
    return at <= end_ && end_ - at >= headerLength_ && size > 0 && size <= end_ - at - headerLength_;
  }

  // The first offset in [from, limit) where a frame header begins (a frame ID and a size
  // that fits), or `limit` when there is none. The bytes are searched in pieces that grow
  // from 256 bytes to 64 KiB, so that a header close by costs a short read.
  std::uint64_t findFrame(std::uint64_t from, std::uint64_t limit) const {
    std::string piece;
    std::uint64_t length = 256;
    for (std::uint64_t start = from; start < limit && start < end_; start += length, length = std::min<std::uint64_t>(2 * length, 65536)) {
      // A header that begins before the limit may reach past it.
      const std::uint64_t n = std::min(std::min(length, limit - start) + headerLength_, end_ - start);
      if (!source_.read(start, n, piece)) return limit;
      const auto* bytes = reinterpret_cast<const unsigned char*>(piece.data());
      for (std::uint64_t i = 0; i < length && start + i < limit && i + headerLength_ <= n; ++i) {
        const unsigned char* fh = bytes + i;
        bool follows = false;
        if (IsFrameId(fh, idLength_) && fits(start + i, sizeOf(fh, start + i, follows))) return start + i;
      }
    }
    return limit;
  }

 private:
  Source& source_;
  int version_;
  std::uint64_t end_;
  std::size_t idLength_;
  std::uint64_t headerLength_;
};

}  // namespace

bool PictureHeaderOf(InputFile& in, const StoredFrame& frame, PictureHeader& out) {
  if (frame.head.empty()) return ReadPictureHeader(in, frame.tailOffset, frame.tailSize, out);
  return ParsePictureHeader(reinterpret_cast<const unsigned char*>(frame.head.data()), frame.head.size(),
                            frame.bodySize(), out) == PictureParse::Complete;
}

std::string ID3V23IdOfV22(const std::string& id) {
  const auto found = V22Ids().find(id);
  return found == V22Ids().end() ? std::string() : found->second;
}

std::string UndoUnsynchronisation(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out += bytes[i];
    if (static_cast<unsigned char>(bytes[i]) == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == '\0') ++i;
  }
  return out;
}

bool LoadBody(InputFile& in, const StoredFrame& frame, std::string& body) {
  body = frame.head;
  if (frame.tailSize == 0) return true;
  if (frame.tailOffset > in.size() || frame.tailSize > in.size() - frame.tailOffset) return false;
  const std::size_t at = body.size();
  body.resize(at + static_cast<std::size_t>(frame.tailSize));
  return in.readAt(frame.tailOffset, body.data() + at, static_cast<std::size_t>(frame.tailSize));
}

void ReadID3V2Tag(InputFile& in, ID3V2Tag& tag, const YieldHook& yield, FrameFilter wanted) {
  tag = ID3V2Tag{};
  unsigned char header[HeaderLength];
  if (!in.readAt(0, header, 3) || std::memcmp(header, "ID3", 3) != 0) return;
  if (!in.readAt(0, header, sizeof header)) {
    tag.version = 2;  // a tag is there, cut off inside its header
    tag.problem = "the tag header is cut off";
    return;
  }
  tag.version = header[3];
  tag.sizeValue = SevenBitValue(header + 6);
  const unsigned char flags = header[5];
  if (tag.version < 2 || tag.version > 4) {
    tag.problem = "ID3v2." + std::to_string(tag.version) + " is a version this program cannot read";
    return;
  }
  // A tag longer than the file is read as far as the file goes: what lies before the cut
  // still shows, but the tag counts as damaged.
  const bool cut = HeaderLength + tag.sizeValue > in.size();
  const std::uint64_t tagEnd = cut ? in.size() : HeaderLength + tag.sizeValue;
  if (tag.version == 2 && (flags & 0x40)) {
    tag.problem = "the ID3v2.2 tag is compressed";
    return;
  }
  tag.unsynchronised = (flags & 0x80) != 0;
  tag.experimental = tag.version > 2 && (flags & 0x20) != 0;
  tag.extendedHeader = tag.version > 2 && (flags & 0x40) != 0;

  // Room for the frames of a usual tag, so that the list is not moved while it grows.
  tag.frames.reserve(16);
  Source source;
  source.file = &in;
  std::uint64_t end = tagEnd;
  if (tag.unsynchronised && tag.version < 4) {
    // The whole tag, frame headers included, is unsynchronised: undone in memory first.
    std::string raw;
    if (!source.read(HeaderLength, tagEnd - HeaderLength, raw)) {
      tag.problem = "the tag cannot be read";
      return;
    }
    source.memory = std::string(HeaderLength, '\0') + UndoUnsynchronisation(raw);
    source.inMemory = true;
    end = source.memory.size();
  }

  // Damaged bytes are stepped over: the walk goes on at the next frame header behind them,
  // and the first damage is named as the tag's problem.
  const FrameWalk walk(source, tag.version, end);
  const auto damage = [&tag](const std::string& what) {
    if (tag.problem.empty()) tag.problem = what;
  };
  std::uint64_t offset = HeaderLength;
  if (tag.extendedHeader) {
    unsigned char extended[14];
    std::uint64_t extendedSize = 0;
    bool sound = end >= offset + 10 && source.readAt(offset, extended, 10);
    if (sound) extendedSize = SevenBitValue(extended);
    if (sound && tag.version == 3 && extendedSize == 10) {
      sound = end >= offset + 14 && source.readAt(offset + 10, extended + 10, 4);
      if (sound) {
        tag.crc = true;
        tag.crcValue = static_cast<double>(SevenBitValue(extended + 10));
      }
    }
    // In ID3v2.4 the size counts itself; in ID3v2.3 it does not.
    const std::uint64_t frames = offset + (tag.version == 3 ? 4 + extendedSize : extendedSize);
    if (sound && frames <= end && (tag.version == 3 || extendedSize >= 6)) {
      offset = frames;
    } else {
      damage("the extended header is damaged");
      offset = walk.findFrame(offset, end);
    }
  }

  const std::uint64_t headerLength = walk.headerLength();
  while (end - offset >= headerLength) {
    if (yield) yield();
    unsigned char fh[FrameHeaderLength];
    if (!source.readAt(offset, fh, static_cast<std::size_t>(headerLength))) {
      tag.problem = "the tag cannot be read";
      return;
    }
    const std::size_t idLength = tag.version == 2 ? 3 : 4;
    if (std::all_of(fh, fh + idLength, [](unsigned char b) { return b == 0; })) break;  // padding
    if (!IsFrameId(fh, idLength)) {
      damage("the bytes at offset " + std::to_string(offset) + " are no frame");
      offset = walk.findFrame(offset + 1, end);
      continue;
    }
    StoredFrame frame;
    frame.sourceId.assign(reinterpret_cast<const char*>(fh), idLength);
    frame.id = frame.sourceId;
    frame.offset = offset;
    bool follows = false;
    const std::uint64_t size = walk.sizeOf(fh, offset, follows);
    const auto damaged = [id = frame.sourceId, offset] {  // the frame may be moved on by then
      return "the frame " + id + " at offset " + std::to_string(offset) + " is damaged";
    };
    if (!walk.fits(offset, size)) {
      damage(damaged());
      offset = walk.findFrame(offset + 1, end);
      continue;
    }
    if (!follows) {
      // Either the size is wrong or the bytes behind the frame are damaged: a frame header
      // within the body that the size claims says it is the size.
      const std::uint64_t next = walk.findFrame(offset + 1, offset + headerLength + size);
      if (next < offset + headerLength + size) {
        damage(damaged());
        offset = next;
        continue;
      }
    }
    const std::uint64_t bodyOffset = offset + headerLength;
    const unsigned char format = tag.version == 4 ? fh[9] : 0;
    if (wanted != nullptr) {
      std::string v23Id = PlainV23Id(tag.version, frame.sourceId);
      if (!wanted(v23Id) && CanLeaveUnread(tag.version, source.inMemory, tag.unsynchronised, format, v23Id)) {
        frame.id = std::move(v23Id);
        if (tag.version == 3) std::memcpy(frame.flags, fh + 8, 2);
        if (tag.version == 4) frame.flags[0] = static_cast<unsigned char>((fh[8] & 0x70) << 1);
        frame.verbatim = tag.version == 3;
        frame.tailOffset = bodyOffset;
        frame.tailSize = size;
        tag.frames.push_back(std::move(frame));
        offset = bodyOffset + size;
        continue;
      }
    }
    if (tag.version == 3) {
      frame.flags[0] = fh[8];
      frame.flags[1] = fh[9];
      frame.verbatim = !source.inMemory;
      if (source.inMemory || size <= SmallBody) {
        if (!source.read(bodyOffset, size, frame.head)) {
          tag.problem = "the tag cannot be read";
          return;
        }
      } else {
        frame.tailOffset = bodyOffset;
        frame.tailSize = size;
      }
      tag.frames.push_back(std::move(frame));
    } else {
      const unsigned char status = tag.version == 4 ? fh[8] : 0;
      const bool plainPicture = tag.version == 4 && frame.id == "APIC"sv && !source.inMemory && format == 0 &&
                                !tag.unsynchronised && size > SmallBody;
      if (plainPicture) {
        // A large picture stays in the file; only its front may need a new encoding.
        PictureHeader picture;
        if (!ReadPictureHeader(in, bodyOffset, size, picture)) {
          damage("the picture frame at offset " + std::to_string(offset) + " is damaged");
          offset = bodyOffset + size;
          continue;
        }
        frame.flags[0] = static_cast<unsigned char>((status & 0x70) << 1);
        if (picture.encoding > 1) {
          frame.head = bodies::PictureFront(picture.mime, picture.type, picture.description);
          frame.tailOffset = bodyOffset + picture.dataOffset;
          frame.tailSize = size - picture.dataOffset;
        } else {
          frame.tailOffset = bodyOffset;
          frame.tailSize = size;
        }
        tag.frames.push_back(std::move(frame));
      } else {
        std::string body;
        if (!source.read(bodyOffset, size, body)) {
          tag.problem = "the tag cannot be read";
          return;
        }
        if (!AddConverted(tag.frames, std::move(frame), std::move(body), tag.version, tag.unsynchronised, status, format))
          damage(damaged());  // stepped over
      }
    }
    offset = bodyOffset + size;
  }
  if (end - offset < headerLength && end > offset) {
    // Too short for a frame: the end of the tag when it is padding, damage when not.
    std::string rest;
    if (!source.read(offset, end - offset, rest) || rest.find_first_not_of('\0') != std::string::npos)
      damage("the tag ends in damaged bytes");
  }
  if (cut) {
    tag.problem = "the tag claims to be longer than the file";
    return;
  }
  if (!tag.frames.empty() &&
      std::all_of(tag.frames.begin(), tag.frames.end(), [](const StoredFrame& f) { return f.encrypted(); })) {
    tag.problem = "the tag holds only encrypted frames";
    return;
  }
  if (tag.version == 4) MergeInvolvedPeople(tag.frames);
  tag.readable = true;
}

}  // namespace formats
