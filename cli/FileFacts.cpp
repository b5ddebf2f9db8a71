#include "cli/FileFacts.h"

#include <algorithm>
#include <charconv>

#include "core/Texts.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/MP3HeadReader.h"
#include "formats/Pictures.h"
#include "reports/ReadOnceFileSystem.h"

namespace cli {

namespace {

void ReadHeader(const std::string& path, const formats::FormatEnv& env, HeaderFacts& facts) {
  formats::clsMP3HeadReader reader(env);
  reader.ReadMP3Header(path);
  facts.found = !reader.MPEG().empty();
  facts.mpeg = reader.MPEG();
  facts.layer = reader.Layer();
  facts.bitrate = reader.Bitrate();
  facts.frequency = reader.Frequency();
  facts.mode = reader.Mode();
  facts.length = reader.Length();
}

void ReadPictures(formats::InputFile& in, const tagging::ID3V230Values& v2, std::vector<PictureFacts>& pictures) {
  for (const core::PictureRecord& record : tagging::SplitPictures(v2)) {
    PictureFacts picture;
    picture.frameOffset = record.StartPos;
    picture.frameSize = record.Size;
    picture.description = record.Title;
    formats::PictureHeader header;
    if (record.StartPos < 0 || record.Size <= 0 ||
        !formats::ReadPictureHeader(in, static_cast<std::uint64_t>(record.StartPos) + 10,
                                    static_cast<std::uint64_t>(record.Size), header))
      continue;
    picture.type = header.type;
    picture.typeName = formats::PictureTypeName(header.type);
    picture.mime = header.mime;
    picture.description = header.description;
    picture.dataSize = record.Size - static_cast<std::int64_t>(header.dataOffset);
    pictures.push_back(picture);
  }
}

}  // namespace

bool ReadFileFacts(const std::string& path, const formats::FormatEnv& baseEnv, const ReadOptions& options,
                   FileFacts& facts, std::string& reason) {
  // The readers share one open of the file and one read of its front and its end.
  reports::ReadOnceFileSystem once(*baseEnv.fs);
  formats::FormatEnv env = baseEnv;
  env.fs = &once;
  std::unique_ptr<formats::InputFile> in;
  if (once.load(path)) in = once.openRead(path);
  if (!in) {
    reason = "cannot be opened for reading";
    return false;
  }
  unsigned char head[5] = {};
  if (in->readAt(0, head, sizeof head) && std::equal(head, head + 3, "ID3")) {
    facts.id3v2Major = head[3];
    facts.id3v2Revision = head[4];
  }
  if (options.withHeader) ReadHeader(path, env, facts.header);
  formats::clsID3V111Reader v1(env);
  v1.ReadID3V111Tag(path);
  facts.v1 = tagging::ValuesOf(v1);
  formats::clsID3V230Reader v2(env);
  v2.ReadID3V230Tag(path);
  facts.v2 = tagging::ValuesOf(v2);
  tagging::FillFromTags(facts.fields, tagging::HoldFlags{}, facts.v1, facts.v2);
  if (options.withPictures && facts.v2.TagPresent) ReadPictures(*in, facts.v2, facts.pictures);
  return true;
}

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

}  // namespace cli
