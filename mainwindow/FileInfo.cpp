// The file information view: reading a file into the edit fields and clearing them.
// The merge of the two tags is FileInfoRules; here the widgets are read and written.
#include <QComboBox>
#include <QLabel>

#include "core/AppValues.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Reader.h"
#include "formats/MP3HeadReader.h"
#include "tagging/FileReading.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "windows/frmCover.h"
#include "windows/frmText.h"

namespace mainwindow {

namespace {

// The picture type shown after a clear: position 10 of the sorted list, "Front Cover".
constexpr int ClearedPictureTypeIndex = 10;

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
  const tagging::FileReading reading = tagging::ReadFileIntoFields(path, editFields(), holdFlags(), env);
  editor_.lblTime->setText(FromUtf8(reading.timeLabel));
  editor_.lblBitrate->setText(FromUtf8(reading.bitrateLabel));
  editor_.lblMode->setText(FromUtf8(reading.modeLabel));

  core::DeleteTemporaryPictures(values_.PictureList);
  yield();

  tagFlags_ = reading.outcome.flags;
  setEditFields(reading.fields);
  // What a save compares with: the fields as the widgets now show them, the held ones as the
  // file's own tags would have filled them (a held text is a change the user applies).
  shownFields_ = editFields();
  tagging::CopyHeldFields(shownFields_, reading.own, holdFlags());
  if (reading.outcome.commentText) textWindow()->setText(FromUtf8(*reading.outcome.commentText));

  loadPictures(path, reading);
  cboPictureType_Click();
}

void Tagger::loadPictures(const std::string& path, const tagging::FileReading& reading) {
  // The pictures are saved again from the file itself; the temporary files only show them.
  picturesMissing_ = reading.picturesMissing;
  formats::clsID3V230Reader v2(formatEnv(), values_.TempCoverBase);
  for (core::PictureRecord picture : reading.pictures) {
    std::string description;
    std::string subtype;
    picture.FileName = v2.ExtractGraphic(path, picture.StartPos, picture.Size, description, subtype);
    picture.Temporary = !picture.FileName.empty();
    values_.PictureList.push_back(picture);
    yield();
  }
}

void Tagger::reloadPictures(const std::string& path) {
  const tagging::FileReading reading = tagging::ReadFileIntoFields(path, editFields(), holdFlags(), formatEnv());
  core::DeleteTemporaryPictures(values_.PictureList);
  loadPictures(path, reading);
  cboPictureType_Click();
}

}  // namespace mainwindow
