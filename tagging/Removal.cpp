#include "tagging/Removal.h"

#include <cerrno>
#include <utility>

#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"
#include "tagging/TagSaveRules.h"

namespace tagging {

namespace {

bool HasID3V111(formats::FileSystem& fs, const std::string& path) {
  auto in = fs.openRead(path);
  return in && formats::HasID3V111Tag(*in);
}

// Any ID3v2 version is removed, also one the reader cannot take apart.
bool StartsWithID3V2(formats::FileSystem& fs, const std::string& path) {
  auto in = fs.openRead(path);
  char magic[3];
  return in && in->readAt(0, magic, sizeof magic) && std::string(magic, 3) == "ID3";
}

}  // namespace

RemovalStep PlanRemoval(const std::string& path, RemoveWhat what, int pictureType, const ViewReader& read,
                        formats::FileSystem& fs) {
  RemovalStep step;
  step.outcome.path = path;
  step.outcome.reason = Reason::Skipped;
  if (!fs.openRead(path)) {
    step.outcome.reason = Reason::NotReadable;
    return step;
  }
  if (what == RemoveWhat::Picture) {
    step.view = read(path);
    for (std::size_t i = 1; i < step.view.pictures.size() && step.picture == 0; ++i) {
      if (step.view.pictures[i].PicType == pictureType) step.picture = static_cast<int>(i);
    }
    if (step.picture == 0) return step;
    step.outcome.reason = step.view.complete ? Reason::Done : Reason::NotReadable;
    return step;
  }
  step.id3v111 = what != RemoveWhat::ID3V230 && HasID3V111(fs, path);
  step.id3v230 = what != RemoveWhat::ID3V111 && StartsWithID3V2(fs, path);
  if (step.id3v111 || step.id3v230) step.outcome.reason = Reason::Done;
  return step;
}

std::vector<FileOutcome> RemoveTags(const std::vector<std::string>& paths, RemoveWhat what, int pictureType,
                                    const ViewReader& read, const formats::FormatEnv& env,
                                    const Progress& progress, bool dryRun, const SavePolicy& policy,
                                    const CancelToken* cancel) {
  std::vector<FileOutcome> outcomes;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (Cancelled(cancel)) {
      outcomes.push_back({paths[i], Reason::Cancelled, {}});
      continue;
    }
    if (progress) progress(i, paths.size());
    RemovalStep step = PlanRemoval(paths[i], what, pictureType, read, *env.fs);
    if (step.outcome.reason == Reason::Done && !dryRun) {
      formats::Status& status = step.outcome.status;
      if (step.picture > 0) {
        std::vector<core::PictureRecord> kept = step.view.pictures;
        kept.erase(kept.begin() + step.picture);
        if (ID3V111TrackNumber(step.view.fields.track).verdict == TrackVerdict::Refuse) {
          outcomes.push_back({paths[i], Reason::TrackOutOfRange, {}});
          continue;
        }
        status = SaveTagsToFile(paths[i], step.view.fields, kept, env, policy, &step.view.shown);
      }
      if (step.id3v111) {
        formats::clsID3V111Writer writer(env);
        formats::Status removed = writer.RemoveID3V111Tag(paths[i]);
        if (removed && HasID3V111(*env.fs, paths[i])) removed = formats::Status::Io(EIO, paths[i]);
        if (status) status = std::move(removed);
      }
      if (step.id3v230) {
        formats::clsID3V230Writer writer(env);
        formats::Status removed = writer.RemoveID3V230Tag(paths[i]);
        if (status) status = std::move(removed);
      }
      if (!status) step.outcome.reason = Reason::NotWritable;
    }
    outcomes.push_back(step.outcome);
  }
  return outcomes;
}

}  // namespace tagging
