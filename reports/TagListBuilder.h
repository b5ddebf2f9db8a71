// Building the tag list of a folder: the files collected in report order, each read with
// the MPEG header, ID3v1.1 and ID3v2.3 readers (QuickRead on), and the page made of them.
// The main window and the command line both call BuildTagListPage and get the same bytes.
#pragma once
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "reports/TagListPage.h"

namespace reports {

// The paths to list, in report order. Without recursion: the folder's MP3 files by name.
// With it: for each sub-folder, from the last to the first by name, its whole walk; then
// the folder's own files. The yield hook runs at the start of every folder.
std::vector<std::string> CollectTagListFiles(const std::string& folder, bool recursive,
                                             const formats::YieldHook& yield);

// What the readers find in one file.
FileFacts ReadFileFacts(const std::string& path, const formats::FormatEnv& env);

struct TagListResult {
  bool cancelled = false;  // stopped between two files: no page
  std::string page;
  std::size_t fileCount = 0;
  std::int64_t totalSeconds = 0;
};

// The page for the folder (a folder text ending in '/'). progress gets the gauge value
// (0..100) before each file; it may be empty. options.folderName is
// the page title; empty means the folder's own name. A cancel flag set (from any thread)
// stops the build before the next file.
TagListResult BuildTagListPage(const std::string& folder, PageOptions options, const formats::FormatEnv& env,
                               const std::function<void(int percent)>& progress = {},
                               const std::atomic<bool>* cancel = nullptr);

// Writes the page through a work file beside the target that replaces it when complete;
// false (and the old file unchanged) on any failure.
bool WritePageFile(formats::FileSystem& fs, const std::string& path, const std::string& page);
// Copies a page file the same way, replacing a file of the target's name.
bool CopyPageFile(formats::FileSystem& fs, const std::string& from, const std::string& to);

}  // namespace reports
