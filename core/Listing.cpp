// Folder listing: the plain code that stands in for the hidden folder and file lists.
#include "core/Paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace core {

namespace {

// File names are native bytes (UTF-8 as a rule): only ASCII letters are folded, so a
// multi-byte character is never taken apart.
unsigned char FoldAscii(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 0x20) : u;
}

// The key of the name order: the name with its ASCII letters folded. Names compare by their
// keys, and names of one key by their own bytes.
std::string FoldedName(std::string name) {
  for (char& c : name) c = static_cast<char>(FoldAscii(c));
  return name;
}

bool EndsWithMp3(const std::string& name) {
  static const std::string extension = ".mp3";
  if (name.size() < extension.size()) return false;
  const auto start = name.size() - extension.size();
  for (std::string::size_type i = 0; i < extension.size(); ++i) {
    if (FoldAscii(name[start + i]) != static_cast<unsigned char>(extension[i])) return false;
  }
  return true;
}

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

// The entry names of a folder (without "." and "..") that the test accepts, sorted.
std::vector<std::string> ListEntries(const std::string& folder,
                                     const std::function<bool(int dirFd, const dirent& entry)>& accept) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
  if (!dir) return names;
  const int fd = dirfd(dir.get());
  while (const dirent* entry = readdir(dir.get())) {
    std::string name(entry->d_name);
    if (name != "." && name != ".." && accept(fd, *entry)) names.push_back(std::move(name));
  }
  // The order of NameLess, with each key made once rather than in every comparison.
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& name : names) keyed.emplace_back(FoldedName(name), std::move(name));
  std::sort(keyed.begin(), keyed.end());
  for (std::size_t i = 0; i < keyed.size(); ++i) names[i] = std::move(keyed[i].second);
  return names;
}

}  // namespace

bool NameLess(const std::string& a, const std::string& b) {
  const int byKey = FoldedName(a).compare(FoldedName(b));
  return byKey != 0 ? byKey < 0 : a < b;  // same name but for letter case: the bytes decide
}

std::vector<std::string> ListMp3Files(const std::string& folder) {
  return ListEntries(folder, [](int dirFd, const dirent& entry) {
    if (!EndsWithMp3(entry.d_name)) return false;
    // Most file systems say what an entry is: only links and the unknown cost a stat.
    if (entry.d_type == DT_REG) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    // A link to a file is listed like the file; a folder named x.mp3 is no file.
    return fstatat(dirFd, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
  });
}

std::vector<std::string> ListSubFolders(const std::string& folder) { return ListSubFolders(folder, false); }

std::vector<std::string> ListSubFolders(const std::string& folder, bool followLinks) {
  // Without following, a link back up the tree cannot make a recursive walk endless.
  const int flags = followLinks ? 0 : AT_SYMLINK_NOFOLLOW;
  return ListEntries(folder, [flags](int dirFd, const dirent& entry) {
    if (entry.d_type == DT_DIR) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    return fstatat(dirFd, entry.d_name, &info, flags) == 0 && S_ISDIR(info.st_mode);
  });
}

}  // namespace core
