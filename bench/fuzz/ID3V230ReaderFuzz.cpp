// libFuzzer target: any bytes as an MP3 file, read by the ID3v2 reader, every version (with and without
// QuickRead), its pictures extracted, its tag removed and replaced, all in memory.
// Built and run by run.sh beside this file (clang only); not part of the CMake build.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "MemoryFileSystem.h"
#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MemoryFileSystem fs(data, size);
  const formats::FormatEnv env = fs.env();
  for (const bool quick : {false, true}) {
    formats::clsID3V230Reader reader(env, "cover");
    reader.setQuickRead(quick);
    reader.ReadID3V230Tag("song.mp3");
    const auto starts = formats::id3v230::SplitList(reader.GraphicStartPos());
    const auto sizes = formats::id3v230::SplitList(reader.GraphicSize());
    for (std::size_t i = 0; i < starts.size() && i < sizes.size() && !sizes[i].empty(); ++i) {
      std::string info, type;
      reader.ExtractGraphic("song.mp3", std::stoll(starts[i]), std::stoll(sizes[i]), info, type);
    }
  }
  formats::clsID3V230Writer writer(env);
  writer.RemoveID3V230Tag("song.mp3");
  writer.setSongTitle("fuzz");
  writer.WriteID3V230Tag("song.mp3");
  return 0;
}
