// What a batch run did with each file: every run (tags from names, names from tags,
// removal, merge) ends with one list of outcomes, so that a file it could not change is
// named with its reason instead of passing for done.
#pragma once
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "formats/Status.h"

namespace tagging {

enum class Reason {
  Done,            // changed as asked
  Skipped,         // left alone on purpose (no tag to rename from, already tagged ...)
  NotWritable,     // the file could not be written or renamed
  TargetExists,    // the new name is taken by another file
  NameNotUsable,   // the name built from the tags is empty, "." or ".."
  TrackOutOfRange, // the track number does not fit the ID3v1.1 tag (0..255)
  NotReadable,     // the file could not be read (gone, a folder, a damaged tag)
  LeftOut,         // beyond the number of files a merge joins
  Cancelled,       // not begun: the run was stopped before this file
};

struct FileOutcome {
  // Built as {path, reason, newPath}: the status is added where a write failed.
  FileOutcome(std::string path = {}, Reason reason = Reason::Done, std::string newPath = {},
              formats::Status status = {})
      : path(std::move(path)), reason(reason), newPath(std::move(newPath)), status(std::move(status)) {}
  std::string path;  // the file as it was named when the run began
  Reason reason = Reason::Done;
  std::string newPath;  // a rename's new name, a merge's album file
  formats::Status status;  // why a file could not be written: the system's error, a refusal ...
};

// Called before file `index` of `count` is worked on; may let the interface run.
using Progress = std::function<void(std::size_t index, std::size_t count)>;

// A request to stop a run, made from another thread or a signal handler (Cancel, Ctrl+C).
// A run looks at it between two files only, so no file is ever left half-done; the files
// it did not begin get Reason::Cancelled.
class CancelToken {
 public:
  void cancel() { requested_.store(true); }
  bool cancelled() const { return requested_.load(); }

 private:
  std::atomic<bool> requested_{false};
};

inline bool Cancelled(const CancelToken* cancel) { return cancel != nullptr && cancel->cancelled(); }

// The outcomes that are failures (everything but Done and Skipped).
std::vector<FileOutcome> Failures(const std::vector<FileOutcome>& outcomes);

}  // namespace tagging
