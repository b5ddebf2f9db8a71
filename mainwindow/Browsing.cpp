// Drive and folder changes, the file list, cmdRefresh and chkRecursive.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <limits>

#include "core/AppValues.h"
#include "core/Paths.h"
#include "mainwindow/BrowsingRules.h"
#include "mainwindow/DriveBox.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/FolderTree.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/TagListController.h"
#include "mainwindow/Tagger.h"
#include "mainwindow/Volumes.h"

namespace mainwindow {

void Tagger::drvDrives_Change() {
  const std::string drive = drvDrives_->drive();
  if (drive.empty()) return;
  const auto remembered = folderOfVolume_.find(drive);
  if (remembered != folderOfVolume_.end() && SetFolder(remembered->second, true)) return;
  if (SetFolder(drive, true)) return;
  // The volume cannot be read (gone, or an empty drive): the selector goes back to the
  // volume of the folder on show, so that the folder list stays usable.
  SetDriveOf(dirListe_->path());
}

bool Tagger::SetFolder(const std::string& folder, bool notify) {
  if (!dirListe_->setPath(folder, notify)) return false;
  rememberFolderOfVolume();
  return true;
}

void Tagger::SetDriveOf(const std::string& folder) { drvDrives_->selectVolumeOf(folder); }

void Tagger::rememberFolderOfVolume() {
  const std::string volume = VolumeOf(dirListe_->path(), drvDrives_->roots());
  if (!volume.empty()) folderOfVolume_[volume] = dirListe_->path();
}

void Tagger::dirListe_Change() {
  EnableFolderMenus(0);
  editing_->ClearFileInfo();
  editing_->ShowFirstTagPage();
  std::string current = dirListe_->path();  // already the long form: setPath made it so
  values_.CurrentDir = core::AddBackslash(current);
  values_.CurrentDirName = core::AfterLast(values_.CurrentDir, core::Separator);
  setWindowTitle(ToQString(WindowTitle(values_.AppTitle, values_.CurrentDir)));
  SetDriveOf(values_.CurrentDir);
  rememberFolderOfVolume();
  yield();
  FillFileList();
  if (chkAuto_->isChecked() && !chkRecursive_->isChecked()) tagList_->BuildTagList();
}

void Tagger::FillFileList() {
  // Work files that a killed run left go first: hidden as they are, nothing else removes them.
  formatEnv().fs->removeLeftWorkFiles(values_.CurrentDir);
  const std::vector<std::string> names = core::ListMp3Files(values_.CurrentDir);
  yield();
  // The count is a 16-bit number; a folder with more files than it can hold still
  // lists them all.
  values_.FileCount = static_cast<std::int16_t>(
      std::min<std::size_t>(names.size(), static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())));
  if (values_.FileCount > 0) EnableFolderMenus(1);
  EnableFileMenus(0);
  lstFiles_->setNames(names);
  FillNameList(lstSortFiles_, names);
}

void Tagger::cmdRefresh_Click() {
  dirListe_->refresh();
  FillFileList();
  editing_->SetEditFocus();
}

}  // namespace mainwindow
