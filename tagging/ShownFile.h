// The file on show in the editor, below the widgets: what was read from it, the edit
// fields, the fields as they were shown after the read (a save writes only what differs
// from them), the lyrics as read, the tag flags, and the pictures with their source. The
// editor, the cover window and the save all work on this one object.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/AppValues.h"
#include "formats/FileIo.h"
#include "tagging/BatchFileView.h"
#include "tagging/FileReading.h"
#include "tagging/KeepOldTag.h"

namespace tagging {

// Where a picture of the file on show comes from.
enum class PictureSource {
  FileFrame,   // a frame of the file (its record may point at a temporary copy for showing)
  ChosenFile,  // a picture file the user chose: saved from that file's bytes
  None,        // deleted: no file, no frame
};

// A record with a file the program did not write stands for that file; one without a file,
// or with the program's own copy, for the frame it names.
PictureSource SourceOf(const core::PictureRecord& picture);

class ShownFile {
 public:
  ShownFile() = default;
  ~ShownFile();  // the temporary picture copies go with the object
  ShownFile(const ShownFile&) = delete;
  ShownFile& operator=(const ShownFile&) = delete;

  // Reads the file as the file on show: the fields as they stand are the starting point (the
  // held ones keep their text, the others are emptied), the old picture copies are deleted,
  // and the pictures become records of the file's frames, without copies.
  const FileReading& read(const std::string& path, const HoldFlags& holds, const formats::FormatEnv& env);
  // The fields as the editor shows them after a read (a widget may change a text, so the
  // editor hands back what it shows); the held ones are taken as the file's own, so that a
  // held text counts as a change the user applies.
  void takeShownFields(const EditFields& asShown, const HoldFlags& holds);
  // Copies every frame picture out of the file into a file of its own under tempBase, for
  // the cover window; `yield` runs after each. Nothing else needs the copies.
  void copyPicturesForShowing(const std::string& tempBase, const formats::FormatEnv& env,
                              const std::function<void()>& yield = {});
  // No file on show any more (the editor shows fields of no single file); the fields stay.
  void forgetFile();

  // The edit fields. `present` is what the editor is given (its lyrics are then the lyrics as
  // read); `edited` is what the editor holds after the user typed.
  void present(const EditFields& fields);
  void edited(const EditFields& fields) { fields_ = fields; }
  const EditFields& fields() const { return fields_; }
  const EditFields& shownFields() const { return shownFields_; }
  const std::string& lyricsAsRead() const { return lyricsAsRead_; }

  const std::string& path() const { return path_; }
  const FileReading& reading() const { return reading_; }
  const TagFlags& tagFlags() const { return reading_.outcome.flags; }
  // A picture frame of the file could not be located: a save would drop it.
  bool picturesMissing() const { return reading_.picturesMissing; }

  // The pictures of the file on show; element 0 is never a picture.
  std::vector<core::PictureRecord>& PictureList() { return pictures_; }
  const std::vector<core::PictureRecord>& PictureList() const { return pictures_; }
  // The first record (from element 1) of the type; nullptr for none.
  const core::PictureRecord* firstOfType(int type) const;
  // The user's picture file for the type: it replaces the first record of the type (whose
  // copy is deleted), or, without one, is added at the end.
  void choosePicture(int type, const std::string& file);
  // Deletes the first picture of the type: its record keeps no file and names no frame.
  // False when there is none.
  bool removePicture(int type);
  // Deletes the temporary copies and empties the list to its element 0.
  void dropPictures();

  // Whether the fields may be saved into `path`: only into the file on show (its pictures
  // would otherwise go into another file), and only when all its pictures are known.
  bool canSave(const std::string& path) const;
  // Saves the fields and pictures into the file on show (see tagging::SaveTagsToFile). After a
  // save the fields are what a next save compares with, and the picture records are read
  // anew, since the save has moved the frames; `tempBase` empty makes no copies.
  // A refused path (not the file on show, or pictures missing) gives an I/O failure, EIO.
  formats::Status save(const std::string& path, const formats::FormatEnv& env, const SavePolicy& policy,
                       const std::string& tempBase = {}, const std::function<void()>& yield = {});
  // The file on show as a batch job sees it.
  FileView view() const;

 private:
  std::string path_;
  FileReading reading_;
  EditFields fields_;
  EditFields shownFields_;
  std::string lyricsAsRead_;
  std::vector<core::PictureRecord> pictures_ = std::vector<core::PictureRecord>(1);
};

}  // namespace tagging
