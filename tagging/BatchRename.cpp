#include "tagging/BatchRename.h"

#include <cerrno>
#include <map>
#include <set>

#include "core/Paths.h"

namespace tagging {

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool Planned(const FileOutcome& entry) { return entry.reason == Reason::Done && !entry.newPath.empty(); }

// A free name in the file's folder for the time between its two renames.
bool MoveAside(formats::FileSystem& fs, const std::string& from, std::string& aside) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    aside = FolderOf(from) + ".tonewright-rename-" + std::to_string(attempt) + "-" + core::FileNameOf(from);
    if (fs.renameNoReplaceUnsynced(from, aside)) return true;
    const int error = errno;
    if (!fs.exists(aside)) {  // not taken, so the rename itself is refused, for the reason it gave
      errno = error;
      return false;
    }
  }
  return false;
}

}  // namespace

RenamePlan PlanRenames(const std::vector<RenameSource>& sources, std::size_t listSize, const DetectList& words,
                       const std::string& separator, formats::FileSystem& fs) {
  RenamePlan plan;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    const RenameSource& source = sources[i];
    FileOutcome entry;
    entry.path = source.path;
    entry.reason = Reason::Skipped;
    if (source.tagFound) {
      const auto name = UsableFileName(NameFromFields(source.fields, words, separator, NumberText(i + 1, listSize)));
      if (!name) {
        entry.reason = Reason::NameNotUsable;
      } else if (FolderOf(source.path) + *name + ".mp3" != source.path) {
        entry.reason = Reason::Done;
        entry.newPath = FolderOf(source.path) + *name + ".mp3";
      }
    }
    plan.push_back(entry);
  }

  // A name is free when no file keeps it at the end: neither a file of the plan that is
  // not renamed, nor any other file. Each refusal keeps one more name, so repeat.
  std::set<std::string> leaving;
  for (const FileOutcome& entry : plan)
    if (Planned(entry)) leaving.insert(entry.path);
  for (bool changed = true; changed;) {
    changed = false;
    std::set<std::string> taken;
    for (FileOutcome& entry : plan) {
      if (!Planned(entry)) continue;
      const bool othersKeepIt = fs.exists(entry.newPath) && leaving.count(entry.newPath) == 0;
      if (othersKeepIt || !taken.insert(entry.newPath).second) {
        entry.reason = Reason::TargetExists;
        leaving.erase(entry.path);
        changed = true;
      }
    }
  }
  return plan;
}

RenamePlan RunRenames(const RenamePlan& plan, formats::FileSystem& fs, const Progress& progress,
                      const CancelToken* cancel) {
  RenamePlan done = plan;
  std::set<std::string> oldNames;
  for (const FileOutcome& entry : plan)
    if (Planned(entry)) oldNames.insert(entry.path);

  // Files whose new name another file of the plan still holds move aside first.
  std::map<std::size_t, std::string> aside;
  for (std::size_t i = 0; i < done.size(); ++i) {
    if (!Planned(done[i]) || oldNames.count(done[i].newPath) == 0) continue;
    std::string temporary;
    if (MoveAside(fs, done[i].path, temporary))
      aside[i] = temporary;
    else
      done[i] = FileOutcome(done[i].path, Reason::NotWritable, done[i].newPath, formats::Status::LastError(done[i].path));
  }
  // Then the files taking names nobody held, and last those that were moved aside.
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < done.size(); ++i) {
      FileOutcome& entry = done[i];
      const auto moved = aside.find(i);
      if (!Planned(entry) || (moved != aside.end()) != (pass == 1)) continue;
      if (pass == 0 && Cancelled(cancel)) {
        entry.reason = Reason::Cancelled;
        entry.newPath.clear();
        continue;
      }
      if (progress) progress(i, done.size());
      const std::string from = moved != aside.end() ? moved->second : entry.path;
      if (fs.renameNoReplaceUnsynced(from, entry.newPath)) continue;
      const formats::Status failed = formats::Status::LastError(entry.path);
      entry.reason = fs.exists(entry.newPath) ? Reason::TargetExists : Reason::NotWritable;
      if (entry.reason == Reason::NotWritable) entry.status = failed;
      entry.newPath.clear();
      if (moved != aside.end() && !fs.renameNoReplaceUnsynced(from, entry.path)) entry.newPath = from;
    }
  }
  // The folder entries reach the disk once for the whole run, not after every rename.
  std::set<std::string> folders;
  for (const FileOutcome& entry : plan)
    if (Planned(entry)) folders.insert(FolderOf(entry.path));
  for (const std::string& folder : folders) fs.syncFolder(folder + ".");
  return done;
}

}  // namespace tagging
