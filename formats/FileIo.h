// File access for the format classes. Every read, write, rename and removal goes
// through a FileSystem, so that tests can make any single step fail. A step that fails
// leaves the reason in errno, as the system calls do (ENOSPC, EROFS, EPERM, ENOENT ...):
// the caller takes it into a Status right away.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "formats/Status.h"

namespace formats {

using YieldHook = std::function<void()>;              // lets the interface process pending events
using NoticeHook = std::function<void(const std::string&)>;  // the one message of the format classes

// Largest piece of a copy; the yield hook runs after each piece.
constexpr std::size_t CopyPiece = 2097152;

class InputFile {
 public:
  virtual ~InputFile() = default;
  virtual std::uint64_t size() const = 0;
  // Reads exactly n bytes at offset; false on a short read or an error.
  virtual bool readAt(std::uint64_t offset, void* buffer, std::size_t n) = 0;
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool write(const void* data, std::size_t n) = 0;
  // Flushes to the disk and closes; false when any write could not be completed.
  virtual bool finish() = 0;
  // Closes without waiting for the disk: for files that only live until the program moves on.
  virtual bool finishUnsynced() { return finish(); }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // nullptr when the file cannot be opened for reading (missing, a folder, unreadable).
  virtual std::unique_ptr<InputFile> openRead(const std::string& path) = 0;
  // Creates a new file, failing when one of that name exists (no following of links).
  virtual std::unique_ptr<OutputFile> createNew(const std::string& path) = 0;
  // Like createNew, but the new file takes the permission bits (and, where allowed, the
  // owner) of `model`, so that a file rewritten through a work file keeps them. A missing
  // model gives the defaults of createNew.
  virtual std::unique_ptr<OutputFile> createNewLike(const std::string& path, const std::string& model) {
    (void)model;
    return createNew(path);
  }
  // Creates a work file as createNewLike does and holds a lock on it until the returned
  // file is destroyed (its finish() flushes but keeps the lock), so that
  // removeLeftWorkFiles never takes a work file that is still being written.
  virtual std::unique_ptr<OutputFile> createWork(const std::string& path, const std::string& model) {
    return createNewLike(path, model);
  }
  // Removes the work files (IsWorkFileName) of the folder that no process holds any more:
  // those left behind by a run that was killed. Best effort; a folder text may end in "/".
  virtual void removeLeftWorkFiles(const std::string& folder) { (void)folder; }
  // Opens an existing file for writing at its end.
  virtual std::unique_ptr<OutputFile> openAppend(const std::string& path) = 0;
  // Atomically gives `from` the name `to`, replacing a file of that name.
  virtual bool replace(const std::string& from, const std::string& to) = 0;
  // The same without waiting for the folder to reach the disk (temporary files).
  virtual bool replaceUnsynced(const std::string& from, const std::string& to) { return replace(from, to); }
  // Gives `from` the name `to` only when no file of that name exists (checked and done
  // in one step by the system, so no file is replaced unasked). False otherwise.
  virtual bool renameNoReplace(const std::string& from, const std::string& to) = 0;
  // As renameNoReplace, but the folder is not flushed to the disk after each rename: many
  // renames in one folder end with one syncFolder.
  virtual bool renameNoReplaceUnsynced(const std::string& from, const std::string& to) {
    return renameNoReplace(from, to);
  }
  // Flushes the entries of the folder that holds path to the disk (best effort).
  virtual void syncFolder(const std::string& path) { (void)path; }
  virtual bool remove(const std::string& path) = 0;
  virtual bool exists(const std::string& path) = 0;
  // Cuts the file to length bytes.
  virtual bool truncate(const std::string& path, std::uint64_t length) = 0;

  // The real file system (POSIX calls).
  static FileSystem& standard();
};

// openRead and createNew with the reason of a failure in `status` (an Io status naming path).
std::unique_ptr<InputFile> OpenRead(FileSystem& fs, const std::string& path, Status& status);
std::unique_ptr<OutputFile> CreateNew(FileSystem& fs, const std::string& path, Status& status);

// The name of a work file for target: hidden (a leading ".") and ending in WorkFileMark,
// so that no listing and no player takes it for an MP3 file, and removeLeftWorkFiles
// knows it: "/music/a.mp3" with the suffix ".new" gives "/music/.a.mp3.new.tonewright".
// A name too long for the folder loses the end of its stem.
constexpr char WorkFileMark[] = ".tonewright";
std::string WorkFilePath(const std::string& target, const std::string& suffix);
// Whether a folder entry's name is that of a work file.
bool IsWorkFileName(const std::string& name);

// A work file beside its target, under the hidden name of WorkFilePath: written
// completely, then renamed over the target by commit(). Dropped without commit() it is
// removed, so a failure never leaves one behind and never touches the target. It is held
// (see FileSystem::createWork) from its creation until it has its new name or is gone.
// When its name is taken by a work file that a killed run left, the folder's left work
// files are removed and the name is tried once more.
class WorkFile {
 public:
  WorkFile(FileSystem& fs, std::string target, const std::string& suffix);
  ~WorkFile();
  WorkFile(const WorkFile&) = delete;
  WorkFile& operator=(const WorkFile&) = delete;

  bool ok() const { return out_ != nullptr && ok_; }
  // Why the work file failed (its creation, a write, the flush or the rename); Ok while it has not.
  const Status& status() const { return status_; }
  const std::string& path() const { return path_; }
  bool write(const void* data, std::size_t n);
  bool write(const std::string& bytes) { return write(bytes.data(), bytes.size()); }
  // Copies length bytes of in from offset, in pieces of at most CopyPiece, yielding after each.
  bool copyFrom(InputFile& in, std::uint64_t offset, std::uint64_t length, const YieldHook& yield);
  // Flushes, closes and renames the work file over the target (or onto newTarget). A
  // target that vanished meanwhile fails with ENOENT.
  Status commit();
  Status commitAs(const std::string& newTarget);
  // Closes and renames onto newTarget without syncing file or folder: for temporary files,
  // which no data depends on.
  bool commitTemporaryAs(const std::string& newTarget);
  // Flushes and closes the work file (once) and gives it the name newTarget only when no
  // file has that name. After a refusal another name may be tried; a work file that
  // never takes a name is removed.
  bool commitAsNew(const std::string& newTarget);

 private:
  FileSystem& fs_;
  std::string target_;
  std::string path_;
  std::unique_ptr<OutputFile> out_;
  bool ok_ = true;
  Status status_;
  bool finished_ = false;  // flushed by commit, not yet renamed
  bool done_ = false;
  bool commitTo(const std::string& newTarget, bool durable);
  bool fail(int error);  // keeps the first failure's reason; false
};

// Copies a range of one input file to an output file in pieces, yielding after each.
bool CopyRange(InputFile& in, std::uint64_t offset, std::uint64_t length, OutputFile& out,
               const YieldHook& yield);

// The environment every format class is built with: the file system, the yield hook and
// the notice hook. Default: the real file system and no hooks.
struct FormatEnv {
  FileSystem* fs = &FileSystem::standard();
  YieldHook yield;
  NoticeHook notice;
  void yieldNow() const {
    if (yield) yield();
  }
};

}  // namespace formats
