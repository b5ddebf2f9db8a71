// One MP3 file read the way the file view reads it: the MPEG header facts, both tags, the
// pictures, and the fields the window would show.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "mainwindow/tagging/FileInfoRules.h"

namespace cli {

struct HeaderFacts {
  bool found = false;  // an MPEG audio frame header was found
  std::string mpeg;    // "MPEG-1", "MPEG-2"
  int layer = 0;
  int bitrate = 0;     // kbit/s
  int frequency = 0;   // Hz
  std::string mode;
  int length = 0;      // seconds
};

struct PictureFacts {
  int type = 0;
  std::string typeName;
  std::string description;
  std::string mime;
  std::int64_t frameOffset = 0;  // where the APIC frame header lies in the file
  std::int64_t frameSize = 0;    // the frame's body size
  std::int64_t dataSize = 0;     // the picture's own bytes
};

struct FileFacts {
  HeaderFacts header;
  tagging::ID3V111Values v1;
  tagging::ID3V230Values v2;
  int id3v2Major = 0;  // 0 when the file does not start with an ID3v2 tag header
  int id3v2Revision = 0;
  std::vector<PictureFacts> pictures;
  tagging::EditFields fields;  // merged as the window merges them, nothing held
};

// What a read needs: without them, the header or the picture facts are left empty.
struct ReadOptions {
  bool withPictures = true;
  bool withHeader = true;
};

// Reads the file, opening it once for all readers. False, with the reason, when it cannot be opened for reading; a file
// without an MPEG header or without tags is no failure (its facts stay empty).
bool ReadFileFacts(const std::string& path, const formats::FormatEnv& env, const ReadOptions& options,
                   FileFacts& facts, std::string& reason);

// The picture-type number of a command-line text: a number from 0 to 255, or a type
// name in any letter case, with "-" or "_" for blanks ("front-cover"). -1 when it is
// neither.
int PictureTypeOfText(const std::string& text);

}  // namespace cli
