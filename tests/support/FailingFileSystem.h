// A file system that passes everything on to another one, records what goes through it and fails on
// purpose: the Nth operation (with a chosen errno), or every write past a number of bytes (ENOSPC).
// Counted: every call but exists() and removeLeftWorkFiles(), every write and finish of an output file.
#pragma once
#include <cerrno>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "formats/FileIo.h"

namespace support {

class FailingFileSystem final : public formats::FileSystem {
 public:
  explicit FailingFileSystem(formats::FileSystem& inner = formats::FileSystem::standard()) : inner_(inner) {}

  // Makes operation number n (counted from 1) fail with the error number `error` in errno; 0 fails none.
  void failAt(int n, int error = EIO) { s_.failAt = n, s_.failError = error; }
  // Every write fails once `bytes` bytes are written; the one that crosses the limit stores those up to it.
  void diskFullAfter(std::uint64_t bytes) { s_.diskLimited = true, s_.diskLimit = bytes; }
  // Runs `action` once, just before the first operation named `operation` ("createNew", "replace", ...).
  void before(std::string operation, std::function<void()> action) {
    s_.beforeOperation = std::move(operation), s_.beforeAction = std::move(action);
  }
  void reset() { s_ = State{}; }  // no failure planned, nothing recorded
  // Runs at the start of every counted operation, on the thread that makes it; reset() keeps it.
  void beforeOperation(std::function<void()> hook) { before_ = std::move(hook); }

  int operations() const { return s_.operations; }
  bool failed() const { return s_.failed; }
  const std::string& failedOperation() const { return s_.failedOperation; }
  std::uint64_t bytesWritten() const { return s_.bytesWritten; }
  std::uint64_t largestRead() const { return s_.largestRead; }
  std::uint64_t totalRead() const { return s_.totalRead; }
  std::uint64_t largestWrite() const { return s_.largestWrite; }
  // The paths of the files created, in order.
  const std::vector<std::string>& created() const { return s_.created; }

  using Path = std::string;
  std::unique_ptr<formats::InputFile> openRead(const Path& path) override;
  std::unique_ptr<formats::OutputFile> createNew(const Path& path) override { return createNewLike(path, ""); }
  std::unique_ptr<formats::OutputFile> createNewLike(const Path& path, const Path& model) override;
  std::unique_ptr<formats::OutputFile> createWork(const Path& path, const Path& model) override;
  void removeLeftWorkFiles(const Path& folder) override { inner_.removeLeftWorkFiles(folder); }
  std::unique_ptr<formats::OutputFile> openAppend(const Path& path) override {
    return countAndPass("openAppend") ? wrap(inner_.openAppend(path)) : nullptr;
  }
  bool replace(const Path& from, const Path& to) override { return countAndPass("replace") && inner_.replace(from, to); }
  bool replaceUnsynced(const Path& from, const Path& to) override {
    return countAndPass("replace") && inner_.replaceUnsynced(from, to);
  }
  bool renameNoReplace(const Path& from, const Path& to) override {
    return countAndPass("renameNoReplace") && inner_.renameNoReplace(from, to);
  }
  bool remove(const Path& path) override { return countAndPass("remove") && inner_.remove(path); }
  bool exists(const Path& path) override {
    if (before_) before_();  // a question, not a step: never counted, never failed
    return inner_.exists(path);
  }
  bool truncate(const Path& path, std::uint64_t n) override { return countAndPass("truncate") && inner_.truncate(path, n); }

  // Used by the files it hands out. diskRoom: how many of n bytes the disk still takes.
  bool countAndPass(const char* operation);
  std::size_t diskRoom(std::size_t n) const;
  void noteRead(std::size_t n);
  void noteWritten(std::size_t n);
  void noteDiskFull() { s_.failed = true, s_.failedOperation = "disk full", errno = ENOSPC; }

 private:
  struct State {
    int failAt = 0, failError = EIO, operations = 0;
    std::string beforeOperation, failedOperation;
    std::function<void()> beforeAction;
    bool failed = false, diskLimited = false;
    std::uint64_t diskLimit = 0, bytesWritten = 0, largestRead = 0, totalRead = 0, largestWrite = 0;
    std::vector<std::string> created;
  };
  std::unique_ptr<formats::OutputFile> wrap(std::unique_ptr<formats::OutputFile> file);

  formats::FileSystem& inner_;
  std::function<void()> before_;
  State s_;
};

}  // namespace support
