#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/RemovalController.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"
#include "tagging/Journal.h"
#include "tagging/Removal.h"

namespace mainwindow {

RemovalController::RemovalController(Tagger& window, const Controls& controls) : window_(window), c_(controls) {}

void RemovalController::chkRemoveTag_Click(int index) {
  c_.picRemoveTags->move(c_.picTags->pos());
  const bool open = index == 0;
  c_.picRemoveTags->setVisible(open);
  c_.picTags->setVisible(!open);
  if (open) c_.picRemoveTags->raise();
  // Back to rest; a changed value runs this handler again, which ends the same way.
  c_.batch->chkRemoveTag[index]->setChecked(index == 1);
  c_.batch->chkRemoveTag[1 - index]->setChecked(index == 0);
}

void RemovalController::cmdRemoveTags_Click() {
  Tagger& w = window_;
  const int selected = c_.lstFiles->selectedCount();
  if (selected == 0 || w.runs().busy()) return;
  const bool several = selected > 1;
  if (several && w.dialogs().question(Tagger::tr("Auf alle ausgewählten Dateien anwenden ?    "),
                                      ToQString(w.values().AppTitle)) != core::Answer::Yes)
    return;

  int what = 0;
  for (int i = 0; i < 4; ++i)
    if (c_.batch->optRem[i]->isChecked()) what = i;
  const int pictureType = c_.cboPictureType->currentData().toInt();
  std::vector<std::string> paths;
  for (int row = 0; row < c_.lstFiles->count(); ++row)
    if (c_.lstFiles->item(row)->isSelected()) paths.push_back(w.values().CurrentDir + c_.lstFiles->nameAt(row));

  c_.cmdRemoveTags->setEnabled(false);
  auto outcomes = std::make_shared<std::vector<tagging::FileOutcome>>();
  RunController::Run run;
  run.showProgress = several;
  // One file keeps the view as it stands; several are each read, keeping their own tags.
  run.work = [=, &w, shownPath = several ? std::string() : w.editing().shownFile(), shown = w.editing().view(),
              held = w.editing().fields(), holds = w.editing().holdFlags(),
              title = Tagger::tr("Tags entfernen").toStdString()](RunContext& context) {
    const formats::FormatEnv env = context.env();
    const tagging::ViewReader readFile = tagging::FileViewReader(held, holds, env);
    const auto read = [&](const std::string& path) { return path == shownPath ? shown : readFile(path); };
    tagging::JournalRun journal = tagging::Journal().begin(title, paths);
    *outcomes = tagging::RemoveTags(paths, static_cast<tagging::RemoveWhat>(what), pictureType, read, env,
                                    context.progress(), false, context.askingPolicy(several), context.cancel());
    journal.finish();
  };
  run.done = [this, outcomes, what, several, first = paths.front()] {
    Tagger& w = window_;
    if (what == static_cast<int>(tagging::RemoveWhat::Both)) {
      w.editing().ClearFileInfo();
    } else if (what == static_cast<int>(tagging::RemoveWhat::Picture) && !several) {
      w.editing().ShowFileInfo(first);  // the picture list without the removed picture
    }
    if (w.tagList().AutoTagList() && several) w.tagList().cmdTagCheck_Click();
    c_.cmdRemoveTags->setEnabled(true);
    w.editing().SetEditFocus();
    w.runs().reportFailures(*outcomes);
  };
  w.runs().start(std::move(run));
}

}  // namespace mainwindow
