// The rules of saving the edit fields into a file: how each field goes to the ID3v1.1
// and the ID3v2.3 writer, the track number of the ID3v1.1 tag, and the picture lists.
// Texts are UTF-8.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/AppValues.h"
#include "formats/FileIo.h"
#include "tagging/FileInfoRules.h"
#include "tagging/KeepOldTag.h"

namespace formats {
class clsID3V111Writer;
class clsID3V230Writer;
}  // namespace formats

namespace tagging {

enum class TrackVerdict {
  Leave,   // empty text: the writer keeps its default
  Assign,  // write `value`
  Refuse,  // a number outside 0..255: the file must not be saved
};

struct TrackNumber {
  TrackVerdict verdict = TrackVerdict::Leave;
  std::uint8_t value = 0;
};

// The ID3v1.1 track of the track field: a number is rounded half to even and must then
// lie in 0..255; of a number and a total ("3/12") the number counts; any other text that
// is no number gives 0.
TrackNumber ID3V111TrackNumber(const std::string& text);

// The ID3v1.1 genre number of the genre text: 255 for an empty or unknown name.
std::uint8_t ID3V111GenreNumber(const std::string& genre);

// The pictures of a picture list (element 0 is not a picture) whose files exist, in list
// order, as the writer's picture files; a picture whose file is missing leaves no empty
// slot. False when a used picture's file exists but cannot be read or its type is outside
// 0..255: such a file cannot be saved with its pictures, and leaving them out would remove
// them from the file.
bool JoinPictures(const std::vector<core::PictureRecord>& pictureList, formats::FileSystem& fs,
                  std::vector<formats::PictureFile>& pictures);

// Sets both writers from the fields and the pictures as a save does. The ID3v1.1 writer
// gets the title, artist and album cut to 30 characters, the track (see
// ID3V111TrackNumber), year, genre number and comment; the ID3v2.3 writer gets every
// field in the order artist, album, title, track, year, genre, comment, original artist,
// subtitle, composer, copyright, encoded by, language, the URLs,
// lyrics, and then the pictures.
// False when the file must not be saved: a track number outside 0..255, or pictures
// that JoinPictures refuses. Then the writers may be partly set and must not be used.
bool ConfigureWriters(const EditFields& fields, const std::vector<core::PictureRecord>& pictureList,
                      formats::FileSystem& fs, formats::clsID3V111Writer& v1, formats::clsID3V230Writer& v2);

// Writes the fields and pictures into the file at path as its ID3v1.1 and ID3v2.3 tags,
// both in one pass through one work file beside it. Only what changed is written: a field
// whose text is the one in `shown` (the fields as the view showed them after reading the
// file; null: as the file's own tags fill them now) keeps each tag's own value, the old
// ID3v2 frame and the old ID3v1.1 bytes as they are; a changed field goes into both tags. A
// tag the file did not have gets every field. The old ID3v2 tag (any version) is
// read at the same time and everything of it that no field stands for is carried over (in
// its ID3v2.3 form; see KeepOldTag.h), the undecoded frames included. Where the save would
// still drop something, `policy` decides before anything is written. True only when the
// file now holds both new tags. False when it could not be written (missing, read-only, a
// full disk, a damaged old tag), must not be (a track number outside 0..255) or was not
// (refused or answered No): then the file is byte for byte as before and no work file
// remains, and the status says which (for a refusal, with what would have been lost).
formats::Status SaveTagsToFile(const std::string& path, const EditFields& fields,
                    const std::vector<core::PictureRecord>& pictureList, const formats::FormatEnv& env = {},
                    const SavePolicy& policy = {}, const EditFields* shown = nullptr);

}  // namespace tagging
