// clsID3V230Reader::ExtractGraphic: copies the picture data of one APIC frame into a
// picture file of its own.
#include <string>

#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V2Tag.h"
#include "formats/Pictures.h"

namespace formats {

namespace {
// How many numbered names are tried before giving up; the program deletes its picture
// files whenever another MP3 file is shown, so only a few are ever taken.
constexpr int kMaxPictureNumber = 10000;
}  // namespace

namespace {

// Where the picture data of the frame at `start` lies: a piece in memory and a range of the
// file after it. The frame is looked up in the tag, so that pictures of every version and
// of unsynchronised tags come out right; a position that names no picture frame of the tag
// is taken as a frame of the file's own bytes.
struct PictureData {
  PictureHeader header;
  std::string memory;
  std::uint64_t fileOffset = 0, fileSize = 0;
};

bool LocatePicture(InputFile& in, std::uint64_t start, std::uint64_t size, PictureData& out) {
  ID3V2Tag tag;
  ReadID3V2Tag(in, tag);
  for (const StoredFrame& frame : tag.frames) {
    if (frame.offset != start || frame.id != "APIC" || frame.sealed() || frame.bodySize() != size) continue;
    if (frame.head.empty()) break;  // the body lies in the file as it is
    if (!PictureHeaderOf(in, frame, out.header)) return false;
    if (out.header.dataOffset <= frame.head.size()) out.memory = frame.head.substr(out.header.dataOffset);
    out.fileOffset = frame.tailOffset;
    out.fileSize = frame.tailSize;
    return true;
  }
  const std::uint64_t bodyOffset = start + id3v230::FrameHeaderLength;
  if (bodyOffset > in.size() || size > in.size() - bodyOffset) return false;
  if (!ReadPictureHeader(in, bodyOffset, size, out.header)) return false;
  out.fileOffset = bodyOffset + out.header.dataOffset;
  out.fileSize = size - out.header.dataOffset;
  return true;
}

}  // namespace

std::string clsID3V230Reader::ExtractGraphic(const std::string& strFileName, std::int64_t lngStartPosition,
                                             std::int64_t lngSize, std::string& strGraphicInfo,
                                             std::string& strGraphicType) {
  auto in = env_.fs->openRead(strFileName);
  if (!in || coverBase_.empty() || lngStartPosition < 0 || lngSize < 0) return {};
  PictureData data;
  if (!LocatePicture(*in, static_cast<std::uint64_t>(lngStartPosition), static_cast<std::uint64_t>(lngSize), data))
    return {};
  const std::string subtype = PictureSubtypeOfMime(data.header.mime);
  const std::string extension = ExtractedPictureExtension(subtype);

  // The picture goes to base-<n>.pic first and takes its final name when complete; n is the
  // first number whose final name is free and whose work file could be made exclusively.
  // It is a temporary file that only shows the picture: nothing waits for the disk.
  for (int n = 1; n <= kMaxPictureNumber; ++n) {
    const std::string stem = coverBase_ + "-" + std::to_string(n);
    const std::string target = stem + "." + extension;
    if (env_.fs->exists(target)) continue;
    WorkFile work(*env_.fs, stem, ".pic");
    if (!work.ok()) {
      if (env_.fs->exists(work.path())) continue;  // taken by another picture in work
      return {};
    }
    if (!work.write(data.memory) || !work.copyFrom(*in, data.fileOffset, data.fileSize, env_.yield)) return {};
    if (!work.commitTemporaryAs(target)) return {};
    strGraphicInfo = data.header.description;
    strGraphicType = subtype;
    return target;
  }
  return {};
}

}  // namespace formats
