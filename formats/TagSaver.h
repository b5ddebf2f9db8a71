// Saves both tags of a file in one pass, for the editor's save of the edit fields.
#pragma once
#include <functional>
#include <string>

#include "formats/FileIo.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"

namespace formats {

class TagSaver {
 public:
  explicit TagSaver(FormatEnv env = {});

  // Gives the file exactly the bytes that id3v1.WriteID3V111Tag followed by
  // id3v2.WriteID3V230Tag would give it: the new ID3v2.3 tag, the audio without the old
  // ID3v2 tag and without the old ID3v1 tag, and the new 128-byte ID3v1.1 block. One work
  // file (path + ".mp3") replaces the file by rename when complete; on any failure the
  // file stays as it was and no work file remains, and the status says why (a missing file
  // too).
  Status SaveTags(const std::string& strFileName, const clsID3V111Writer& id3v1,
                const clsID3V230Writer& id3v2);
  // The same with the new ID3v2.3 tag built by `build` from the file as opened for the save
  // (so that frames of its old tag can be kept). A failure from `build` leaves the file as it
  // was and is returned as it is.
  using TagBuilder = std::function<Status(InputFile& file, id3v230::PreparedTag& tag)>;
  Status SaveTagsWith(const std::string& strFileName, const clsID3V111Writer& id3v1, const TagBuilder& build);

 private:
  FormatEnv env_;
};

}  // namespace formats
