// A fresh folder per test, removed with everything in it at the end (immutable
// attributes that a test set are cleared first).
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace coretest {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = TempBase() + "/tonewright-core-test-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) != nullptr) path_ = std::string(buffer.data()) + "/";
    EXPECT_FALSE(path_.empty()) << "no temporary folder";
  }
  ~TempFolder() {
    if (path_.empty()) return;
    for (const auto& locked : immutable_) Unlock(locked);
    nftw(path_.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending with '/'.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

  // Makes a path immutable with chattr +i (then even root cannot change it); false when
  // the file system or the tools do not allow it.
  bool Lock(const std::string& target) {
    if (std::system(("chattr +i '" + target + "' 2>/dev/null").c_str()) != 0) return false;
    immutable_.push_back(target);
    return true;
  }
  static void Unlock(const std::string& target) {
    (void)std::system(("chattr -i '" + target + "' 2>/dev/null").c_str());
  }

 private:
  static std::string TempBase() {
    const char* base = std::getenv("TMPDIR");
    return (base != nullptr && base[0] == '/') ? std::string(base) : std::string("/tmp");
  }
  static int RemoveOne(const char* path, const struct stat*, int, struct FTW*) {
    ::remove(path);
    return 0;
  }

  std::string path_;
  std::vector<std::string> immutable_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names in a folder, sorted, "." and ".." left out.
inline std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name(entry->d_name);
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace coretest
