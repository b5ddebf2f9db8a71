// Whole-file helpers for tests: read, write, list a folder, and an immutable-file guard.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace support {

// The bytes of a file; a file that cannot be read is reported to GoogleTest and gives "".
std::string ReadFileBytes(const std::string& path);
// Creates or overwrites a file with exactly these bytes; false (and a GoogleTest
// failure) when that is not possible.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder);
// Makes a sparse file of the given length (ftruncate), after writing `head` at its start.
bool MakeSparseFile(const std::string& path, const std::string& head, std::uint64_t length);

// Sets the immutable attribute (chattr +i) on a file or folder for its lifetime, so that
// even root cannot change it. active() is false where the file system does not support it.
class ImmutableGuard {
 public:
  explicit ImmutableGuard(std::string path);
  ~ImmutableGuard();
  ImmutableGuard(const ImmutableGuard&) = delete;
  ImmutableGuard& operator=(const ImmutableGuard&) = delete;
  bool active() const { return active_; }

 private:
  std::string path_;
  bool active_ = false;
};

}  // namespace support
