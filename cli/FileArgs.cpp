#include "cli/FileArgs.h"

#include <sys/stat.h>

#include <set>

#include "formats/FileIo.h"
#include "reports/TagListBuilder.h"

namespace cli {

FileArgs ExpandFileArgs(const std::vector<std::string>& arguments, bool recursive) {
  FileArgs result;
  std::set<std::string> folders;
  for (const std::string& argument : arguments) {
    struct stat info {};
    if (argument.empty() || ::stat(argument.c_str(), &info) != 0) {
      result.missing.emplace_back(argument, "no such file or folder");
    } else if (S_ISDIR(info.st_mode)) {
      folders.insert(argument);
      // The tag list's walk: links to folders are left out, so it cannot run in a circle.
      for (std::string& path : reports::CollectTagListFiles(argument, recursive, {}))
        result.files.push_back(std::move(path));
    } else if (S_ISREG(info.st_mode)) {
      result.files.push_back(argument);
    } else {
      result.missing.emplace_back(argument, "not a regular file or folder");
    }
  }
  // A run over a folder removes the work files that a killed run left there.
  for (const std::string& file : result.files) {
    const std::size_t slash = file.rfind('/');
    folders.insert(slash == std::string::npos ? std::string(".") : file.substr(0, slash + 1));
  }
  for (const std::string& folder : folders) formats::FileSystem::standard().removeLeftWorkFiles(folder);
  return result;
}

}  // namespace cli
