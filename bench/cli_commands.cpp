// tonewright-cli against the floors of its two commonest jobs, in the same run:
//  - `info --fields` over a folder of generated tagged files, beside a loop that only
//    opens each file, reads its first 64 KiB and its last 128 bytes, and closes it (and the
//    fields-only read under it, in this process, beside the same loop), and beside the
//    same loop run as a process of its own that lists the folder first: a fresh process
//    pays for its start and its first touch of memory, which the loop in this one does not;
//  - `set --comment` over 100 files of about 1 MB with a picture, beside cp of the same
//    files and beside a rewrite floor that syncs as the save does (work file written in
//    2 MiB pieces, fsync, rename over the file, fsync of the folder).
// The program is run as a user runs it: a process per command, started directly, output to
// /dev/null (its processor time is that of the whole process, start-up included).
//
//   cli_commands [number of files for info, default 3000]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "formats/TagSaver.h"
#include "tagging/FileReading.h"

namespace {

constexpr int kRuns = 3;

// Every `pictureEvery`-th file gets the picture.
bool MakeFiles(const std::string& folder, int count, int frames, const std::string& picture, int pictureEvery,
               std::vector<std::string>& files) {
  const std::string audio = formats::SilentMpegFrames(frames);
  for (int i = 0; i < count; ++i) {
    const std::string path = folder + "/track " + std::to_string(i) + ".mp3";
    if (!bench::WriteBytes(path, audio)) return false;
    formats::clsID3V111Writer v1;
    v1.setSongTitle("Title " + std::to_string(i));
    v1.setArtist("Artist");
    v1.setYear("2024");
    v1.setGenre(17);
    formats::clsID3V230Writer v2;
    v2.setSongTitle("Title " + std::to_string(i));
    v2.setArtist("Artist");
    v2.setAlbum("Album");
    v2.setTrack(std::to_string(i % 256));
    v2.setComment("A comment");
    v2.setLyrics(std::string(2000, 'l'));
    if (i % pictureEvery == 0) {
      v2.setGraphic(picture);
      v2.setGraphicType("3");
    }
    if (!formats::TagSaver().SaveTags(path, v1, v2)) return false;
    files.push_back(path);
  }
  return true;
}


// Each file copied into a work file beside it in 2 MiB pieces, synced, renamed over the
// file, and the folder synced: the least a save that cannot lose the file must do.
bool RewriteFloor(const std::vector<std::string>& files) {
  std::vector<char> piece(2097152);
  for (const auto& path : files) {
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const std::string work = path + ".work";
    const int out = ::open(work.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (in < 0 || out < 0) return false;
    ssize_t n;
    while ((n = ::read(in, piece.data(), piece.size())) > 0)
      if (::write(out, piece.data(), static_cast<std::size_t>(n)) != n) return false;
    ::close(in);
    if (::fsync(out) != 0 || ::close(out) != 0 || ::rename(work.c_str(), path.c_str()) != 0) return false;
    const int dir = ::open(std::filesystem::path(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }
  return true;
}

// What `info --fields` does for each file, in this process: the fields-only read.
std::uint64_t ReadFields(const std::vector<std::string>& files) {
  std::uint64_t sum = 0;
  for (const auto& path : files) {
    const tagging::FileReading r = tagging::ReadFileIntoFields(path, {}, {}, {}, tagging::ReadScope::FieldsOnly);
    sum += r.fields.title.size() + r.fields.lyrics.size() + r.timeLabel.size();
  }
  return sum;
}

double Best(double current, double seconds) { return seconds >= 0 && (current < 0 || seconds < current) ? seconds : current; }

}  // namespace

int main(int argc, char** argv) {
  // Run as `cli_commands --floor FOLDER` it is the floor as a process of its own: it lists the
  // folder's files (unsorted) and does the floor loop over them, as info must list them too.
  if (argc == 3 && std::string(argv[1]) == "--floor") {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(argv[2])) files.push_back(entry.path().string());
    std::printf("%llu\n", static_cast<unsigned long long>(bench::FloorLoop(files)));
    return 0;
  }
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3000;
  const std::string self = std::filesystem::canonical("/proc/self/exe").string();
  const std::string program = std::filesystem::path(self).parent_path().string() + "/../cli/tonewright-cli";
  bench::ScratchFolder scratch;
  const std::string listed = scratch.file("listed"), saved = scratch.file("saved"), copies = scratch.file("copies");
  std::vector<std::string> listedFiles, savedFiles;
  std::filesystem::create_directories(listed);
  std::filesystem::create_directories(saved);
  const std::string picture = scratch.file("cover.jpg");
  if (!scratch.ok() || !bench::WriteBytes(picture, "\xFF\xD8\xFF" + std::string(64 * 1024, 'j')) ||
      !MakeFiles(listed, count, formats::FramesForSeconds(1.0), picture, 4, listedFiles) ||
      !MakeFiles(saved, 100, 2400, picture, 1, savedFiles)) {
    std::fprintf(stderr, "cannot write the test files\n");
    return 1;
  }
  std::printf("%d files for info (1 s of audio, every fourth with a picture); 100 files of %ju bytes for set\n",
              count, static_cast<std::uintmax_t>(std::filesystem::file_size(savedFiles.front())));

  double set = -1, cp = -1, rewrite = -1;
  bench::Timing info, floor, floorProcess;
  std::uint64_t sum = 0;
  // The routine under `info --fields`, in this process, taking turns with the floor.
  bench::Timing fields, fieldsFloor;
  for (int run = 0; run < 5; ++run) {
    const bench::Timing f = bench::TimeLoop(1, listedFiles, ReadFields, sum);
    const bench::Timing g = bench::TimeLoop(1, listedFiles, bench::FloorLoop, sum);
    fields.add(f.wall, f.cpu);
    fieldsFloor.add(g.wall, g.cpu);
  }
  std::printf("ReadFileIntoFields (fields only), %d files, in process: %8.1f ms  %.2fx the floor's %.1f ms "
              "(processor time: %.2fx)\n",
              count, fields.wall * 1e3, fields.wall / fieldsFloor.wall, fieldsFloor.wall * 1e3,
              fields.cpu / fieldsFloor.cpu);
  const std::string quotedCopies = bench::ShellQuoted(copies);
  for (int run = 0; run < kRuns; ++run) {
    const bench::Timing i = bench::TimeProgram({program, "info", "--fields", listed});
    if (i.wall < 0) info.wall = -1e9;
    info.add(i.wall, i.cpu);
    const bench::Timing f = bench::TimeLoop(1, listedFiles, bench::FloorLoop, sum);
    floor.add(f.wall, f.cpu);
    const bench::Timing p = bench::TimeProgram({self, "--floor", listed});
    floorProcess.add(p.wall, p.cpu);

    set = Best(set, bench::TimeCommand(bench::ShellQuoted(program) + " set --comment 'Run " + std::to_string(run) +
                                       "' " + bench::ShellQuoted(saved)));
    cp = Best(cp, bench::TimeCommand("rm -rf " + quotedCopies + " && mkdir " + quotedCopies + " && cp " +
                                     bench::ShellQuoted(saved) + "/*.mp3 " + quotedCopies));
    const auto rewriteStart = std::chrono::steady_clock::now();
    if (!RewriteFloor(savedFiles)) {
      std::fprintf(stderr, "the rewrite floor failed\n");
      return 1;
    }
    rewrite = Best(rewrite, bench::SecondsSince(rewriteStart));
  }
  if (info.wall < 0 || set < 0 || cp < 0) {
    std::fprintf(stderr, "a command failed\n");
    return 1;
  }
  std::printf("info --fields, %d files:         %8.1f ms  (%.0f files/s), processor time %.1f ms\n", count,
              info.wall * 1e3, count / info.wall, info.cpu * 1e3);
  std::printf("floor loop (open, 64 KiB, 128 B): %8.1f ms  -> info takes %.2fx the floor (processor time: %.2fx)\n",
              floor.wall * 1e3, info.wall / floor.wall, info.cpu / floor.cpu);
  std::printf("floor as a process (listing included): %8.1f ms  -> info takes %.2fx (processor time: %.2fx)\n",
              floorProcess.wall * 1e3, info.wall / floorProcess.wall, info.cpu / floorProcess.cpu);
  std::printf("set --comment, 100 files:         %8.1f ms\n", set * 1e3);
  std::printf("cp of the 100 files:              %8.1f ms  -> set takes %.2fx cp\n", cp * 1e3, set / cp);
  std::printf("syncing rewrite floor:            %8.1f ms  -> set takes %.2fx the rewrite floor\n", rewrite * 1e3,
              set / rewrite);
  std::printf("(best of %d runs each, interleaved, warm cache; checksum %llu)\n", kRuns,
              static_cast<unsigned long long>(sum));
  return 0;
}
