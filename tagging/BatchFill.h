// Mode 1 of the batch panel: the tags of each file filled from its file name.
#pragma once
#include <string>
#include <vector>

#include "tagging/BatchFileView.h"
#include "tagging/BatchNames.h"
#include "tagging/BatchResult.h"
#include "tagging/KeepOldTag.h"

namespace tagging {

struct FillOptions {
  DetectList words;
  std::string separator = " - ";
  double skip = 0;         // characters left out at the start of every name
  bool noTagOnly = false;  // only files without any tag are filled
  bool dryRun = false;     // plan only: no file is written
  SavePolicy policy;       // what a save that would lose tag data does
};

struct FillStep {
  FileOutcome outcome;  // Done: written (or, in a dry run, to be written)
  EditFields fields;    // what the file gets
};

// The name a file's fields are filled from: its file name without the last four
// characters (".mp3"), less the characters to skip.
std::string NameToParse(const std::string& path, double skip);

// Reads each file with `read`, fills the fields the detection words name from its file
// name and saves all fields into the file (held ones included). A file is skipped with
// noTagOnly when it has a tag; it is not written, and listed, when a picture of it cannot
// be located, when its track number does not fit, when the save would lose tag data and
// the policy does not let it, or when the save fails. `shown` (may be empty) sees each file's fields before the save.
std::vector<FillStep> FillTagsFromNames(const std::vector<std::string>& paths, const FillOptions& options,
                                        const ViewReader& read, const formats::FormatEnv& env,
                                        const Progress& progress = {},
                                        const std::function<void(const EditFields&)>& shown = {},
                                        const CancelToken* cancel = nullptr);

}  // namespace tagging
