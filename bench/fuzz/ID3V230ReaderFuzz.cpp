// libFuzzer target: any bytes as an MP3 file, read by the ID3v2 reader, every version (with and without
// QuickRead), its pictures extracted, its tag removed and replaced, all in memory. The tag is
// also parsed with and without a frame filter: the frames the filter lets through, and
// whether the tag reads, must come out the same either way.
// Built and run by run.sh beside this file (clang only); not part of the CMake build.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "MemoryFileSystem.h"
#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/ID3V2Tag.h"

namespace {

bool Wanted(const std::string& id) {
  return id == "TIT2" || id == "TPE1" || id == "TALB" || id == "TYER" || id == "COMM" || id == "APIC";
}

void CheckFilteredParse(formats::FileSystem& fs) {
  const auto in = fs.openRead("song.mp3");
  if (!in) return;
  formats::ID3V2Tag whole, filtered;
  formats::ReadID3V2Tag(*in, whole);
  formats::ReadID3V2Tag(*in, filtered, {}, Wanted);
  if (whole.readable != filtered.readable || whole.problem != filtered.problem || whole.version != filtered.version)
    __builtin_trap();
  std::vector<const formats::StoredFrame*> a, b;
  for (const auto& f : whole.frames) if (Wanted(f.id)) a.push_back(&f);
  for (const auto& f : filtered.frames) if (Wanted(f.id)) b.push_back(&f);
  if (a.size() != b.size()) __builtin_trap();
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::string x, y;
    if (a[i]->offset != b[i]->offset || a[i]->sealed() != b[i]->sealed() || formats::LoadBody(*in, *a[i], x) !=
        formats::LoadBody(*in, *b[i], y) || x != y)
      __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MemoryFileSystem fs(data, size);
  const formats::FormatEnv env = fs.env();
  CheckFilteredParse(fs);
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
