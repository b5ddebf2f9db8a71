#include "reports/TagListBuilder.h"

#include "core/Ini.h"
#include "core/Paths.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/MP3HeadReader.h"
#include "reports/ReadOnceFileSystem.h"

namespace reports {

namespace {

void Walk(const std::string& folder, const formats::YieldHook& yield, std::vector<std::string>& paths,
          std::string& lastAdded) {
  if (yield) yield();
  const std::vector<std::string> subFolders = core::ListSubFolders(folder);
  for (auto sub = subFolders.rbegin(); sub != subFolders.rend(); ++sub) {
    Walk(folder + *sub + core::Separator, yield, paths, lastAdded);
  }
  for (const std::string& name : core::ListMp3Files(folder)) {
    const std::string path = folder + name;
    if (path != lastAdded) paths.push_back(path);
    lastAdded = path;
  }
}

}  // namespace

std::vector<std::string> CollectTagListFiles(const std::string& folderText, bool recursive,
                                             const formats::YieldHook& yield) {
  std::string folder = folderText;
  core::AddBackslash(folder);
  std::vector<std::string> paths;
  if (recursive) {
    std::string lastAdded;
    Walk(folder, yield, paths, lastAdded);
  } else {
    for (const std::string& name : core::ListMp3Files(folder)) paths.push_back(folder + name);
  }
  return paths;
}

FileFacts ReadFileFacts(const std::string& path, const formats::FormatEnv& env) {
  FileFacts facts;
  // The path is the folder's long form joined with a listed name: already its long form.
  facts.fileName = core::FileNameOf(path);
  formats::clsMP3HeadReader head(env);
  head.ReadMP3Header(path);
  facts.length = head.Length();
  facts.bitrate = head.Bitrate();
  facts.mode = head.Mode();
  formats::clsID3V111Reader v1(env);
  v1.ReadID3V111Tag(path, false);
  facts.v1Present = v1.TagPresent();
  if (facts.v1Present) {
    facts.v1Artist = v1.Artist();
    facts.v1Title = v1.SongTitle();
    facts.v1Album = v1.Album();
    facts.v1Year = v1.Year();
    facts.v1Comment = v1.Comment();
  }
  formats::clsID3V230Reader v2(env);
  v2.setQuickRead(true);
  v2.ReadID3V230Tag(path, false, false);
  facts.v2Present = v2.TagPresent();
  if (facts.v2Present) {
    facts.v2Artist = v2.Artist();
    facts.v2Title = v2.SongTitle();
    facts.v2Album = v2.Album();
    facts.v2Year = v2.Year();
    facts.v2Comment = v2.Comment();
  }
  return facts;
}

TagListResult BuildTagListPage(const std::string& folderText, PageOptions options, const formats::FormatEnv& env,
                               const std::function<void(int percent)>& progress, const std::atomic<bool>* cancel) {
  std::string folder = folderText;
  core::AddBackslash(folder);
  if (options.folderName.empty()) options.folderName = core::AfterLast(folder, core::Separator);
  const std::vector<std::string> paths = CollectTagListFiles(folder, options.recursive, env.yield);

  TagListResult result;
  result.fileCount = paths.size();
  std::vector<TagRow> rows;
  rows.reserve(paths.size());
  ReadOnceFileSystem once(*env.fs);
  formats::FormatEnv readEnv = env;
  readEnv.fs = &once;
  const double step = paths.empty() ? 0 : 100.0 / static_cast<double>(paths.size());
  for (std::size_t n = 1; n <= paths.size(); ++n) {
    if (cancel != nullptr && cancel->load()) {
      result.cancelled = true;
      return result;
    }
    if (progress) progress(static_cast<int>(core::RoundHalfEven(static_cast<double>(n) * step)));
    const std::string& path = paths[n - 1];
    once.load(path);
    FileFacts facts = ReadFileFacts(path, readEnv);
    once.release();
    result.totalSeconds += facts.length;
    rows.push_back(MergeRow(std::move(facts)));
  }
  result.page = TagListPage(rows, result.totalSeconds, options);
  return result;
}

bool WritePageFile(formats::FileSystem& fs, const std::string& path, const std::string& page) {
  // A work file that a run left when it was cut off is removed by the work file itself.
  formats::WorkFile work(fs, path, ".work");
  return work.ok() && work.write(page) && work.commitAs(path);
}

bool CopyPageFile(formats::FileSystem& fs, const std::string& from, const std::string& to) {
  auto in = fs.openRead(from);
  if (!in) return false;
  formats::WorkFile work(fs, to, ".work");
  return work.ok() && work.copyFrom(*in, 0, in->size(), {}) && work.commitAs(to);
}

}  // namespace reports
