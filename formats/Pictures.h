// Attached pictures (APIC frames): the picture-type names, the MIME subtype of a picture
// file, and finding the parts of a picture frame body again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/FileIo.h"

namespace formats {

// The reader's name of a picture type: "Front Cover" for 3; "Other" for 0 and above 20.
std::string PictureTypeName(unsigned number);

// The writer's number of a picture-type name, compared in lower case; 0 for a name it does
// not know ("Other" and the reader's "A Bright Colored Fish???" included).
std::uint8_t PictureTypeNumber(const std::string& name);

// The MIME subtype under which a picture file is embedded: "jpg" when the path's extension
// (after its last ".") is jpg or jpeg in any case, otherwise empty ("image/" alone).
std::string PictureSubtypeForPath(const std::string& path);

// What kind of picture its first bytes (n of them; 8 are enough) show: "jpeg", "png",
// "gif" or "bmp"; empty for any other.
std::string PictureKindOfBytes(const unsigned char* head, std::size_t n);

// The MIME type a picture is embedded with: "image/" and the kind its first bytes show
// (PictureKindOfBytes); for any other picture "image/" and the subtype its path gives
// (PictureSubtypeForPath).
std::string PictureMimeType(const unsigned char* head, std::size_t n, const std::string& path);

// The subtype of a MIME type as read: the text with every "image/" removed, and without
// the characters that could lead out of a file name ("/", "\\" and control characters),
// since it becomes the extension of a picture file.
std::string PictureSubtypeOfMime(const std::string& mime);

// The extension of an extracted picture file: "jpg" for the subtype "jpeg", otherwise the
// subtype itself.
std::string ExtractedPictureExtension(const std::string& subtype);

// The front part of an APIC body: text encoding, MIME type, picture type, description.
struct PictureHeader {
  std::uint8_t encoding = 0;
  std::string mime;
  std::uint8_t type = 0;
  std::string description;  // UTF-8
  std::size_t dataOffset = 0;  // where the picture data starts, counted from the body start
};

enum class PictureParse { Complete, NeedMore, Malformed };

// Parses the first `available` bytes of a body of `bodySize` bytes. NeedMore when the
// header runs past the bytes given and the body holds more.
PictureParse ParsePictureHeader(const unsigned char* body, std::size_t available,
                                std::uint64_t bodySize, PictureHeader& out);

// Reads the header of the APIC body at `bodyOffset` (bodySize bytes) from `in`, reading
// only as much of the body as the header needs (in growing pieces). False when the header
// is malformed or the body does not lie within the file.
bool ReadPictureHeader(InputFile& in, std::uint64_t bodyOffset, std::uint64_t bodySize,
                       PictureHeader& out);

}  // namespace formats
