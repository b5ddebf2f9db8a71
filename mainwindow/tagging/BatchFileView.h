// A file read for a batch job the way the window's file view reads it: the fields of
// both tags merged (held fields keep the values handed in), the tag flags, and the
// pictures made ready as files, so that a save writes back what the file held.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/AppValues.h"
#include "formats/FileIo.h"
#include "mainwindow/tagging/FileInfoRules.h"

namespace tagging {

struct FileView {
  EditFields fields;
  TagFlags flags;
  // As the window's picture list: element 0 is not a picture.
  std::vector<core::PictureRecord> pictures{1};
  // False when a tag or a picture of the file could not be read: a save from this view
  // would lose it, so the file must not be saved.
  bool complete = true;
};

// How a job reads a file. The window hands in its file view; the command line the
// function below.
using ViewReader = std::function<FileView(const std::string& path)>;

// Reads the file: `held` gives the values of the held fields. Each picture is extracted
// to its own file beside coverBase (the pictures are marked temporary: the caller
// deletes them with core::DeleteTemporaryPictures). With an empty coverBase a file with
// pictures is read as incomplete.
FileView ReadFileView(const std::string& path, const EditFields& held, const HoldFlags& holds,
                      const std::string& coverBase, const formats::FormatEnv& env);

// Whether the file begins with an ID3v2 tag header of any version.
bool StartsWithID3V2(formats::FileSystem& fs, const std::string& path);

// A reader over ReadFileView that keeps the pictures of one file at a time, as the file
// view does: each call deletes the picture files of the file read before, and the last
// ones go with the reader (and all its copies).
ViewReader FileViewReader(const EditFields& held, const HoldFlags& holds, const std::string& coverBase,
                          const formats::FormatEnv& env);

}  // namespace tagging
