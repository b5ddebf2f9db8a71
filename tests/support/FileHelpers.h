// Whole-file helpers for tests: read, write, list a folder, and an immutable-file guard.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace support {

// Whole files; a file that cannot be read or written fails the test (and gives "", false).
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
std::vector<std::string> FolderEntries(const std::string& folder);  // sorted, without "." and ".."
// Makes a sparse file of the given length (ftruncate), after writing `head` at its start.
bool MakeSparseFile(const std::string& path, const std::string& head, std::uint64_t length);

// chattr +i on a file or folder for its lifetime: even root cannot change it. active(): whether it took.
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
