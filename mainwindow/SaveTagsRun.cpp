// The save button: the fields into the one selected file, or the held fields into every
// selected file, each of which keeps its own other fields.
#include <QCheckBox>
#include <QPushButton>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/EditingController.h"
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
  std::vector<std::string> unsaved;
  const tagging::ViewReader read = editing_->reader();
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
      bool saved = false;
      if (several) {
        // Read straight from the file, the held fields as the run began: the editor shows
        // it, but what the file gets never passes through the widgets, and no picture is
        // copied out. Only a file read completely is written: its tag or pictures would
        // otherwise be lost unseen.
        const tagging::FileView view = read(fileInWork);
        editing_->presentUnread(view.fields);
        yield();
        saved = view.complete && saveFields(fileInWork, view.fields, view.pictures, view.shown);
      } else {
        saved = SaveTagsToFile(fileInWork);
      }
      if (!saved) unsaved.push_back(fileInWork);
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
