// clsID3V230Reader::ExtractGraphic: copies the picture data of one APIC frame into a
// picture file of its own.
#include <string>

#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/Pictures.h"

namespace formats {

namespace {
// How many numbered names are tried before giving up; the program deletes its picture
// files whenever another MP3 file is shown, so only a few are ever taken.
constexpr int kMaxPictureNumber = 10000;
}  // namespace

std::string clsID3V230Reader::ExtractGraphic(const std::string& strFileName, std::int64_t lngStartPosition,
                                             std::int64_t lngSize, std::string& strGraphicInfo,
                                             std::string& strGraphicType) {
  auto in = env_.fs->openRead(strFileName);
  if (!in || coverBase_.empty() || lngStartPosition < 0 || lngSize < 0) return {};
  const auto bodyOffset = static_cast<std::uint64_t>(lngStartPosition) + id3v230::FrameHeaderLength;
  const auto bodySize = static_cast<std::uint64_t>(lngSize);
  if (bodyOffset > in->size() || bodySize > in->size() - bodyOffset) return {};
  PictureHeader picture;
  if (!ReadPictureHeader(*in, bodyOffset, bodySize, picture)) return {};
  const std::string subtype = PictureSubtypeOfMime(picture.mime);
  const std::string extension = ExtractedPictureExtension(subtype);

  // The picture goes to base-<n>.pic first and takes its final name when complete; n is the
  // first number whose final name is free and whose work file could be made exclusively.
  for (int n = 1; n <= kMaxPictureNumber; ++n) {
    const std::string stem = coverBase_ + "-" + std::to_string(n);
    const std::string target = stem + "." + extension;
    if (env_.fs->exists(target)) continue;
    WorkFile work(*env_.fs, stem, ".pic");
    if (!work.ok()) {
      if (env_.fs->exists(work.path())) continue;  // taken by another picture in work
      return {};
    }
    const std::uint64_t dataOffset = bodyOffset + picture.dataOffset;
    if (!work.copyFrom(*in, dataOffset, bodySize - picture.dataOffset, env_.yield)) return {};
    if (!work.commitAs(target)) return {};
    strGraphicInfo = picture.description;
    strGraphicType = subtype;
    return target;
  }
  return {};
}

}  // namespace formats
