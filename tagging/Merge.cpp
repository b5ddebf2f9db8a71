#include "tagging/Merge.h"

#include <algorithm>
#include <memory>

#include "core/Paths.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "formats/ID3V230Layout.h"
#include "formats/ID3V230Rewrite.h"
#include "formats/MP3VbrFrame.h"
#include "tagging/BatchNames.h"
#include "tagging/TagSaveRules.h"

namespace tagging {

const char* const MergedComment = "merged by Quillmere Tonewright";

namespace {

// The audio of a file: behind its ID3v2 tag and behind a VBR frame (Xing, Info, VBRI) at
// its start, before its ID3v1 tag. A VBR frame counts the frames of its own file only: left
// in, the first one would make the album as long as its first file to every player. False
// when the file cannot be read or its ID3v2 tag claims more than the file holds.
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
  unsigned char frame[formats::VbrFrameBytes];
  const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(end - start, sizeof frame));
  if (!in.readAt(start, frame, n)) return false;
  const std::size_t vbrFrame = formats::VbrFrameLength(frame, n);
  if (vbrFrame <= end - start) start += vbrFrame;
  return true;
}

// Copies length bytes from offset in pieces that stay in the processor's cache (one
// buffer for the whole album), letting the interface run after every CopyPiece bytes.
bool CopyAudio(formats::InputFile& in, std::uint64_t offset, std::uint64_t length, formats::WorkFile& work,
               std::vector<char>& buffer, std::uint64_t& sinceYield, const formats::FormatEnv& env) {
  while (length > 0) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(length, buffer.size()));
    if (!in.readAt(offset, buffer.data(), n) || !work.write(buffer.data(), n)) return false;
    offset += n;
    length -= n;
    sinceYield += n;
    if (sinceYield >= formats::CopyPiece) {
      env.yieldNow();
      sinceYield = 0;
    }
  }
  return true;
}

constexpr std::size_t AudioPiece = 256 * 1024;

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

MergeResult MergeAlbum(const MergePlan& plan, const formats::FormatEnv& env, const Progress& progress,
                       const CancelToken* cancel) {
  MergeResult result;
  formats::FileSystem& fs = *env.fs;
  fs.removeLeftWorkFiles(plan.folder);  // what a killed run left
  for (const std::string& path : plan.leftOut) result.outcomes.push_back({path, Reason::LeftOut, {}});
  const auto failAll = [&result](Reason reason) {
    for (FileOutcome& outcome : result.outcomes)
      if (outcome.reason == Reason::Done) outcome.reason = reason;
  };

  // The tags are rendered first, so the album is written in one pass: tag, audio, tag.
  formats::clsID3V111Writer v1(env);
  formats::clsID3V230Writer v2(env);
  formats::id3v230::PreparedTag tag;
  result.tagged = ConfigureWriters(plan.fields, {}, fs, v1, v2) && v2.PrepareTag(tag);

  std::unique_ptr<formats::WorkFile> work;
  for (int attempt = 0; attempt < 100 && !(work && work->ok()); ++attempt)
    work = std::make_unique<formats::WorkFile>(fs, plan.intermediate, ".part" + std::to_string(attempt));
  bool written = work->ok() && (!result.tagged || tag.writeTo(*work, env.yield));

  std::vector<FileOutcome> sources;
  std::vector<char> buffer(AudioPiece);
  std::uint64_t sinceYield = 0;
  for (std::size_t i = 0; i < plan.sources.size(); ++i) {
    if (Cancelled(cancel)) {
      for (const std::string& path : plan.sources) result.outcomes.push_back({path, Reason::Cancelled, {}});
      return result;  // the work file goes with `work`
    }
    if (progress) progress(i, plan.sources.size());
    FileOutcome outcome{plan.sources[i], Reason::Done, {}};
    auto in = fs.openRead(plan.sources[i]);
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    if (!in || !AudioRange(*in, start, end))
      outcome.reason = Reason::NotReadable;
    else if (written)
      written = CopyAudio(*in, start, end - start, *work, buffer, sinceYield, env);
    sources.push_back(outcome);
  }
  result.outcomes.insert(result.outcomes.begin(), sources.begin(), sources.end());
  if (written && result.tagged) written = work->write(v1.BuildTagBlock());
  if (!written) {
    failAll(Reason::NotWritable);
    return result;
  }
  // Never over an existing file: the album's name, else the intermediate name, else a
  // numbered one beside it.
  std::vector<std::string> names;
  if (!plan.target.empty()) names.push_back(plan.target);
  names.push_back(plan.intermediate);
  for (int n = 1; n < 100; ++n) names.push_back(core::StripExtension(plan.intermediate) + "-" + std::to_string(n) + ".mp3");
  for (const std::string& name : names) {
    if (!work->commitAsNew(name)) continue;
    result.album = name;
    result.atTarget = name == plan.target;
    break;
  }
  if (result.album.empty()) failAll(Reason::NotWritable);
  for (FileOutcome& outcome : result.outcomes)
    if (outcome.reason == Reason::Done) outcome.newPath = result.album;
  return result;
}

}  // namespace tagging
