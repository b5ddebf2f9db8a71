// The file commands of the context menu: saving the tag list, deleting, renaming, the
// information box; and the file named on the command line.
#include <QAbstractButton>
#include <QCheckBox>
#include <QListWidget>

#include "core/AppValues.h"
#include "core/Paths.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/Trash.h"
#include "mainwindow/FileCommandRules.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
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

void Tagger::mnuSaveList_Click() {
  if (lstFiles_->count() == 0) return;
  reports::CopyPageFile(*formatEnv().fs, values_.TempIndexFile, values_.CurrentDir + values_.IndexFileName);
}

void Tagger::mnuCollect_Click() {
  if (lstFiles_->count() == 0) return;
  std::string folder = values_.IndexDir;
  core::MakePath(folder);
  reports::CopyPageFile(*formatEnv().fs, values_.TempIndexFile,
                        values_.IndexDir + CollectionFileName(values_.CurrentDirName));
}

void Tagger::mnuDel_Click() {
  if (dialogs_.question(DeleteQuestion(), ToQString(values_.AppTitle)) != core::Answer::Yes) return;
  // The play-order list is the one on show in the batch mode "tag to file name" with
  // drag and drop or merge: its selection counts then.
  const bool playOrder = Checked(this, "optTagEdit(2)") && (Checked(this, "chkDragDrop") || Checked(this, "chkMerge"));
  const QListWidget* list = playOrder ? lstSortFiles_ : static_cast<QListWidget*>(lstFiles_);
  std::vector<std::string> chosen;
  for (int row = 0; row < list->count(); ++row) {
    if (list->item(row)->isSelected()) chosen.push_back(list->item(row)->data(Qt::UserRole).toByteArray().toStdString());
  }
  if (chosen.empty()) return;
  // The files go to the trash, recorded so that Undo takes them back out; the files whose
  // volume has no trash are deleted for good only when the user agrees to that too.
  std::vector<std::string> paths;
  for (const std::string& name : chosen) paths.push_back(values_.CurrentDir + name);
  tagging::JournalRun run = tagging::Journal().begin(tr("Löschen").toStdString(), paths);
  formats::FileSystem& fs = *formatEnv().fs;
  std::vector<std::string> untrashed;
  QStringList untrashedNames;
  for (const std::string& path : paths) {
    std::string trashedPath;
    if (core::MoveToTrash(path, trashedPath)) {
      run.trashed(path, trashedPath);
    } else if (fs.exists(path)) {
      untrashed.push_back(path);
      untrashedNames << ToQString(core::FileNameOf(path));
    }
  }
  run.finish();
  if (!untrashed.empty() &&
      dialogs_.question(DeleteForGoodQuestion(untrashedNames), ToQString(values_.AppTitle)) == core::Answer::Yes) {
    for (const std::string& path : untrashed) fs.remove(path);
  }
  yield();
  FillFileList();
  ClearFileInfo();  // the deleted file is no longer on show
  BuildTagList(values_.CurrentDir);
}

void Tagger::mnuRename_Click() {
  if (!mnuRename_->isEnabled()) return;  // no single file selected
  if (rename_ == nullptr) {
    // A window of its own, owned by this one. The tag list then shows the new name.
    const auto renamed = [this] {
      cmdRefresh_Click();
      if (chkAuto_->isChecked()) BuildTagList();
    };
    rename_ = new windows::frmRename(values_, dialogs_, *formatEnv().fs, yield_, renamed, this);
  }
  values_.RenameSource = core::FileNameOf(values_.CurrentFile);
  if (values_.RenameSource.size() >= 4) {
    rename_->setFileName(ToQString(values_.RenameSource.substr(0, values_.RenameSource.size() - 4)));
  }
  rename_->show();
  rename_->raise();
}

void Tagger::mnuInfo_Click() {
  dialogs_.message(InfoText(values_.AppTitle), core::MessageKind::Information, ToQString(values_.AppTitle));
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
