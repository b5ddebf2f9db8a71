// The file commands of the context menu: saving the tag list, deleting (a run), renaming
// one file, the information box.
#pragma once

class QAction;
class QListWidget;

namespace windows {
class frmRename;
}

namespace mainwindow {

class FileListBox;
class Tagger;

class FileCommandsController {
 public:
  struct Controls {
    FileListBox* lstFiles = nullptr;
    QListWidget* lstSortFiles = nullptr;
    QAction* mnuRename = nullptr;
  };
  FileCommandsController(Tagger& window, const Controls& controls);

  void mnuSaveList_Click();
  void mnuCollect_Click();
  // Asks, then deletes the selected files in a run.
  void mnuDel_Click();
  void mnuRename_Click();
  void mnuInfo_Click();
  // Takes the last run that changed files back from the journal the command line shares
  // (a run of its own); what was changed since that run is left alone and named.
  void mnuUndo_Click();

 private:
  Tagger& window_;
  Controls c_;
  windows::frmRename* rename_ = nullptr;  // loaded on first use, owned by the window
};

}  // namespace mainwindow
