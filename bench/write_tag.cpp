// How long WriteID3V230Tag takes on a 5 MB file (the whole file is rewritten through a
// work file that is flushed to the disk), beside cp of the same file, and cp followed by
// sync of the copy.
//
//   write_tag [runs, default 5]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchSupport.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"

namespace {

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  bench::ScratchFolder folder;
  if (!folder.ok()) return 1;
  const std::string song = folder.file("song.mp3"), copy = folder.file("copy.mp3");
  const std::string frame = formats::SilentMpegFrames(1);
  const std::string audio = formats::SilentMpegFrames(static_cast<int>(5000000 / frame.size()) + 1);
  const std::string picture = folder.file("cover.jpg");
  if (!bench::WriteBytes(song, audio) || !bench::WriteBytes(picture, std::string(100 * 1024, 'j'))) return 1;

  double best = 1e9, cp = 1e9, cpSync = 1e9;
  for (int run = 0; run < runs; ++run) {
    formats::clsID3V230Writer writer;
    writer.setSongTitle("Title " + std::to_string(run));
    writer.setArtist("Artist");
    writer.setAlbum("Album");
    writer.setComment("A comment");
    writer.setGraphic(picture);
    writer.setGraphicType("3");
    const auto start = std::chrono::steady_clock::now();
    if (!writer.WriteID3V230Tag(song)) {
      std::fprintf(stderr, "WriteID3V230Tag failed\n");
      return 1;
    }
    best = std::min(best, bench::SecondsSince(start));
    std::remove(copy.c_str());
    cp = std::min(cp, bench::TimeCommand("cp " + bench::ShellQuoted(song) + " " + bench::ShellQuoted(copy)));
    std::remove(copy.c_str());
    cpSync = std::min(cpSync, bench::TimeCommand("cp " + bench::ShellQuoted(song) + " " + bench::ShellQuoted(copy) + " && sync " + bench::ShellQuoted(copy)));
  }
  std::printf("file of %zu bytes, %d runs, best time each:\n", audio.size(), runs);
  std::printf("  WriteID3V230Tag (one pass, flushed): %8.2f ms\n", best * 1000);
  std::printf("  cp:                                  %8.2f ms\n", cp * 1000);
  std::printf("  cp && sync copy:                     %8.2f ms\n", cpSync * 1000);
  return 0;
}
