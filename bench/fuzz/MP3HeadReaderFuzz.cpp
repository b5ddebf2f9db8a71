// libFuzzer target: any bytes as an MP3 file, read by the MPEG header reader; the VBR
// frame reader also gets the bytes on their own with any distance to the file's end.
// Built and run by run.sh beside this file (clang only); not part of the CMake build.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "MemoryFileSystem.h"
#include "formats/MP3HeadReader.h"
#include "formats/MP3VbrFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MemoryFileSystem fs(data, size);
  formats::clsMP3HeadReader reader(fs.env());
  reader.ReadMP3Header("song.mp3");
  // A frame count is only taken with a believable average bit rate and a playing time.
  if (reader.VbrFrames() != 0 && (reader.Bitrate() <= 0 || reader.Bitrate() > 2880 || reader.Length() < 0)) {
    std::abort();
  }
  if (reader.Length() < 0 || reader.Bitrate() < 0) std::abort();

  formats::VbrFacts facts;
  // The distance to the end taken from the last two bytes: from none up to terabytes.
  const std::uint64_t toEnd = size < 2 ? size : (std::uint64_t(data[size - 1]) << 24) | (std::uint64_t(data[size - 2]) << 40);
  if (formats::ReadVbrFrame(data, size, toEnd, facts) && (facts.frames == 0 || facts.kbps <= 0 || facts.seconds < 0)) {
    std::abort();
  }
  return 0;
}
