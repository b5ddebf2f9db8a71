// Rewriting an MP3 file with a new ID3v2.3 tag in one pass: the new tag and the bytes
// behind the old tag go into one work file beside the file, which then replaces it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "formats/ID3V2Tag.h"

namespace formats::id3v230 {

// The bytes a file holds before it is rewritten, as a row of parts: ranges of an open file,
// and blocks in memory (for example an ID3v1 tag that an earlier step would have appended).
class SourceBytes {
 public:
  void addRange(InputFile& file, std::uint64_t offset, std::uint64_t length);
  void addBlock(std::string bytes);
  std::uint64_t size() const { return size_; }
  // Exactly n bytes at offset; false past the end or on a read error.
  bool readAt(std::uint64_t offset, void* buffer, std::size_t n) const;
  // Writes everything from offset to the end, file ranges in pieces of at most CopyPiece
  // with the yield hook after each piece.
  bool copyTo(WorkFile& work, std::uint64_t offset, const YieldHook& yield) const;

 private:
  struct Part {
    InputFile* file = nullptr;  // null for a block
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::string block;
  };
  std::vector<Part> parts_;
  std::uint64_t size_ = 0;
};

enum class OldTag { None, Found, Damaged };

// The ID3v2 tag at the start of the bytes, of any major version: its length is the 7-bit
// size of its header plus the 10 header bytes, and the 10 bytes of an ID3v2.4 footer. Damaged when that
// length is more than the bytes hold: removing it would take audio that is not tag.
OldTag FindOldTag(const SourceBytes& source, std::uint64_t& length);

// A new tag, ready to be written: the frames in memory, except picture data, which is
// copied from the picture files while the tag is written.
class PreparedTag {
 public:
  // A frame with its body. Every frame size is a plain 32-bit number, as ID3v2.3 has it;
  // only the tag header's size is a 7-bit one.
  void addFrame(const std::string& id, const std::string& body);
  // A picture frame: the front of its body in memory, then all of `picture`.
  void addPicture(const std::string& bodyFront, std::unique_ptr<InputFile> picture);
  // A frame of an old tag: its ID, flags and body (the body's file part read from `source`,
  // which must stay open until the tag is written).
  void addStoredFrame(const StoredFrame& frame, InputFile* source);
  // The length of all frames (the tag size of the header).
  std::uint64_t framesSize() const { return framesSize_; }
  // A tag without a frame is not written at all.
  bool empty() const { return framesSize_ == 0; }
  bool writeTo(WorkFile& work, const YieldHook& yield) const;

 private:
  struct Part {
    std::string bytes;
    std::unique_ptr<InputFile> picture;
    InputFile* source = nullptr;  // a range of it follows the bytes
    std::uint64_t offset = 0, length = 0;
  };
  std::vector<Part> parts_;
  std::uint64_t framesSize_ = 0;
};

// Replaces the file at path by `tag` followed by the source bytes from `skip` on, through a
// work file named path + suffix in the same folder. The file is replaced only when the
// work file is complete and flushed and the file is still there; otherwise it stays as it
// was and the work file is removed, and the status tells why.
Status RewriteFile(const FormatEnv& env, const std::string& path, const PreparedTag& tag,
                 const SourceBytes& source, std::uint64_t skip, const std::string& suffix);

}  // namespace formats::id3v230
