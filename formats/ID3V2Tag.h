// The ID3v2 tag at the start of a file, of major version 2, 3 or 4, as a list of frames in
// their ID3v2.3 form: the program writes ID3v2.3, so every frame is seen as it would be
// written there (ID, flags, body), with unsynchronisation and data-length indicators
// undone, three-character IDs made four, and ID3v2.4 texts in encodings ID3v2.3 knows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/FileIo.h"

namespace formats {

struct StoredFrame {
  std::string id;          // the ID3v2.3 ID; a frame ID3v2.3 has no form for keeps its own
  std::string sourceId;    // the ID as the tag holds it
  unsigned char flags[2] = {0, 0};  // ID3v2.3 status and format flags
  std::uint64_t offset = 0;  // of the frame header (within the undone tag when the whole tag
                             // is unsynchronised): tells the frames of one read apart
  // The body: `head` in memory, followed by `tailSize` bytes of the file at `tailOffset`
  // (a large body that needs no change stays in the file until it is written).
  std::string head;
  std::uint64_t tailOffset = 0;
  std::uint64_t tailSize = 0;
  bool verbatim = false;   // an ID3v2.3 frame whose bytes in the file are exactly this form
  bool carriable = true;   // false: ID3v2.3 cannot hold it (why: `problem`)
  std::string problem;

  std::uint64_t bodySize() const { return head.size() + tailSize; }
  // Compressed or encrypted: the body is not the frame's content as it stands.
  bool sealed() const { return (flags[1] & 0xC0) != 0; }
  // Encrypted: the body cannot be decoded at all.
  bool encrypted() const { return (flags[1] & 0x40) != 0; }
};

struct ID3V2Tag {
  int version = 0;         // major version; 0 when the file does not start with "ID3"
  bool readable = false;   // the frames could be listed (damaged bytes among them stepped over)
  std::string problem;     // why the tag could not be read, or, when it was, its first damage
  bool unsynchronised = false, extendedHeader = false, experimental = false, crc = false;
  double crcValue = 0;
  std::uint64_t sizeValue = 0;  // the size field of the header
  std::vector<StoredFrame> frames;
};

// Reads the tag at the start of `in`. Sizes are never trusted: every frame must lie within
// the tag and the file before anything is read or allocated for it. A frame size is read
// plain or 7-bit, whichever leads to a frame header (see the frame walk). Damaged bytes (a
// frame whose size does not fit, an extended header that does not, bytes that are no frame
// header) are stepped over to the next frame header within the tag, as other programs do:
// the tag stays `readable` and `problem` names the first damage. A version above 4, a
// damaged tag header, a tag longer than the file, a compressed ID3v2.2 tag or a tag of
// nothing but encrypted frames leaves `readable` false with a `problem`; the frames read
// before stay.
//
// `wanted`, when given, names the frames (by their ID3v2.3 ID) the caller will decode. The
// others are still listed, with their flags and sizes, and still decide whether the tag is
// readable, but their bodies are left in the file unread and unconverted (tailOffset,
// tailSize): such a list serves a quick look at a few fields, never a save.
using FrameFilter = bool (*)(const std::string& id);
void ReadID3V2Tag(InputFile& in, ID3V2Tag& tag, const YieldHook& yield = {}, FrameFilter wanted = nullptr);

// The whole body of a frame in memory; false on a read error.
bool LoadBody(InputFile& in, const StoredFrame& frame, std::string& body);

struct PictureHeader;
// The front of a picture frame's body (encoding, MIME type, type, description), read from
// memory or, for a body that lies in the file, from `in`. False when it is malformed.
bool PictureHeaderOf(InputFile& in, const StoredFrame& frame, PictureHeader& out);

// The ID3v2.3 ID of an ID3v2.2 one, or "" when ID3v2.3 has none.
std::string ID3V23IdOfV22(const std::string& id);

// The bytes with every 0xFF 0x00 turned back into 0xFF.
std::string UndoUnsynchronisation(const std::string& bytes);

}  // namespace formats
