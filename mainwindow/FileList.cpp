// What the user does on the lists: clicks, double clicks, keys, mouse buttons, drops.
#include <QMimeData>
#include <QPushButton>

#include "core/AppValues.h"
#include "core/Paths.h"
#include "core/toolkit/MediaControl.h"
#include "mainwindow/BrowsingRules.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/FolderTree.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

void Tagger::lstFiles_Click() {
  // During a run the file on show stays: the run's end decides what the view shows.
  if (listClickSuppressed_ == 1 || runs().busy()) return;
  core::StopPlaying(media_);
  const std::string entry = lstFiles_->nameAt(lstFiles_->currentRow());
  if (entry.empty()) return;
  values_.CurrentFile = values_.CurrentDir + entry;
  if (!core::FileExists(values_.CurrentFile)) return;
  editing_->ShowFileInfo(values_.CurrentFile);  // empties the view first
  EnableFileMenus(1);
  const SelectionCaptions captions = CaptionsForSelection(lstFiles_->selectedCount());
  mnuRename_->setEnabled(captions.renameEnabled);
  cmdSaveTag_->setText(captions.saveTag);
  cmdRemoveTags_->setText(captions.removeTags);
}

void Tagger::lstFiles_DblClick() { mnuPlay_Click(); }

void Tagger::lstFiles_SelectAll() {
  if (runs().busy() || lstFiles_->count() == 0) return;
  SelectAllFiles();
  editing_->ClearFileInfo();
  cmdSaveTag_->setText(tr("TAGs bearbeiten"));
}

void Tagger::SelectAllFiles() {
  listClickSuppressed_ = 1;
  lstFiles_->selectAll();
  listClickSuppressed_ = 0;
}

void Tagger::lstFiles_Delete() {
  fileCommands_->mnuDel_Click();
}

void Tagger::dirListe_MouseDown(Qt::MouseButton button, const QPoint& globalPos) {
  if (button == Qt::RightButton && !runs().busy()) ShowPopupMenu(globalPos);
  core::StopPlaying(media_);
}

void Tagger::dirListe_DragDrop(const QList<QUrl>& urls) {
  if (runs().busy()) return;  // a run keeps its folder
  std::vector<std::string> names;
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) names.push_back(ToNative(url.toLocalFile()));
    yield();
  }
  // A drop without any file name is ignored: there is nothing to open.
  const std::optional<std::string> name = LastDroppedName(names);
  if (!name) return;
  const DropTarget target = DropTargetOf(*name);
  // A folder that cannot be opened must not let a same-named entry of the folder on
  // show be taken for the dropped file.
  if (!SetFolder(target.folder, true)) return;
  yield();
  for (int row = 0; row < lstFiles_->count(); ++row) {
    const bool match = lstFiles_->nameAt(row) == target.entry;  // letter case counts
    lstFiles_->item(row)->setSelected(match);
    if (match) {
      lstFiles_->setCurrentRow(row, QItemSelectionModel::NoUpdate);
      values_.CurrentFile = values_.CurrentDir + target.entry;
    }
  }
}

}  // namespace mainwindow
