// The frames of a file's ID3v2 tag as the command line shows and extracts them, and the
// picture types as a command line names them.
#pragma once
#include <cstdint>
#include <string>

#include "cli/Json.h"
#include "formats/ID3V230Reader.h"
#include "formats/Pictures.h"

namespace cli {

// The picture-type number of a command-line text: a number from 0 to 255, or a type
// name in any letter case, with "-" or "_" for blanks ("front-cover"). -1 when it is
// neither.
int PictureTypeOfText(const std::string& text);

// One frame as info lists it: its ID (and the ID the tag holds, where that differs), its
// role for a save, its body size, and what it says: a text frame's text, the language,
// description and text of COMM, USLT and TXXX, a link's address, the owner of PRIV, UFID
// and POPM, and a picture's type, MIME type, description and size.
Json FrameJson(formats::InputFile& in, const formats::StoredFrame& frame,
                      formats::clsID3V230Reader::FrameRole role);

// Where the bytes of a picture lie: `inMemory` (the part of the frame body the reader
// holds), then `fileLength` bytes of the file at `fileOffset`.
struct PictureBytes {
  formats::PictureHeader header;
  std::string inMemory;
  std::uint64_t fileOffset = 0;
  std::uint64_t fileLength = 0;
  std::uint64_t size() const { return inMemory.size() + fileLength; }
};
// False when the frame is no readable picture frame (compressed, encrypted, malformed).
bool LocatePicture(formats::InputFile& in, const formats::StoredFrame& frame, PictureBytes& out);

}  // namespace cli
