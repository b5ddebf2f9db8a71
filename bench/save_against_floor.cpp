// Reading a file into the fields and saving a changed title, on files of 5 MB with two
// pictures, beside cp and beside a rewrite floor that syncs as the save does (the whole
// file into a work file in 2 MiB pieces, fsync, rename, fsync of the folder), in the same
// run. A save should be one such copy: no picture written or read back on the way.
//
//   save_against_floor [files, default 12]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "tagging/FileReading.h"
#include "tagging/TagSaveRules.h"

namespace {

// The floor: copy in 2 MiB pieces to a work file, fsync it, rename it over, fsync the folder.
bool SyncedRewrite(const std::string& path, const std::string& folder) {
  const int in = ::open(path.c_str(), O_RDONLY);
  const std::string work = path + ".floor";
  const int out = ::open(work.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (in < 0 || out < 0) return false;
  std::vector<char> piece(2097152);
  for (ssize_t n; (n = ::read(in, piece.data(), piece.size())) > 0;)
    if (::write(out, piece.data(), static_cast<std::size_t>(n)) != n) return false;
  const bool synced = ::fsync(out) == 0;
  ::close(out);
  ::close(in);
  if (!synced || ::rename(work.c_str(), path.c_str()) != 0) return false;
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  const bool folderSynced = dir >= 0 && ::fsync(dir) == 0;
  if (dir >= 0) ::close(dir);
  return folderSynced;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 12;
  bench::ScratchFolder folder;
  if (!folder.ok()) return 1;
  const std::string frame = formats::SilentMpegFrames(1);
  const std::string audio = formats::SilentMpegFrames(static_cast<int>(4600000 / frame.size()));
  const std::string jpeg = "\xFF\xD8\xFF\xE0" + std::string(200000, 'J'), png = "\x89PNG\r\n\x1A\n" + std::string(150000, 'P');
  if (!bench::WriteBytes(folder.file("front.jpg"), jpeg) || !bench::WriteBytes(folder.file("back.png"), png)) return 1;
  std::vector<std::string> files;
  for (int i = 0; i < count; ++i) {
    const std::string path = folder.file("song" + std::to_string(i) + ".mp3");
    if (!bench::WriteBytes(path, audio)) return 1;
    formats::clsID3V230Writer v2;
    v2.setSongTitle("Song " + std::to_string(i));
    v2.setArtist("Artist");
    v2.setGraphic(folder.file("front.jpg") + "|" + folder.file("back.png"));
    v2.setGraphicType("3|4");
    v2.setGraphicTitle("front|back");
    if (!v2.WriteID3V230Tag(path)) return 1;
    files.push_back(path);
  }
  std::vector<double> save, cp, floor;
  const std::string copy = folder.file("copy.mp3");
  for (int i = 0; i < count; ++i) {
    const std::string& path = files[i];
    auto start = std::chrono::steady_clock::now();
    const tagging::FileReading reading = tagging::ReadFileIntoFields(path, {}, {});
    tagging::EditFields fields = reading.fields;
    fields.title += " (edited)";
    std::vector<core::PictureRecord> pictures(1);
    pictures.insert(pictures.end(), reading.pictures.begin(), reading.pictures.end());
    if (pictures.size() != 3 || !tagging::SaveTagsToFile(path, fields, pictures)) {
      std::fprintf(stderr, "the save failed\n");
      return 1;
    }
    save.push_back(bench::SecondsSince(start));
    std::remove(copy.c_str());
    cp.push_back(bench::TimeCommand("cp " + bench::ShellQuoted(path) + " " + bench::ShellQuoted(copy)));
    start = std::chrono::steady_clock::now();
    if (!SyncedRewrite(path, folder.path())) return 1;
    floor.push_back(bench::SecondsSince(start));
  }
  const auto size = std::filesystem::file_size(files[0]);
  std::printf("%d files of %ju bytes with two pictures, median ms:\n", count, static_cast<std::uintmax_t>(size));
  std::printf("  read into fields + save (title changed): %8.2f\n", Median(save) * 1000);
  std::printf("  cp:                                     %8.2f\n", Median(cp) * 1000);
  std::printf("  syncing rewrite floor:                  %8.2f\n", Median(floor) * 1000);
  std::printf("  save / floor: %.2fx   save / cp: %.2fx\n", Median(save) / Median(floor), Median(save) / Median(cp));
  return 0;
}
