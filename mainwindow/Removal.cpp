// The removal panel picRemoveTags: opened over picTags with the "X" box there, closed with
// its twin, and the removal run over the selected files.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/EditorCursors.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "tagging/Journal.h"
#include "tagging/Removal.h"
#include "windows/frmProgress.h"

namespace mainwindow {

void Tagger::chkRemoveTag_Click(int index) {
  picRemoveTags_->move(picTags_->pos());
  const bool open = index == 0;
  picRemoveTags_->setVisible(open);
  picTags_->setVisible(!open);
  if (open) picRemoveTags_->raise();
  // Back to rest; a changed value runs this handler again, which ends the same way.
  batch_.chkRemoveTag[index]->setChecked(index == 1);
  batch_.chkRemoveTag[1 - index]->setChecked(index == 0);
}

void Tagger::cmdRemoveTags_Click() {
  const int selected = lstFiles_->selectedCount();
  if (selected == 0 || batchRunning_) return;
  const bool several = selected > 1;
  if (several && dialogs_.question(tr("Auf alle ausgewählten Dateien anwenden ?    "),
                                   ToQString(values_.AppTitle)) != core::Answer::Yes)
    return;

  int what = 0;
  for (int i = 0; i < 4; ++i)
    if (batch_.optRem[i]->isChecked()) what = i;
  const int pictureType = editor_.cboPictureType->currentData().toInt();
  std::vector<std::string> paths;
  for (int row = 0; row < lstFiles_->count(); ++row)
    if (lstFiles_->item(row)->isSelected()) paths.push_back(values_.CurrentDir + lstFiles_->nameAt(row));

  batchRunning_ = true;
  const int suppressedBefore = listClickSuppressed_;
  listClickSuppressed_ = 1;
  std::vector<tagging::FileOutcome> outcomes;
  {
    ScreenBusyPointer busy;
    cmdRemoveTags_->setEnabled(false);
    windows::frmProgress* progress = progressWindow();
    progress->setValue(0);
    if (several) progress->show();
    // One file keeps the view as it stands; several are each read, keeping their own tags.
    const auto read = [this, several](const std::string& path) {
      return !several && path == shownFile_ ? currentView() : viewOfFile(path);
    };
    lossAnswer_ = 0;
    lossAnswerForRun_ = several;
    tagging::JournalRun run = tagging::Journal().begin(tr("Tags entfernen").toStdString(), paths);
    outcomes = tagging::RemoveTags(paths, static_cast<tagging::RemoveWhat>(what), pictureType, read, formatEnv(),
                                   gaugeProgress(), false, askingPolicy());
    run.finish();
    lossAnswer_ = 0;
    lossAnswerForRun_ = false;
    progress->hide();
  }
  if (what == static_cast<int>(tagging::RemoveWhat::Both)) {
    ClearFileInfo();
  } else if (what == static_cast<int>(tagging::RemoveWhat::Picture) && !several) {
    ShowFileInfo(paths.front());  // the picture list without the removed picture
  }
  listClickSuppressed_ = suppressedBefore;
  batchRunning_ = false;
  if (chkAuto_->isChecked() && several) cmdTagCheck_Click();
  cmdRemoveTags_->setEnabled(true);
  SetEditFocus();
  reportFailures(outcomes);
}

}  // namespace mainwindow
