// How fast a folder's tags are listed, beside a floor loop that only opens each file and
// reads its first 64 KiB and its last 128 bytes: the three readers on their own (each
// opening the file, and through one open per file), and the whole tag list page built and
// written as the program does it (BuildTagListPage: each file opened once, then the page
// written through a work file). Wall and processor times are both given against the floor.
//
//   tag_listing [number of files, default 3000] [larger count for the growth, e.g. 30000]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "BenchSupport.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/ID3V230Writer.h"
#include "formats/MP3HeadReader.h"
#include "formats/SilentMpeg.h"
#include "formats/TagSaver.h"
#include "reports/ReadOnceFileSystem.h"
#include "reports/TagListBuilder.h"

namespace {

constexpr int kRuns = 5;

bool makeFolder(const std::string& folder, int count, std::vector<std::string>& files) {
  const std::string audio = formats::SilentMpegFrames(formats::FramesForSeconds(1.0));
  const std::string picture = folder + "/../cover.jpg";
  if (!bench::WriteBytes(picture, std::string(64 * 1024, 'j'))) return false;
  for (int i = 0; i < count; ++i) {
    const std::string path = folder + "/track " + std::to_string(i) + ".mp3";
    if (!bench::WriteBytes(path, audio)) return false;
    formats::clsID3V111Writer v1;
    v1.setSongTitle("Title " + std::to_string(i));
    v1.setArtist("Artist");
    v1.setAlbum("Album");
    v1.setYear("2024");
    v1.setTrack(static_cast<std::uint8_t>(i % 256));
    v1.setGenre(17);
    formats::clsID3V230Writer v2;
    v2.setSongTitle("Title " + std::to_string(i));
    v2.setArtist("Artist");
    v2.setAlbum("Album");
    v2.setYear("2024");
    v2.setTrack(std::to_string(i % 256));
    v2.setGenre("Rock");
    v2.setComment("A comment");
    v2.setLyrics(std::string(2000, 'l'));
    if (i % 4 == 0) {  // every fourth file has a picture
      v2.setGraphic(picture);
      v2.setGraphicType("3");
    }
    if (!formats::TagSaver().SaveTags(path, v1, v2)) return false;
    files.push_back(path);
  }
  return true;
}

// The listing itself; the sum keeps the work from being optimised away.
std::uint64_t listTags(const std::vector<std::string>& files) {
  std::uint64_t sum = 0;
  for (const auto& path : files) {
    formats::clsMP3HeadReader head;
    head.ReadMP3Header(path);
    formats::clsID3V111Reader v1;
    v1.ReadID3V111Tag(path);
    formats::clsID3V230Reader v2;
    v2.setQuickRead(true);
    v2.ReadID3V230Tag(path);
    sum += static_cast<std::uint64_t>(head.Length()) + v1.SongTitle().size() + v2.SongTitle().size() +
           v2.GraphicSize().size();
  }
  return sum;
}


// The whole page of the folder, written beside it.
struct PageLoop {
  std::string folder;
  std::uint64_t operator()(const std::vector<std::string>&) const {
    reports::PageOptions options;
    options.view = {true, true, true, true, true, true};
    const reports::TagListResult result = reports::BuildTagListPage(folder, options, {});
    reports::WritePageFile(formats::FileSystem::standard(), folder + "/../page.htm", result.page);
    return result.page.size();
  }
};

// The three readers through one open per file, as the page builder reads them.
std::uint64_t listTagsOnce(const std::vector<std::string>& files) {
  std::uint64_t sum = 0;
  reports::ReadOnceFileSystem once(formats::FileSystem::standard());
  formats::FormatEnv env;
  env.fs = &once;
  for (const auto& path : files) {
    once.load(path);
    const reports::FileFacts facts = reports::ReadFileFacts(path, env);
    once.release();
    sum += static_cast<std::uint64_t>(facts.length) + facts.v1Title.size() + facts.v2Title.size();
  }
  return sum;
}

struct Figures {
  bench::Timing readers, readersOnce, page, floor;
};

void report(const char* what, const bench::Timing& t, const bench::Timing& floor, int count) {
  std::printf("%-44s %8.0f files/s  %.2fx the floor's time (processor time: %.2fx)\n", what, count / t.wall,
              t.wall / floor.wall, t.cpu / floor.cpu);
}

Figures measure(int count) {
  bench::ScratchFolder scratch;
  if (!scratch.ok()) return {};
  const std::string folder = scratch.file("music");
  std::filesystem::create_directory(folder);
  std::vector<std::string> files;
  const auto made = std::chrono::steady_clock::now();
  if (!makeFolder(folder, count, files)) {
    std::fprintf(stderr, "cannot write the test files in %s\n", folder.c_str());
    return {};
  }
  std::printf("made %d tagged files (a quarter with a 64 KiB picture) in %.2f s\n", count, bench::SecondsSince(made));
  std::uint64_t sum = 0;
  Figures f;
  // The loops take turns, so that a burst of other work on the machine hits all of them.
  for (int run = 0; run < kRuns; ++run) {
    const auto one = [&](bench::Timing& timing, auto loop) {
      const bench::Timing t = bench::TimeLoop(1, files, loop, sum);
      timing.add(t.wall, t.cpu);
    };
    one(f.readers, listTags);
    one(f.readersOnce, listTagsOnce);
    one(f.page, PageLoop{folder});
    one(f.floor, bench::FloorLoop);
  }
  report("three readers, each opening the file:", f.readers, f.floor, count);
  report("three readers, one open per file:", f.readersOnce, f.floor, count);
  report("whole tag list page, built and written:", f.page, f.floor, count);
  std::printf("%-44s %8.0f files/s\n", "floor (open, first 64 KiB, last 128 bytes):", count / f.floor.wall);
  std::printf("(best of %d interleaved runs, warm cache; checksum %llu)\n", kRuns, static_cast<unsigned long long>(sum));
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3000;
  const int larger = argc > 2 ? std::max(1, std::atoi(argv[2])) : 0;
  const Figures small = measure(count);
  if (small.page.wall <= 0) return 1;
  if (larger > 0) {
    const Figures big = measure(larger);
    if (big.page.wall <= 0) return 1;
    // Linear growth keeps the rate per file: the ratio of the two rates stays near 1.
    std::printf("page rate at %d files / at %d files: %.2f (1.00 is linear)\n", larger, count,
                (larger / big.page.wall) / (count / small.page.wall));
  }
  return 0;
}
