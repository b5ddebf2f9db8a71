// Reading one file into the fields, below the widgets: the MPEG facts, both tags merged
// into the edit fields, the tag flags, the picture records and what a save would lose.
#pragma once
#include <string>
#include <vector>

#include "core/AppValues.h"
#include "formats/FileIo.h"
#include "tagging/FileInfoRules.h"

namespace tagging {

struct FileReading {
  std::string timeLabel, bitrateLabel, modeLabel;
  ID3V111Values v1;
  ID3V230Values v2;
  int version = 0;            // of the ID3v2 tag; 0 without one
  std::string readProblem;    // why the ID3v2 tag could not be read, when it could not
  EditFields fields;
  // The fields as the file's own tags fill them, nothing held: what a save compares the
  // fields with to tell what the user changed.
  EditFields own;
  MergeOutcome outcome;
  // The pictures of the tag in order (no element 0), FileName empty: the frames themselves
  // are saved again from the file.
  std::vector<core::PictureRecord> pictures;
  bool picturesMissing = false;  // a picture frame that cannot be located
  std::vector<formats::Loss> losses;  // what a save would drop (see LossesOf)
};

// How much of the file a read needs: a listing of the fields needs neither the pictures nor
// what a save would lose.
enum class ReadScope { Everything, FieldsOnly };

// `fields` are the fields as they stand (held ones keep their text). A tag that is there but
// cannot be read counts as a tag (the flags say so) and its problem heads the undecoded
// frames' text, so that it is never taken for no tag.
FileReading ReadFileIntoFields(const std::string& path, const EditFields& fields, const HoldFlags& holds,
                               const formats::FormatEnv& env = {}, ReadScope scope = ReadScope::Everything);

}  // namespace tagging
