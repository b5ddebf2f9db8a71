#include "tagging/Merge.h"

#include "formats/ID3V111.h"
#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Rewrite.h"
#include "tagging/BatchNames.h"
#include "tagging/TagSaveRules.h"

namespace tagging {

const char* const MergedComment = "merged by Quillmere Tonewright";

namespace {

// The album's work file: a new file that nobody else uses; removed unless kept.
class AlbumWork {
 public:
  AlbumWork(formats::FileSystem& fs, const std::string& intermediate) : fs_(fs) {
    for (int attempt = 0; attempt < 100 && !out_; ++attempt) {
      path_ = intermediate + ".part" + std::to_string(attempt);
      out_ = fs_.createNew(path_);
    }
  }
  ~AlbumWork() {
    out_.reset();
    if (!kept_ && created_()) fs_.remove(path_);
  }
  AlbumWork(const AlbumWork&) = delete;
  AlbumWork& operator=(const AlbumWork&) = delete;

  formats::OutputFile* out() { return out_.get(); }
  const std::string& path() const { return path_; }
  bool finish() {
    const bool finished = out_ && out_->finish();
    out_.reset();
    closed_ = true;
    return finished;
  }
  void keep() { kept_ = true; }

 private:
  bool created_() const { return closed_ || out_ != nullptr; }
  formats::FileSystem& fs_;
  std::string path_;
  std::unique_ptr<formats::OutputFile> out_;
  bool closed_ = false;
  bool kept_ = false;
};

// The audio of a file: behind its ID3v2 tag, before its ID3v1 tag. False when the file
// cannot be read or its ID3v2 tag claims more than the file holds.
bool AudioRange(formats::InputFile& in, std::uint64_t& start, std::uint64_t& end) {
  end = in.size();
  if (formats::HasID3V111Tag(in)) end -= formats::ID3V111TagSize;
  formats::id3v230::SourceBytes bytes;
  bytes.addRange(in, 0, in.size());
  start = 0;
  const formats::id3v230::OldTag tag = formats::id3v230::FindOldTag(bytes, start);
  if (tag == formats::id3v230::OldTag::Damaged) return false;
  if (tag == formats::id3v230::OldTag::None) start = 0;
  if (start > end) start = end;  // a tag reaching into the ID3v1 block leaves no audio
  return true;
}

}  // namespace

EditFields AlbumFields(const EditFields& firstFile, const HoldFlags& holds) {
  EditFields fields = firstFile;
  ClearFields(fields, holds);
  fields.artist = firstFile.artist;
  fields.album = firstFile.album.empty() ? "merged" : firstFile.album;
  fields.title = fields.album;
  fields.year = firstFile.year;
  fields.comment = MergedComment;
  return fields;
}

MergePlan PlanMerge(const std::string& folder, const std::vector<std::string>& names, const std::string& separator,
                    const HoldFlags& holds, const ViewReader& read) {
  MergePlan plan;
  plan.folder = folder;
  plan.intermediate = folder + "_merged.mp3";
  for (std::size_t i = 0; i < names.size(); ++i)
    (i < MergeFileLimit ? plan.sources : plan.leftOut).push_back(folder + names[i]);
  if (plan.sources.empty()) return plan;
  const FileView first = read(plan.sources.front());
  plan.fields = AlbumFields(first.fields, holds);
  const auto name = UsableFileName(AlbumName(first.fields.artist, first.fields.album, first.fields.year, separator));
  if (name) plan.target = folder + *name + ".mp3";
  return plan;
}

MergeResult MergeAlbum(const MergePlan& plan, const formats::FormatEnv& env, const Progress& progress) {
  MergeResult result;
  formats::FileSystem& fs = *env.fs;
  AlbumWork work(fs, plan.intermediate);
  bool written = work.out() != nullptr;
  for (std::size_t i = 0; i < plan.sources.size(); ++i) {
    if (progress) progress(i, plan.sources.size());
    FileOutcome outcome{plan.sources[i], Reason::Done, {}};
    auto in = fs.openRead(plan.sources[i]);
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    if (!in || !AudioRange(*in, start, end)) {
      outcome.reason = Reason::NotReadable;
    } else if (written) {
      written = formats::CopyRange(*in, start, end - start, *work.out(), env.yield);
    }
    result.outcomes.push_back(outcome);
  }
  for (const std::string& path : plan.leftOut) result.outcomes.push_back({path, Reason::LeftOut, {}});
  written = work.finish() && written;
  if (!written) {
    for (FileOutcome& outcome : result.outcomes)
      if (outcome.reason == Reason::Done) outcome.reason = Reason::NotWritable;
    return result;
  }
  result.tagged = SaveTagsToFile(work.path(), plan.fields, {}, env);
  work.keep();
  if (!plan.target.empty() && fs.renameNoReplace(work.path(), plan.target)) {
    result.album = plan.target;
    result.atTarget = true;
  } else if (fs.renameNoReplace(work.path(), plan.intermediate)) {
    result.album = plan.intermediate;
  } else {
    result.album = work.path();
  }
  for (FileOutcome& outcome : result.outcomes)
    if (outcome.reason == Reason::Done) outcome.newPath = result.album;
  return result;
}

std::string MergeNotice(const MergePlan& plan, const MergeResult& result, int languageIndex) {
  const bool english = languageIndex == 1;
  std::string text;
  if (!result.album.empty() && !result.atTarget) {
    if (plan.target.empty())
      text = english ? "The album name cannot be used as a file name." : "Der Albumname ist als Dateiname nicht verwendbar.";
    else
      text = (english ? "A file named " : "Eine Datei namens ") + plan.target +
             (english ? " exists already." : " existiert bereits.");
    text += (english ? "\nThe album is kept as " : "\nDas Album liegt unter ") + result.album +
            (english ? "; no other file was changed." : "; keine andere Datei wurde ge\xC3\xA4ndert.");
  }
  if (!result.album.empty() && !result.tagged)
    text += std::string(text.empty() ? "" : "\n") +
            (english ? "The album could not be tagged." : "Das Album konnte keine Tags erhalten.");
  return text;
}

}  // namespace tagging
