// The file arguments of a command: files as given, folders as their MP3 files.
#pragma once
#include <string>
#include <vector>

namespace cli {

struct FileArgs {
  std::vector<std::string> files;  // in the order the run takes them
  // Arguments that are neither a file nor a folder, with the reason.
  std::vector<std::pair<std::string, std::string>> missing;
};

// A file argument is taken as it is, whatever its extension. A folder gives its "*.mp3"
// files (any letter case) in the program's listing order; with recursive, the files of
// its sub-folders come first, each sub-folder walked completely, the last sub-folder of
// the list first, as the tag list walks a folder. Paths keep the argument's bytes and
// are joined with "/".
FileArgs ExpandFileArgs(const std::vector<std::string>& arguments, bool recursive);

}  // namespace cli
