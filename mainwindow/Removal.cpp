// The removal panel picRemoveTags: opened over picTags with the "X" box there, closed with
// its twin, and the removal run over the selected files.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "tagging/Removal.h"

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
  if (selected == 0 || runs().busy()) return;
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

  cmdRemoveTags_->setEnabled(false);
  auto outcomes = std::make_shared<std::vector<tagging::FileOutcome>>();
  RunController::Run run;
  run.showProgress = several;
  // One file keeps the view as it stands; several are each read, keeping their own tags.
  run.work = [=, shownPath = several ? std::string() : shownFile_, shown = currentView(), held = editFields(),
              holds = holdFlags(), &fs = formatFs()](RunContext& context) {
    const formats::FormatEnv env = runEnv(context, fs);
    const tagging::ViewReader readFile = tagging::FileViewReader(held, holds, env);
    const auto read = [&](const std::string& path) { return path == shownPath ? shown : readFile(path); };
    *outcomes = tagging::RemoveTags(paths, static_cast<tagging::RemoveWhat>(what), pictureType, read, env,
                                    context.progress(), false, runAskingPolicy(context, several), context.cancel());
  };
  run.done = [this, outcomes, what, several, first = paths.front()] {
    if (what == static_cast<int>(tagging::RemoveWhat::Both)) {
      ClearFileInfo();
    } else if (what == static_cast<int>(tagging::RemoveWhat::Picture) && !several) {
      ShowFileInfo(first);  // the picture list without the removed picture
    }
    if (chkAuto_->isChecked() && several) cmdTagCheck_Click();
    cmdRemoveTags_->setEnabled(true);
    SetEditFocus();
    reportFailures(*outcomes);
  };
  runs().start(std::move(run));
}

}  // namespace mainwindow
