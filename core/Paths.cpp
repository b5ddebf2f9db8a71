#include "core/Paths.h"

#include "core/Texts.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace core {

namespace {

bool IsRoot(const std::string& path) { return path == "/"; }

// The working folder, for making a relative path absolute; empty when it cannot be had.
std::string WorkingFolder() {
  std::vector<char> buffer(PATH_MAX + 1);
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 4);
  }
  return std::string();
}

// Drops empty and "." elements and lets ".." take away the element before it, on the
// text alone: a symbolic link stays the name the user gave.
std::string NormaliseAbsolute(const std::string& absolute) {
  std::vector<std::string> elements;
  std::string::size_type start = 0;
  while (start <= absolute.size()) {
    auto end = absolute.find(Separator, start);
    if (end == std::string::npos) end = absolute.size();
    const std::string element = absolute.substr(start, end - start);
    if (element == "..") {
      if (!elements.empty()) elements.pop_back();
    } else if (!element.empty() && element != ".") {
      elements.push_back(element);
    }
    start = end + 1;
  }
  std::string result;
  for (const auto& element : elements) result += Separator + element;
  return result.empty() ? std::string(1, Separator) : result;
}

bool StartsWordInPath(char previous) {
  return previous == ' ' || previous == '-' || previous == '(' || previous == '_' || previous == '\\' ||
         previous == Separator;
}

}  // namespace

std::string& AddBackslash(std::string& path) {
  if (path.empty() || path.back() != Separator) path += Separator;
  return path;
}

std::string RemoveBackslash(const std::string& path) {
  // The root keeps its separator: without it the text would name no folder at all.
  if (IsRoot(path) || path.empty() || path.back() != Separator) return path;
  return path.substr(0, path.size() - 1);
}

std::string ParentFolder(const std::string& path) {
  std::string text = RemoveBackslash(path);
  const auto last = text.rfind(Separator);
  if (last == std::string::npos) return AddBackslash(text);
  if (last == 0) return std::string(1, Separator);  // the root is its own parent
  text.erase(last);
  return AddBackslash(text);
}

std::string FileNameOf(const std::string& path) {
  const std::string text = RemoveBackslash(path);
  if (IsRoot(text)) return text;
  const auto last = text.rfind(Separator);
  return last == std::string::npos ? text : text.substr(last + 1);
}

std::string AfterLast(const std::string& text, char search) {
  const std::string trimmed = RemoveBackslash(text);
  if (IsRoot(trimmed)) return trimmed;  // the root's name is "/", as a drive root's is "C:"
  const auto last = trimmed.rfind(search);
  return last == std::string::npos ? trimmed : trimmed.substr(last + 1);
}

std::string StripExtension(const std::string& text) {
  const auto dot = text.rfind('.');
  if (dot == std::string::npos || dot + 1 == text.size()) return text;
  return text.substr(0, dot);
}

std::string LongPath(const std::string& path) {
  struct stat info {};
  if (path.empty() || lstat(path.c_str(), &info) != 0) return path;
  std::string absolute = path;
  if (absolute.front() != Separator) {
    const std::string here = WorkingFolder();
    if (here.empty()) return path;
    absolute = here + Separator + absolute;
  }
  std::string normal = NormaliseAbsolute(absolute);
  // ".." after a symbolic link may lead elsewhere on the text than on the disk; a form
  // that names nothing is no long form.
  if (lstat(normal.c_str(), &info) != 0) return path;
  if (path.back() == Separator) AddBackslash(normal);
  return normal;
}

std::string WordCapitals(const std::string& text) {
  std::string result(text);
  for (std::string::size_type i = 0; i < result.size(); ++i) {
    result[i] = (i == 0 || StartsWordInPath(result[i - 1])) ? UpperLatin1(result[i]) : LowerLatin1(result[i]);
  }
  return result;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  // Only regular files: opening a FIFO or a device to test it could block or act.
  if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool FolderExists(const std::string& path) {
  std::string folder(path);
  AddBackslash(folder);
  struct stat info {};
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void MakePath(std::string& folder) {
  AddBackslash(folder);
  if (FolderExists(folder)) return;
  // Each prefix that ends at a separator is one folder of the path, outermost first.
  for (auto end = folder.find(Separator, 1); end != std::string::npos; end = folder.find(Separator, end + 1)) {
    const std::string prefix = folder.substr(0, end);
    if (prefix.empty() || prefix.back() == Separator) continue;  // doubled separator
    if (mkdir(prefix.c_str(), 0777) != 0) {
      if (errno != EEXIST || !FolderExists(prefix)) return;
    }
  }
}

}  // namespace core
