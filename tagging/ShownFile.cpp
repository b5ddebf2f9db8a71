#include "tagging/ShownFile.h"

#include <cerrno>

#include "formats/ID3V230Reader.h"
#include "tagging/TagSaveRules.h"

namespace tagging {

namespace {

// A record that gets another file (or none) lets go of the copy the program made for it. The
// flag goes too: flagged files are deleted, and the user's own picture must never be one.
void DropCopy(core::PictureRecord& record) {
  if (record.Temporary && !record.FileName.empty()) formats::FileSystem::standard().remove(record.FileName);
  record.Temporary = false;
}

}  // namespace

PictureSource SourceOf(const core::PictureRecord& picture) {
  if (!picture.FileName.empty() && !picture.Temporary) return PictureSource::ChosenFile;
  if (picture.Size > 0) return PictureSource::FileFrame;
  return PictureSource::None;
}

ShownFile::~ShownFile() { dropPictures(); }

const FileReading& ShownFile::read(const std::string& path, const HoldFlags& holds, const formats::FormatEnv& env) {
  path_ = path;
  reading_ = ReadFileIntoFields(path, fields_, holds, env);
  dropPictures();
  pictures_.insert(pictures_.end(), reading_.pictures.begin(), reading_.pictures.end());
  present(reading_.fields);
  shownFields_ = reading_.fields;
  CopyHeldFields(shownFields_, reading_.own, holds);
  return reading_;
}

void ShownFile::takeShownFields(const EditFields& asShown, const HoldFlags& holds) {
  fields_ = asShown;
  shownFields_ = asShown;
  CopyHeldFields(shownFields_, reading_.own, holds);
}

void ShownFile::copyPicturesForShowing(const std::string& tempBase, const formats::FormatEnv& env,
                                       const std::function<void()>& yield) {
  formats::clsID3V230Reader reader(env, tempBase);
  for (std::size_t i = 1; i < pictures_.size(); ++i) {
    core::PictureRecord& picture = pictures_[i];
    if (SourceOf(picture) != PictureSource::FileFrame || !picture.FileName.empty()) continue;
    std::string description, subtype;
    picture.FileName = reader.ExtractGraphic(path_, picture.StartPos, picture.Size, description, subtype);
    picture.Temporary = !picture.FileName.empty();
    if (yield) yield();
  }
}

void ShownFile::forgetFile() {
  path_.clear();
  reading_ = FileReading{};
  dropPictures();
}

void ShownFile::present(const EditFields& fields) {
  fields_ = fields;
  lyricsAsRead_ = fields.lyrics;
}

const core::PictureRecord* ShownFile::firstOfType(int type) const {
  for (std::size_t i = 1; i < pictures_.size(); ++i)
    if (pictures_[i].PicType == type) return &pictures_[i];
  return nullptr;
}

void ShownFile::choosePicture(int type, const std::string& file) {
  for (std::size_t i = 1; i < pictures_.size(); ++i) {
    if (pictures_[i].PicType != type) continue;
    DropCopy(pictures_[i]);
    pictures_[i].FileName = file;
    return;
  }
  core::PictureRecord added;
  added.FileName = file;
  added.PicType = type;
  pictures_.push_back(added);
}

bool ShownFile::removePicture(int type) {
  for (std::size_t i = 1; i < pictures_.size(); ++i) {
    if (pictures_[i].PicType != type) continue;
    DropCopy(pictures_[i]);
    pictures_[i].FileName.clear();
    // Nor does it stand for its frame any more: a save keeps the frame a record names.
    pictures_[i].StartPos = pictures_[i].Size = 0;
    return true;
  }
  return false;
}

void ShownFile::dropPictures() { core::DeleteTemporaryPictures(pictures_); }

bool ShownFile::canSave(const std::string& path) const {
  return !path_.empty() && path == path_ && !reading_.picturesMissing;
}

formats::Status ShownFile::save(const std::string& path, const formats::FormatEnv& env, const SavePolicy& policy,
                                const std::string& tempBase, const std::function<void()>& yield) {
  if (!canSave(path)) return formats::Status::Io(EIO, path);
  formats::Status saved = SaveTagsToFile(path, fields_, pictures_, env, policy, &shownFields_);
  if (!saved) return saved;
  // What the file now holds is what a next save compares with: a field typed back to its old
  // text is then a change again.
  shownFields_ = fields_;
  const EditFields fields = fields_;
  reading_ = ReadFileIntoFields(path, fields, HoldFlags{}, env);
  dropPictures();
  pictures_.insert(pictures_.end(), reading_.pictures.begin(), reading_.pictures.end());
  if (!tempBase.empty()) copyPicturesForShowing(tempBase, env, yield);
  return saved;
}

FileView ShownFile::view() const {
  FileView view;
  view.fields = fields_;
  view.shown = shownFields_;
  view.flags = tagFlags();
  view.pictures = pictures_;
  // A tag that cannot be read is named by the loss question of the save.
  view.complete = !reading_.picturesMissing;
  return view;
}

}  // namespace tagging
