// libFuzzer target: any bytes as an MP3 file, its ID3v1.1 tag read, written again from the
// fields read and removed, all in memory.
// Built and run by run.sh beside this file (clang only); not part of the CMake build.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "MemoryFileSystem.h"
#include "formats/ID3V111.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MemoryFileSystem fs(data, size);
  formats::clsID3V111Reader reader(fs.env());
  reader.ReadID3V111Tag("song.mp3", true);
  // No field is longer than its place in the block (UTF-8 takes up to two bytes for a
  // character of ISO-8859-1).
  if (reader.SongTitle().size() > 60 || reader.Artist().size() > 60 || reader.Album().size() > 60 ||
      reader.Year().size() > 8 || reader.Comment().size() > 60) {
    std::abort();
  }
  formats::clsID3V111Writer writer(fs.env());
  writer.setSongTitle(reader.SongTitle());
  writer.setArtist(reader.Artist());
  writer.setAlbum(reader.Album());
  writer.setYear(reader.Year());
  writer.setComment(reader.Comment());
  writer.setTrack(reader.Track());
  writer.setGenre(writer.GetGenre(reader.Genre()));
  if (writer.BuildTagBlock().size() != formats::ID3V111TagSize) std::abort();
  writer.WriteID3V111Tag("song.mp3");
  writer.RemoveID3V111Tag("song.mp3");
  return 0;
}
