// The save button: the fields into the one selected file, or the held fields into every
// selected file, each of which keeps its own other fields.
#include <QCheckBox>
#include <QPushButton>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/EditorCursors.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "windows/frmProgress.h"

namespace mainwindow {

void Tagger::cmdSaveTag_Click() {
  const int count = lstFiles_->count();
  const int selected = lstFiles_->selectedCount();
  if (count == 0 || selected == 0 || saving_) return;
  const bool several = selected > 1;
  if (!several) {
    cmdSaveTag_->setText(SaveTagCaption(SaveCaption::SavingOne));
  } else {
    if (!holdFlags().any()) return;
    if (dialogs_.question(ApplyHeldQuestion(), ToQString(values_.AppTitle)) != core::Answer::Yes) return;
    cmdSaveTag_->setText(SaveTagCaption(SaveCaption::SavingSeveral));
  }

  // The files are fixed when the run starts: a click in the list while events are
  // processed must not change which files receive the held fields.
  const std::string folder = values_.CurrentDir;
  std::vector<std::string> names(count);
  std::vector<bool> chosen(count);
  for (int row = 0; row < count; ++row) {
    names[row] = lstFiles_->nameAt(row);
    chosen[row] = lstFiles_->item(row)->isSelected();
  }

  saving_ = true;
  const int suppressedBefore = listClickSuppressed_;
  listClickSuppressed_ = 1;  // a click would show another file in the middle of a save
  cmdSaveTag_->setEnabled(false);
  std::vector<formats::Status> unsaved;
  // One loss question covers the run; the files answered No are listed with the failures.
  lossAnswer_ = 0;
  lossAnswerForRun_ = several;
  {
    ScreenBusyPointer busy;
    windows::frmProgress* progress = progressWindow();
    progress->setValue(0);
    if (several) progress->show();
    for (int row = 0; row < count; ++row) {
      progress->setValue(SaveProgressPercent(count, row));
      if (!chosen[row]) continue;
      const std::string fileInWork = folder + names[row];
      formats::Status saved;
      if (several) {
        ShowFileInfo(fileInWork);  // empties the view first
        // What the file gets is fixed before events run, and only a file read completely
        // is written: its tag or pictures would otherwise be lost unseen.
        const bool complete = !picturesMissing_;
        const EditFields fields = editFields();
        const std::vector<core::PictureRecord> pictures = values_.PictureList;
        const EditFields shown = shownFields_;  // held fields count as changed where they differ
        yield();
        saved = complete ? saveFields(fileInWork, fields, pictures, shown) : formats::Status::Io(EIO, fileInWork);
      } else {
        saved = SaveTagsToFile(fileInWork);
      }
      if (!saved) {
        saved.file = fileInWork;
        unsaved.push_back(saved);
      }
      if (!several) break;
    }
    progress->hide();
  }
  listClickSuppressed_ = suppressedBefore;
  lossAnswer_ = 0;
  lossAnswerForRun_ = false;
  saving_ = false;
  cmdSaveTag_->setEnabled(true);
  cmdSaveTag_->setText(SaveTagCaption(SaveCaption::Ready));
  ReportUnsavedFiles(unsaved);

  if (chkAuto_->isChecked() && several) cmdTagCheck_Click();
  SetEditFocus();
}

}  // namespace mainwindow
