// Tag removal over many files: each file is judged by its own tags, not by those of the
// file on show.
#pragma once
#include <string>
#include <vector>

#include "tagging/BatchFileView.h"
#include "tagging/BatchResult.h"
#include "tagging/KeepOldTag.h"

namespace tagging {

enum class RemoveWhat {
  ID3V111,  // optRem(0)
  ID3V230,  // optRem(1)
  Both,     // optRem(2)
  Picture,  // optRem(3): the first picture of the chosen type
};

// What removal would do to a file, judged by its own content: Done when it holds
// something to remove, Skipped when not, NotReadable when it cannot be read (for a
// picture: when its tags or pictures cannot all be read, since the save would lose them).
struct RemovalStep {
  FileOutcome outcome;
  bool id3v111 = false;  // its ID3v1.1 tag goes
  bool id3v230 = false;  // its ID3v2 tag goes
  int picture = 0;       // the index in view.pictures of the picture that goes (0: none)
  FileView view;         // for a picture: the file as read
};

RemovalStep PlanRemoval(const std::string& path, RemoveWhat what, int pictureType, const ViewReader& read,
                        formats::FileSystem& fs);

// Removes what each file holds of the chosen kind. A picture is removed by saving the
// file's own fields with its other pictures; `policy` decides where that save would lose
// tag data. With dryRun only the plan is made.
std::vector<FileOutcome> RemoveTags(const std::vector<std::string>& paths, RemoveWhat what, int pictureType,
                                    const ViewReader& read, const formats::FormatEnv& env,
                                    const Progress& progress = {}, bool dryRun = false,
                                    const SavePolicy& policy = {}, const CancelToken* cancel = nullptr);

}  // namespace tagging
