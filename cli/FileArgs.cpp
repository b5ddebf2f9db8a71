#include "cli/FileArgs.h"

#include <sys/stat.h>

#include "core/Paths.h"

namespace cli {

namespace {

std::string Joined(const std::string& folder, const std::string& name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  return path + name;
}

void CollectFolder(const std::string& folder, bool recursive, std::vector<std::string>& files) {
  if (recursive) {
    // ListSubFolders leaves out links to folders, so the walk cannot run in a circle.
    const std::vector<std::string> subFolders = core::ListSubFolders(folder);
    for (auto it = subFolders.rbegin(); it != subFolders.rend(); ++it)
      CollectFolder(Joined(folder, *it), recursive, files);
  }
  for (const std::string& name : core::ListMp3Files(folder)) files.push_back(Joined(folder, name));
}

}  // namespace

std::vector<std::string> FolderFiles(const std::string& folder, bool recursive) {
  std::vector<std::string> files;
  CollectFolder(folder, recursive, files);
  return files;
}

FileArgs ExpandFileArgs(const std::vector<std::string>& arguments, bool recursive) {
  FileArgs result;
  for (const std::string& argument : arguments) {
    struct stat info {};
    if (argument.empty() || ::stat(argument.c_str(), &info) != 0) {
      result.missing.emplace_back(argument, "no such file or folder");
    } else if (S_ISDIR(info.st_mode)) {
      CollectFolder(argument, recursive, result.files);
    } else if (S_ISREG(info.st_mode)) {
      result.files.push_back(argument);
    } else {
      result.missing.emplace_back(argument, "not a regular file or folder");
    }
  }
  return result;
}

}  // namespace cli
