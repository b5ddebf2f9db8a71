// The batch jobs beside the plain tools, in the same run:
//  - the album merge of 12 files of 5 MB (each with both tags) beside cat of the same
//    files, with the peak memory of the process (getrusage) after the merge;
//  - the renaming of 3,000 files from their tags (mode 2: each file's tags read, the
//    plan made, the renames done) beside a plain loop of rename() calls.
//
//   batch_jobs [merge files, default 12] [rename files, default 3000]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/SilentMpeg.h"
#include "tagging/BatchRename.h"
#include "tagging/Merge.h"

namespace {

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void Tag(const std::string& path, const std::string& artist, const std::string& title) {
  formats::clsID3V230Writer v2;
  v2.setArtist(artist);
  v2.setSongTitle(title);
  v2.setAlbum("Bench");
  v2.WriteID3V230Tag(path);
  formats::clsID3V111Writer v1;
  v1.setSongTitle(title);
  v1.WriteID3V111Tag(path);
}

}  // namespace

int main(int argc, char** argv) {
  const int mergeFiles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 12;
  const int renameFiles = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3000;
  bench::ScratchFolder merge;
  bench::ScratchFolder rename;
  if (!merge.ok() || !rename.ok()) return 1;
  const std::string folder = merge.path() + "/";
  const tagging::ViewReader noRead = [](const std::string&) { return tagging::FileView{}; };

  // Merge.
  const std::string frame = formats::SilentMpegFrames(1);
  const std::string audio = formats::SilentMpegFrames(static_cast<int>(5000000 / frame.size()) + 1);
  std::vector<std::string> names;
  std::string catCommand = "cat";
  for (int i = 0; i < mergeFiles; ++i) {
    names.push_back("song" + std::to_string(100 + i) + ".mp3");
    if (!bench::WriteBytes(folder + names.back(), audio)) return 1;
    Tag(folder + names.back(), "Artist", "Song " + std::to_string(i));
    catCommand += " " + bench::ShellQuoted(folder + names.back());
  }
  const long peakBefore = PeakKilobytes();
  const double cat = bench::TimeCommand(catCommand + " > " + bench::ShellQuoted(folder + "cat.out"));
  const double catSync = bench::TimeCommand(catCommand + " > " + bench::ShellQuoted(folder + "catsync.out") + " && sync " +
                                            bench::ShellQuoted(folder + "catsync.out"));
  tagging::MergePlan plan = tagging::PlanMerge(folder, names, " - ", {}, noRead);
  auto start = std::chrono::steady_clock::now();
  const tagging::MergeResult merged = tagging::MergeAlbum(plan, {});
  const double mergeTime = bench::SecondsSince(start);
  if (merged.album.empty()) return 1;
  std::printf("merge of %d files of %zu bytes:\n", mergeFiles, audio.size());
  std::printf("  MergeAlbum (streamed, flushed):  %8.1f ms  (%.2fx cat, %.2fx cat + sync)\n", mergeTime * 1000,
              mergeTime / cat, mergeTime / catSync);
  std::printf("  cat > file:                      %8.1f ms\n", cat * 1000);
  std::printf("  cat > file && sync file:         %8.1f ms\n", catSync * 1000);
  std::printf("  peak memory: %ld KiB before the merge, %ld KiB after\n", peakBefore, PeakKilobytes());

  // Renames: the job, then the plain loop over the same count of fresh files.
  const std::string dir = rename.path() + "/";
  const std::string small = formats::SilentMpegFrames(4);
  for (int i = 0; i < renameFiles; ++i) {
    const std::string path = dir + "f" + std::to_string(i) + ".mp3";
    if (!bench::WriteBytes(path, small)) return 1;
    Tag(path, "Artist", "Title " + std::to_string(i));
  }
  start = std::chrono::steady_clock::now();
  std::vector<tagging::RenameSource> sources;
  for (int i = 0; i < renameFiles; ++i) {
    tagging::RenameSource source;
    source.path = dir + "f" + std::to_string(i) + ".mp3";
    const tagging::FileView view = tagging::ReadFileView(source.path, {}, {}, {}, {});
    source.tagFound = view.flags.TagFound;
    source.fields = view.fields;
    sources.push_back(source);
  }
  const double readTime = bench::SecondsSince(start);
  const tagging::DetectList words = {tagging::DetectWord::Number, tagging::DetectWord::Artist, tagging::DetectWord::Title};
  const tagging::RenamePlan done = tagging::RunRenames(
      tagging::PlanRenames(sources, sources.size(), words, " - ", formats::FileSystem::standard()),
      formats::FileSystem::standard());
  const double jobTime = bench::SecondsSince(start);
  const auto failed = tagging::Failures(done).size();

  for (int i = 0; i < renameFiles; ++i) {
    if (!bench::WriteBytes(dir + "g" + std::to_string(i) + ".mp3", small)) return 1;
  }
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < renameFiles; ++i) {
    const std::string from = dir + "g" + std::to_string(i) + ".mp3";
    const std::string to = dir + "h" + std::to_string(i) + ".mp3";
    if (std::rename(from.c_str(), to.c_str()) != 0) return 1;
  }
  const double loop = bench::SecondsSince(start);
  std::printf("renaming %d files from their tags (%zu failed):\n", renameFiles, failed);
  std::printf("  read, plan and rename:           %8.1f ms  (%.2fx the plain loop; reading the tags %.1f ms)\n",
              jobTime * 1000, jobTime / loop, readTime * 1000);
  std::printf("  plan and rename only:            %8.1f ms  (%.2fx the plain loop)\n", (jobTime - readTime) * 1000,
              (jobTime - readTime) / loop);
  std::printf("  plain rename() loop:             %8.1f ms\n", loop * 1000);
  return 0;
}
