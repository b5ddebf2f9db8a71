#include "cli/TagFrames.h"

#include <algorithm>
#include <charconv>

#include "core/Texts.h"
#include "formats/FrameBodies.h"
#include "formats/TextCodec.h"

namespace cli {

namespace {

using Role = formats::clsID3V230Reader::FrameRole;
namespace bodies = formats::bodies;

// ISO-8859-1 bytes up to the first NUL: addresses and owner names.
std::string Latin1Upto0(const std::string& bytes) { return formats::Latin1ToUtf8(bytes.substr(0, bytes.find('\0'))); }

const char* RoleName(Role role) {
  switch (role) {
    case Role::Field: return "field";
    case Role::Carried: return "carried";
  }
  return "";
}

// The texts of a frame that holds texts.
void AddTexts(const std::string& id, const std::string& body, Json& json) {
  bodies::Described described;
  if (id == "COMM" || id == "USLT" || id == "TXXX" || id == "WXXX") {
    if (!bodies::ReadDescribed(body, id != "TXXX" && id != "WXXX", described)) return;
    if (!described.language.empty()) json["language"] = described.language;
    json["description"] = described.description;
    json["text"] = id == "WXXX" ? Latin1Upto0(described.rest) : bodies::TextOf(described.encoding, described.rest);
    return;
  }
  if (id[0] == 'W') {
    json["text"] = Latin1Upto0(body);
    return;
  }
  std::uint8_t encoding = 0;
  std::string rest;
  if (!bodies::SplitEncoding(body, encoding, rest)) return;
  // Several values (ID3v2.4, or the pairs of IPLS) are joined as the fields show them.
  std::string text;
  for (const std::string& piece : formats::DecodePieces(encoding, rest)) text += (text.empty() ? "" : " / ") + piece;
  json["text"] = text;
}

}  // namespace

int PictureTypeOfText(const std::string& text) {
  int number = -1;
  const char* end = text.data() + text.size();
  const auto parsed = std::from_chars(text.data(), end, number);
  if (!text.empty() && parsed.ec == std::errc() && parsed.ptr == end) return number >= 0 && number <= 255 ? number : -1;
  std::string name = core::LowerLatin1(text);
  std::replace(name.begin(), name.end(), '-', ' ');
  std::replace(name.begin(), name.end(), '_', ' ');
  if (name == "other") return 0;
  const int type = formats::PictureTypeNumber(name);
  return type == 0 ? -1 : type;
}

bool LocatePicture(formats::InputFile& in, const formats::StoredFrame& frame, PictureBytes& out) {
  if (frame.id != "APIC" || frame.sealed() || !formats::PictureHeaderOf(in, frame, out.header)) return false;
  const std::uint64_t start = out.header.dataOffset;
  if (start >= frame.head.size()) {
    out.inMemory.clear();
    out.fileOffset = frame.tailOffset + (start - frame.head.size());
    out.fileLength = frame.tailSize - (start - frame.head.size());
  } else {
    out.inMemory = frame.head.substr(start);
    out.fileOffset = frame.tailOffset;
    out.fileLength = frame.tailSize;
  }
  return true;
}

Json FrameJson(formats::InputFile& in, const formats::StoredFrame& frame, Role role) {
  Json json = Json::Object({{"id", frame.id}, {"role", RoleName(role)}, {"size", frame.bodySize()}});
  if (frame.sourceId != frame.id && !frame.sourceId.empty()) json["sourceId"] = frame.sourceId;
  if (!frame.carriable) json["problem"] = frame.problem;
  if (frame.sealed()) {
    json["sealed"] = true;
    return json;
  }
  PictureBytes picture;
  if (LocatePicture(in, frame, picture)) {
    json["pictureType"] = picture.header.type;
    json["pictureTypeName"] = formats::PictureTypeName(picture.header.type);
    json["mime"] = picture.header.mime;
    json["description"] = picture.header.description;
    json["pictureSize"] = picture.size();
    return json;
  }
  if (frame.id == "PRIV" || frame.id == "UFID" || frame.id == "POPM") {
    // The owner (an address) ends at the first NUL; it lies at the front of the body.
    json["description"] = Latin1Upto0(frame.head);
    return json;
  }
  if (frame.id.empty() || frame.id == "APIC") return json;
  std::string body;
  if ((frame.id[0] == 'T' || frame.id[0] == 'W' || frame.id == "COMM" || frame.id == "USLT" || frame.id == "IPLS") &&
      formats::LoadBody(in, frame, body))
    AddTexts(frame.id, body, json);
  return json;
}

}  // namespace cli
