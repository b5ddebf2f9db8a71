// A file system that fails on purpose: the Nth operation, or every write once a number
// of bytes has been written (a full disk). Everything else goes to the wrapped one.
//
// Counted operations, one each: openRead, createNew (and createNewLike), openAppend,
// replace, remove, truncate, and on an opened output file every write and finish.
// exists() is not counted. A failed write stores half of its bytes first, the way a
// real short write leaves a partial file behind.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "formats/FileIo.h"

namespace support {

class FailingFileSystem final : public formats::FileSystem {
 public:
  explicit FailingFileSystem(formats::FileSystem& inner = formats::FileSystem::standard());

  // Makes operation number n (counted from 1) fail; 0 fails none.
  void failAt(int n) { failAt_ = n; }
  // Every write fails once `bytes` bytes have been written through this file system;
  // the write that crosses the limit stores the bytes up to it.
  void diskFullAfter(std::uint64_t bytes) {
    diskLimited_ = true;
    diskLimit_ = bytes;
  }
  // Back to counting from zero, with no failure planned.
  void reset();

  int operations() const { return operations_; }
  bool failed() const { return failed_; }
  // The name of the operation that failed ("write", "replace", ...), or "".
  const std::string& failedOperation() const { return failedOperation_; }
  std::uint64_t bytesWritten() const { return bytesWritten_; }

  std::unique_ptr<formats::InputFile> openRead(const std::string& path) override;
  std::unique_ptr<formats::OutputFile> createNew(const std::string& path) override;
  std::unique_ptr<formats::OutputFile> createNewLike(const std::string& path, const std::string& model) override;
  std::unique_ptr<formats::OutputFile> openAppend(const std::string& path) override;
  bool replace(const std::string& from, const std::string& to) override;
  bool remove(const std::string& path) override;
  bool exists(const std::string& path) override;
  bool truncate(const std::string& path, std::uint64_t length) override;

  // Used by the output files it hands out.
  bool countAndPass(const char* operation);
  // How many of n bytes the disk still takes.
  std::size_t diskRoom(std::size_t n) const;
  void noteWritten(std::size_t n) { bytesWritten_ += n; }
  void noteDiskFull() {
    failed_ = true;
    failedOperation_ = "disk full";
  }

 private:
  formats::FileSystem& inner_;
  int failAt_ = 0;
  int operations_ = 0;
  bool failed_ = false;
  std::string failedOperation_;
  bool diskLimited_ = false;
  std::uint64_t diskLimit_ = 0;
  std::uint64_t bytesWritten_ = 0;
};

}  // namespace support
