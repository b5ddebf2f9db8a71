// Mode 2 of the batch panel: files renamed from their tags, optionally numbered in the
// order of the work list. Planning and renaming are apart, so that a dry run can show
// the plan and a run can check every new name before the first file moves.
#pragma once
#include <string>
#include <vector>

#include "formats/FileIo.h"
#include "tagging/BatchNames.h"
#include "tagging/BatchResult.h"

namespace tagging {

// A processed entry of the work list, in list order.
struct RenameSource {
  std::string path;       // full path
  bool tagFound = false;  // a file without any tag keeps its name
  EditFields fields;      // its fields as the file view reads them
};

// One line of the plan: Done with newPath set means "rename"; Skipped means the file
// keeps its name on purpose (no tag, or the name is already right); any other reason is
// a failure found while planning.
using RenamePlan = std::vector<FileOutcome>;

// The new name of every source: entry i gets the running number i + 1, padded to the size
// of the work list (listSize); files without a tag keep their name and their number is
// used by nobody. A name that is not usable (UsableFileName), or that another file keeps
// or another file of the plan gets too, is refused, and the file keeps its name.
RenamePlan PlanRenames(const std::vector<RenameSource>& sources, std::size_t listSize, const DetectList& words,
                       const std::string& separator, formats::FileSystem& fs);

// Renames as planned, never over an existing file: files whose new name is the old name
// of another file of the plan first move to a temporary name in the same folder, then
// every file takes its new name. A rename that fails leaves that file under its old name
// (or, if that was taken meanwhile, under its temporary name, given as newPath) and its
// outcome says why. Returns the plan with the outcomes of the run.
// A cancel stops the run before the next file that still has its old name; files already
// moved aside always take their new name, so none is left under an in-between name.
RenamePlan RunRenames(const RenamePlan& plan, formats::FileSystem& fs, const Progress& progress = {},
                      const CancelToken* cancel = nullptr);

}  // namespace tagging
