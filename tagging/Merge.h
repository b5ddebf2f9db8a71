// The album merge: the audio of every file, in play order, joined into one album file
// with fresh tags built from the first file's fields.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "tagging/BatchFileView.h"
#include "tagging/BatchResult.h"

namespace tagging {

// At most this many files are joined; the rest are left out and named.
constexpr std::size_t MergeFileLimit = 101;

// The comment of every album file.
extern const char* const MergedComment;

struct MergePlan {
  std::string folder;                 // with its trailing separator
  std::vector<std::string> sources;   // full paths, in play order, at most MergeFileLimit
  std::vector<std::string> leftOut;   // full paths beyond the limit
  std::string intermediate;           // folder + "_merged.mp3"
  std::string target;                 // folder + album name + ".mp3"; empty when the name is not usable
  EditFields fields;                  // the album's tags
};

// The fields of the album from the first file's view: its artist, album ("merged" when
// empty) and year; the album also as the title; the merge comment; the other fields
// cleared unless held.
EditFields AlbumFields(const EditFields& firstFile, const HoldFlags& holds);

// names are the entries of the play order (file names in folder). `read` reads the first
// file as the file view does.
MergePlan PlanMerge(const std::string& folder, const std::vector<std::string>& names, const std::string& separator,
                    const HoldFlags& holds, const ViewReader& read);

struct MergeResult {
  // One per source (Done: its audio is in the album; NotReadable: left out) and one
  // per file beyond the limit (LeftOut).
  std::vector<FileOutcome> outcomes;
  std::string album;  // where the album is now; empty when none was made
  bool atTarget = false;  // the album has its final name
  bool tagged = false;    // the album got its tags
};

// Writes the album in one pass into a new work file beside the intermediate name: the new
// ID3v2.3 tag, each source's audio (the bytes between its ID3v2 tag and its ID3v1 tag)
// copied in pieces, so memory stays bounded whatever the album's size, and the new
// ID3v1.1 tag. The sources are never changed and no copy of them is made. The work file
// then takes the target name, or, when that is taken or not usable, the intermediate
// name (or a numbered one beside it); no rename replaces a file.
// A cancel between two sources drops the work file: no album is made, nothing changes.
MergeResult MergeAlbum(const MergePlan& plan, const formats::FormatEnv& env, const Progress& progress = {},
                       const CancelToken* cancel = nullptr);

}  // namespace tagging
