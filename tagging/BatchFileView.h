// A file read for a batch job the way the window's file view reads it: the fields of
// both tags merged (held fields keep the values handed in), the tag flags, and the
// pictures as records of the file's own picture frames, so that a save writes them back
// from the file's bytes.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/AppValues.h"
#include "formats/FileIo.h"
#include "tagging/FileInfoRules.h"
#include "tagging/FileReading.h"

namespace tagging {

struct FileView {
  EditFields fields;
  // The fields as they were shown after reading the file, held ones as the file's own tags
  // fill them: a save writes only the fields that differ from these.
  EditFields shown;
  TagFlags flags;
  // As the window's picture list: element 0 is not a picture.
  std::vector<core::PictureRecord> pictures{1};
  // False when a picture frame of the file cannot be located: a save from this view would
  // drop it unseen, so the file must not be saved. What else a save would lose (a tag that
  // cannot be read, frames ID3v2.3 cannot hold) is the save policy's to decide.
  bool complete = true;

  // The view of a reading: every member comes from ReadFileIntoFields, nothing is read twice.
  static FileView Of(FileReading reading);
};

// How a job reads a file. The window hands in its file view; the command line the
// function below.
using ViewReader = std::function<FileView(const std::string& path)>;

// Reads the file with ReadFileIntoFields: `held` gives the values of the held fields. No
// picture is copied out of the file. With FieldsOnly the pictures are not listed (for jobs
// that do not save the file).
FileView ReadFileView(const std::string& path, const EditFields& held, const HoldFlags& holds,
                      const formats::FormatEnv& env, ReadScope scope = ReadScope::Everything);

// ReadFileView as a ViewReader.
ViewReader FileViewReader(const EditFields& held, const HoldFlags& holds, const formats::FormatEnv& env,
                          ReadScope scope = ReadScope::Everything);

}  // namespace tagging
