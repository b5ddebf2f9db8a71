// The undo journal: before a run changes files, each file's old tag bytes (the ID3v2 tags
// at its start, the ID3v1 tag at its end) and its name are written to the journal; after
// the run, what it left (new names, trashed files, created files, each with size and
// modification time). Undo takes the last complete run back: old tags around the file's
// current audio, old names, created files to the trash. The audio is never copied.
//
// A run is two files in the journal folder, both written through a work file: "<n>.snap"
// (written at begin) and "<n>.done" (at finish). A run killed before its finish has no
// ".done" and is never undone; a record killed while it is written stays a hidden work
// file, which no listing takes for a run.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "tagging/BatchResult.h"

namespace tagging {

struct JournalLimits {
  std::size_t runs = 20;
  std::uint64_t bytes = 200ull * 1024 * 1024;
};

// $XDG_DATA_HOME/tonewright/journal/ (XDG_DATA_HOME defaults to ~/.local/share).
std::string DefaultJournalFolder();

// Size and modification time of a file as a run left it; `present` false for a missing file.
struct FileStamp {
  bool present = false;
  std::uint64_t size = 0;
  std::int64_t seconds = 0;
  std::int64_t nanoseconds = 0;
  bool operator==(const FileStamp& other) const {
    return present == other.present && size == other.size && seconds == other.seconds &&
           nanoseconds == other.nanoseconds;
  }
  bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
FileStamp StampOf(const std::string& path);

// Moves a file to a trash folder; gives the path it has there. The window hands in the
// desktop's trash, the command line the home trash of MoveToHomeTrash.
using TrashMove = std::function<bool(const std::string& path, std::string& trashedPath)>;
// The freedesktop.org home trash ($XDG_DATA_HOME/Trash): the file renamed into files/,
// with its .trashinfo in info/. Only within one file system, as a rename.
bool MoveToHomeTrash(const std::string& path, std::string& trashedPath);
// The .trashinfo of a file in a trash's files/ folder.
std::string TrashInfoOf(const std::string& trashedPath);

class Journal;

// One run being recorded. Files named in begin() are snapshot; the front end tells what
// the run renamed, trashed and created, and finish() writes the record that makes the run
// undoable; it needs not the Journal object, which may be gone by then. A run that could not be recorded (journal not writable, snapshot beyond the
// byte limit) is not `recorded()`: its calls do nothing.
class JournalRun {
 public:
  JournalRun() = default;
  bool recorded() const { return fs_ != nullptr; }
  void renamed(const std::string& from, const std::string& to);
  void trashed(const std::string& path, const std::string& trashedPath);
  void created(const std::string& path);
  // Records the stamps of what the run left; true when the run can be undone.
  bool finish();
  // Drops the record of a run that changed nothing (a save refused, a rename that failed).
  void abandon();

 private:
  friend class Journal;
  formats::FileSystem* fs_ = nullptr;
  std::string record_;               // the journal folder and the run's number

  std::vector<std::string> before_;  // the files as named at begin
  std::vector<std::string> after_;   // their names after the run
  std::vector<std::string> trashedAs_;
  std::vector<std::string> created_;
  bool finished_ = false;
};

// The renames of a rename run's outcomes (every outcome with a new name).
void RecordRenames(JournalRun& run, const std::vector<FileOutcome>& outcomes);

struct JournalListing {
  std::string name;  // the run's number
  std::string title;
  std::int64_t time = 0;  // seconds since 1970 at begin
  std::size_t files = 0;
  bool complete = false;
};

struct UndoResult {
  bool found = false;  // a complete run was there to undo
  std::string title;
  std::vector<std::string> restored;   // files as they are named again
  std::vector<std::string> changed;    // changed since the run: left alone
  std::vector<std::string> failed;     // could not be restored (a name taken, not writable)
  std::vector<std::string> trashed;    // files the run created, now in the trash
};

class Journal {
 public:
  explicit Journal(std::string folder = DefaultJournalFolder(), JournalLimits limits = {},
                   formats::FileSystem& fs = formats::FileSystem::standard());
  // Snapshots the files before the run; missing files are left out. The files of
  // keptWhole (a playlist the run replaces) are kept whole, not only their tags.
  JournalRun begin(const std::string& title, const std::vector<std::string>& files,
                   const std::vector<std::string>& keptWhole = {});
  // The runs, oldest first.
  std::vector<JournalListing> list() const;
  // Takes back the last complete run (dryRun: says what it would do, changes nothing).
  UndoResult undoLast(const TrashMove& trash, bool dryRun = false);
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
  JournalLimits limits_;
  formats::FileSystem& fs_;
  void prune(const std::string& keep);
};

}  // namespace tagging
