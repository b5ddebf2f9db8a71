// The file information view: reading a file into the edit fields and clearing them.
// The merge of the two tags is FileInfoRules; here the widgets are read and written.
#include <QComboBox>
#include <QLabel>

#include "core/AppValues.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/MP3HeadReader.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "windows/frmCover.h"
#include "windows/frmText.h"

namespace mainwindow {

namespace {

// The picture type shown after a clear: position 10 of the sorted list, "Front Cover".
constexpr int ClearedPictureTypeIndex = 10;

// Whether the file begins with an ID3v2 tag header of any version.
bool StartsWithID3V2(formats::FileSystem& fs, const std::string& path) {
  auto in = fs.openRead(path);
  char magic[3];
  return in && in->readAt(0, magic, sizeof magic) && std::string(magic, 3) == "ID3";
}

}  // namespace

void Tagger::ClearFileInfo() {
  EditFields fields = editFields();
  tagging::ClearFields(fields, holdFlags());
  setEditFields(fields);
  if (cover_ != nullptr) cover_->clearPicture();
  // Selected without running the selection handler: the picture list still belongs to
  // the file shown before, whose pictures must not come back now.
  editor_.cboPictureType->setCurrentIndex(ClearedPictureTypeIndex);
  editor_.lblTime->clear();
  editor_.lblBitrate->clear();
  editor_.lblMode->clear();
}

void Tagger::ShowFileInfo(const std::string& path) {
  ClearFileInfo();
  shownFile_ = path;
  const formats::FormatEnv env = formatEnv();

  formats::clsMP3HeadReader header(env);
  header.ReadMP3Header(path);
  editor_.lblTime->setText(FromLatin1(tagging::TimeLabel(header.Length())));
  editor_.lblBitrate->setText(FromLatin1(tagging::BitrateLabel(header.Bitrate(), header.Frequency())));
  editor_.lblMode->setText(FromLatin1(header.Mode()));

  formats::clsID3V111Reader v1(env);
  v1.ReadID3V111Tag(path);
  formats::clsID3V230Reader v2(env, values_.TempCoverBase);
  v2.ReadID3V230Tag(path);

  core::DeleteTemporaryPictures(values_.PictureList);
  yield();

  const tagging::ID3V230Values v2Values = tagging::ValuesOf(v2);
  EditFields fields = editFields();
  const tagging::MergeOutcome outcome = tagging::FillFromTags(fields, holdFlags(), tagging::ValuesOf(v1), v2Values);
  tagFlags_ = outcome.flags;
  setEditFields(fields);
  if (outcome.commentText) textWindow()->setText(FromLatin1(*outcome.commentText));
  unreadableTag_ = !v2Values.TagPresent && StartsWithID3V2(*env.fs, path);

  picturesMissing_ = false;
  if (v2Values.TagPresent && !v2Values.GraphicSize.empty()) {
    const std::vector<core::PictureRecord> pictures = tagging::SplitPictures(v2Values);
    // A picture that cannot be located in the file cannot be made ready either.
    if (pictures.size() != tagging::SplitList(v2Values.GraphicSize).size()) picturesMissing_ = true;
    for (core::PictureRecord picture : pictures) {
      std::string description;
      std::string subtype;
      picture.FileName = v2.ExtractGraphic(path, picture.StartPos, picture.Size, description, subtype);
      picture.Temporary = true;
      if (picture.FileName.empty()) picturesMissing_ = true;
      values_.PictureList.push_back(picture);
      yield();
    }
  }
  cboPictureType_Click();
}

}  // namespace mainwindow
