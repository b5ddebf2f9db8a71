// The file commands of the context menu: saving the tag list, deleting, renaming, the
// information box; and the file named on the command line.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <algorithm>

#include "core/AppValues.h"
#include "core/Paths.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/Trash.h"
#include "mainwindow/FileCommandRules.h"
#include "mainwindow/FileCommandsController.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"
#include "reports/TagListBuilder.h"
#include "tagging/Journal.h"
#include "windows/frmRename.h"

namespace mainwindow {

namespace {

bool Checked(const QWidget* window, const char* name) {
  const auto* box = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
  return box != nullptr && box->isChecked();
}

}  // namespace

FileCommandsController::FileCommandsController(Tagger& window, const Controls& controls)
    : window_(window), c_(controls) {}

void FileCommandsController::mnuSaveList_Click() {
  const core::AppValues& values = window_.values();
  if (c_.lstFiles->count() == 0) return;
  reports::CopyPageFile(window_.formatFs(), values.TempIndexFile, values.CurrentDir + values.IndexFileName);
}

void FileCommandsController::mnuCollect_Click() {
  const core::AppValues& values = window_.values();
  if (c_.lstFiles->count() == 0) return;
  std::string folder = values.IndexDir;
  core::MakePath(folder);
  reports::CopyPageFile(window_.formatFs(), values.TempIndexFile, values.IndexDir + CollectionFileName(values.CurrentDirName));
}

void FileCommandsController::mnuDel_Click() {
  Tagger& w = window_;
  if (w.runs().busy()) return;
  if (w.dialogs().question(DeleteQuestion(), ToQString(w.values().AppTitle)) != core::Answer::Yes) return;
  // The play-order list is the one on show in the batch mode "tag to file name" with
  // drag and drop or merge: its selection counts then.
  const bool playOrder = Checked(&w, "optTagEdit(2)") && (Checked(&w, "chkDragDrop") || Checked(&w, "chkMerge"));
  const QListWidget* list = playOrder ? c_.lstSortFiles : static_cast<QListWidget*>(c_.lstFiles);
  std::vector<std::string> chosen;
  for (int row = 0; row < list->count(); ++row) {
    if (list->item(row)->isSelected()) chosen.push_back(list->item(row)->data(Qt::UserRole).toByteArray().toStdString());
  }
  if (chosen.empty()) return;
  // The files go to the trash, recorded so that Undo takes them back out; the files whose
  // volume has no trash are deleted for good only when the user agrees to that too.
  auto outcomes = std::make_shared<std::vector<tagging::FileOutcome>>();
  auto untrashed = std::make_shared<std::vector<std::string>>();
  RunController::Run run;
  run.showProgress = chosen.size() > 1;
  run.work = [outcomes, untrashed, chosen, folder = w.values().CurrentDir, title = Tagger::tr("Löschen").toStdString(),
              &fs = w.formatFs()](RunContext& context) {
    std::vector<std::string> paths;
    for (const std::string& name : chosen) paths.push_back(folder + name);
    tagging::JournalRun journal = tagging::Journal().begin(title, paths);
    const tagging::Progress progress = context.progress();
    for (std::size_t i = 0; i < paths.size(); ++i) {
      tagging::FileOutcome outcome{paths[i], tagging::Reason::Done, {}};
      std::string trashedPath;
      if (context.cancelled()) {
        outcome.reason = tagging::Reason::Cancelled;
      } else if (progress(i, paths.size()), !fs.exists(paths[i])) {
        outcome.reason = tagging::Reason::NotReadable;  // gone meanwhile: nothing to delete
      } else if (core::MoveToTrash(paths[i], trashedPath)) {
        journal.trashed(paths[i], trashedPath);
      } else {
        untrashed->push_back(paths[i]);
      }
      outcomes->push_back(std::move(outcome));
    }
    journal.finish();
  };
  run.done = [&w, outcomes, untrashed] {
    QStringList names;
    for (const std::string& path : *untrashed) names << ToQString(core::FileNameOf(path));
    if (!untrashed->empty() &&
        w.dialogs().question(DeleteForGoodQuestion(names), ToQString(w.values().AppTitle)) == core::Answer::Yes) {
      for (const std::string& path : *untrashed) w.formatFs().remove(path);
    }
    w.FillFileList();
    w.editing().ClearFileInfo();  // the deleted file is no longer on show
    w.tagList().BuildTagList(w.values().CurrentDir);
    // Only a cancel is told: a file that cannot be deleted stays in the list.
    if (std::any_of(outcomes->begin(), outcomes->end(),
                    [](const tagging::FileOutcome& outcome) { return outcome.reason == tagging::Reason::Cancelled; }))
      w.runs().reportFailures(*outcomes);
  };
  w.runs().start(std::move(run));
}

void FileCommandsController::mnuRename_Click() {
  Tagger& w = window_;
  if (!c_.mnuRename->isEnabled() || w.runs().busy()) return;  // no single file selected, or a run under way
  core::AppValues& values = w.values();
  if (rename_ == nullptr) {
    // A window of its own, owned by the main window. The tag list then shows the new name.
    const auto renamed = [&w] {
      w.cmdRefresh_Click();
      if (w.tagList().AutoTagList()) w.tagList().BuildTagList();
    };
    rename_ = new windows::frmRename(values, w.dialogs(), w.formatFs(), w.yieldHook(), renamed, &w);
  }
  values.RenameSource = core::FileNameOf(values.CurrentFile);
  if (values.RenameSource.size() >= 4) {
    rename_->setFileName(ToQString(values.RenameSource.substr(0, values.RenameSource.size() - 4)));
  }
  rename_->show();
  rename_->raise();
}

void FileCommandsController::mnuInfo_Click() {
  const core::AppValues& values = window_.values();
  window_.dialogs().message(InfoText(values.AppTitle), core::MessageKind::Information, ToQString(values.AppTitle));
}

void Tagger::ShowStartFile(const std::string& path) {
  if (!core::FileExists(path) || core::ParentFolder(path) != values_.CurrentDir) return;
  const std::string name = core::FileNameOf(path);
  for (int row = 0; row < lstFiles_->count(); ++row) {
    if (lstFiles_->nameAt(row) != name) continue;
    lstFiles_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    lstFiles_Click();
    return;
  }
}

}  // namespace mainwindow
