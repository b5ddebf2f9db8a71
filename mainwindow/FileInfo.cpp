// The file information view: reading a file into the edit fields and clearing them.
// The merge of the two tags is FileInfoRules, the file on show the model (ShownFile); here
// the widgets are read and written.
#include <QComboBox>
#include <QLabel>

#include "core/AppValues.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "windows/frmCover.h"
#include "windows/frmText.h"

namespace mainwindow {

namespace {

// The picture type shown after a clear: position 10 of the sorted list, "Front Cover".
constexpr int ClearedPictureTypeIndex = 10;

}  // namespace

void EditingController::ClearFileInfo() {
  EditFields cleared = fields();
  tagging::ClearFields(cleared, holdFlags());
  present(cleared);
  if (cover_ != nullptr) cover_->clearPicture();
  // Selected without running the selection handler: the picture list still belongs to
  // the file shown before, whose pictures must not come back now.
  editor_.cboPictureType->setCurrentIndex(ClearedPictureTypeIndex);
  editor_.lblTime->clear();
  editor_.lblBitrate->clear();
  editor_.lblMode->clear();
}

void EditingController::ShowFileInfo(const std::string& path) {
  ClearFileInfo();
  const HoldFlags holds = holdFlags();
  const formats::FormatEnv env = window_.formatEnv();
  fields();  // the fields as they stand: the held ones keep their text
  const tagging::FileReading& reading = model_.read(path, holds, env);
  editor_.lblTime->setText(FromUtf8(reading.timeLabel));
  editor_.lblBitrate->setText(FromUtf8(reading.bitrateLabel));
  editor_.lblMode->setText(FromUtf8(reading.modeLabel));
  if (window_.yieldHook()) window_.yieldHook()();

  showFields(model_.fields());
  // What a save compares with: the fields as the widgets now show them.
  model_.takeShownFields(fields(), holds);
  if (reading.outcome.commentText) textWindow()->setText(FromUtf8(*reading.outcome.commentText));

  // The pictures are saved again from the file itself; the copies only show them.
  model_.copyPicturesForShowing(values_.TempCoverBase, env, window_.yieldHook());
  showChosenPicture();
}

}  // namespace mainwindow
