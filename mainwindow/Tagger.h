// Tagger: the main window. Its controls carry their names as object names (drvDrives,
// dirListe, lstFiles, chkView(0) ...). The handlers live in one source file per concern:
//   Tagger.cpp          construction, closing, the services handed in
//   TaggerControls.cpp  the controls and their design positions (twips)
//   Browsing.cpp        drive and folder changes, FillFileList, cmdRefresh, chkRecursive
//   FileList.cpp        clicks, keys, mouse and drops on the lists
//   Menus.cpp           the context menu mnuPop, EnableFileMenus/EnableFolderMenus, play/stop
//   Language.cpp        the language switch
//   Layout.cpp          the resize layout and the background colour
//   EditorControls.cpp  the editor's controls on the two tag pages, and their events
//   EditorFields.cpp    the edit fields read and written as one record
//   FileInfo.cpp        ShowFileInfo and ClearFileInfo
//   EditingController   the file on show (tagging::ShownFile) kept in step with the editor
//   Editing.cpp         SaveTagsToFile, the Enter key, the editing buttons, the focus
//   SaveTagsRun.cpp     the save button over one or several files
//   Options.cpp         genre and picture-type lists, the picture choice, the page switch
//   TagList.cpp         the report view wb and BuildTagList (TagListController)
//   FileCommands.cpp    FileCommandsController: saving the list, delete, rename, the information box
//   BatchPanel.cpp      the controls of the modes, the batch panel and the removal panel
//   BatchModes.cpp      the working modes, the detection lists, the separator
//   BatchRun.cpp        BatchController: the batch button: tags from names, names from tags, the merge
//   PlayOrder.cpp       PlayOrderController: the play-order list and its reordering by dragging
//   Removal.cpp         RemovalController: the removal panel and its run
//   PlayOrderPlaylist.cpp  the play order written as "<folder name>.m3u8"
//   Undo.cpp            the Undo command: the last run taken back from the journal
//   Batch.cpp           the routines of the batch panel called by name
//   Runs.cpp            the run controller's side of the window: what a run locks, its end message
#pragma once
#include <QList>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/BatchControls.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/BatchController.h"
#include "mainwindow/FileCommandsController.h"
#include "mainwindow/PlayOrderController.h"
#include "mainwindow/RemovalController.h"
#include "mainwindow/RunController.h"
#include "tagging/BatchFileView.h"
#include "tagging/BatchNames.h"
#include "tagging/BatchResult.h"
#include "tagging/FileInfoRules.h"
#include "tagging/Journal.h"
#include "tagging/KeepOldTag.h"

class QAction;
class QCheckBox;
class QComboBox;
class QListWidget;
class QMenu;
class QPushButton;

namespace windows {
class frmRename;
}

namespace tagging {
struct FileReading;
}  // namespace tagging

namespace core {
struct AppValues;
class DialogService;
class MediaControl;
}  // namespace core

namespace mainwindow {

using tagging::EditFields;
using tagging::HoldFlags;
using tagging::TagFlags;


class DriveBox;
class EditingController;
class FileListBox;
class FolderTree;
class TagListController;

class Tagger : public QWidget {
  Q_OBJECT
 public:
  // yield lets pending events run; it may be empty (tests).
  Tagger(core::AppValues& values, core::DialogService& dialogs, core::MediaControl& media,
         std::function<void()> yield, QWidget* parent = nullptr);
  ~Tagger() override;

  core::AppValues& values() { return values_; }
  core::DialogService& dialogs() { return dialogs_; }
  core::MediaControl& media() { return media_; }
  // The runs that change files, one at a time (made on first use).
  RunController& runs();
  // One controller per concern, each with its own state.
  FileCommandsController& fileCommands() { return *fileCommands_; }
  RemovalController& removal() { return *removal_; }
  BatchController& batchRun() { return *batchRun_; }
  PlayOrderController& playOrder() { return *playOrder_; }

  // --- What the controllers use of the window ---
  // The view as it stands, without reading the file again.
  tagging::FileView currentView() const;
  // The file whose tags and pictures the view was last filled from.
  const std::string& ShownFile() const;
  // The end message of a run: the notice, the files not changed with their reasons, and
  // after a cancel how many of the run's files were done.
  void reportFailures(const std::vector<tagging::FileOutcome>& outcomes, const QString& notice = {});
  // The format services for a run's worker (no yield; notices on the GUI thread).
  formats::FormatEnv runEnv(RunContext& run, formats::FileSystem& fs);
  // A save in the run that would lose tag data asks on the GUI thread; with oneAnswer the
  // first answer stands for the rest of the run.
  tagging::SavePolicy runAskingPolicy(RunContext& run, bool oneAnswer);
  formats::FileSystem& formatFs() const;
  // chkAuto: the tag list is built again after a run.
  bool AutoTagList() const;
  const std::function<void()>& yieldHook() const { return yield_; }
  // The batch panel's detection list k (the language switch rewrites its preview).
  tagging::DetectList detectList(int k) const;
  // Runs when the window closes, before it goes (the program's shutdown).
  void setUnloadHandler(std::function<void()> handler) { unloadHandler_ = std::move(handler); }

  // --- Folder browsing and file list ---
  void drvDrives_Change();
  void dirListe_Change();
  void FillFileList();
  void lstFiles_Click();
  void lstFiles_DblClick();
  void lstFiles_SelectAll();  // Ctrl+A
  void lstFiles_Delete();     // the Delete key
  void dirListe_MouseDown(Qt::MouseButton button, const QPoint& globalPos);
  // A drop of file names onto dirListe or lstFiles.
  void dirListe_DragDrop(const QList<QUrl>& urls);
  void cmdRefresh_Click();
  void chkRecursive_Click();
  // Points drvDrives at the volume of the folder without firing its change.
  void SetDriveOf(const std::string& folder);
  // Points dirListe at the folder; false when it is no folder. With notify the
  // folder change runs when the folder differs from the one on show.
  bool SetFolder(const std::string& folder, bool notify);
  int ListClickSuppressed() const { return listClickSuppressed_; }

  // --- Context menu ---
  void EnableFileMenus(int flag);
  void EnableFolderMenus(int flag);
  void ShowPopupMenu(const QPoint& globalPos);
  void mnuPlay_Click();
  void mnuStop_Click();
  void mnuLanguage_Click(int index);
  bool EnglishChecked() const;
  void mnuUndo_Click();
  // The play order's playlist (PlayOrderPlaylist.cpp): whether it may be written (an older
  // one is replaced only when the user agrees), and writing it for the files in order.
  bool playlistWanted(std::string& path, bool& replace);
  // Runs on the run's worker; false when the playlist could not be written.
  bool writePlaylist(const std::string& path, bool replace, const std::vector<tagging::FileOutcome>& order,
                     tagging::JournalRun& run, const formats::FormatEnv& env);

  // --- Layout and options ---
  void ApplyResizeLayout();
  // Widens the file column and everything beneath it, in proportion, until every caption
  // there fits; puts the skip count into the gap of its caption; sets the smallest window
  // size the layout allows. Runs when the captions change (window made, language switch).
  void FitFileColumn();
  // The window's background colour, handed on to its option panels and boxes.
  void SetFormBackColor(const QColor& color);
  void FormBackColor();
  void FillGenres();
  void FillPictureTypes();
  void chkView_Click(int index);
  void chkAuto_Click();
  // The first page of tag fields to the front.
  void ShowFirstTagPage();

  // --- Routines of the editor, the tag list and the batch panel ---
  void ClearFileInfo();
  void ShowFileInfo(const std::string& path);
  void SetEditFocus();
  void cmdTagCheck_Click();
  void BuildTagList(const std::string& folder);
  // The tag list of the folder on show (what the batch runs call when they end).
  void BuildTagList() { BuildTagList(values_.CurrentDir); }
  // While held, requests to build the tag list are let go (the start-up builds it once,
  // at its end, however often folder and view switches change before).
  void setTagListHeld(bool held);
  // The report view and the build behind it: isBuilding(), cancelBuild().
  TagListController& tagList() const { return *tagList_; }
  // Selects the file of the folder on show and shows its tags, as a click on it does.
  void ShowStartFile(const std::string& path);
  void FillFieldOrderLists();
  void AlignDragDropOption();

  // --- Editor ---
  // The cover window that shows the picture of the chosen type; the program hands it in
  // once it has loaded it. Without one the picture commands only keep the picture list.
  void setCoverWindow(windows::frmCover* cover);
  // The file system the tag readers and writers go through (tests make it fail).
  void setFormatFileSystem(formats::FileSystem& fs) { formatFs_ = &fs; }
  // Writes the edit fields and the picture list into the file as both its tags. False
  // when the file was not written; it is then exactly as it was.
  formats::Status SaveTagsToFile(const std::string& path);
  // The same as a run on the worker (the window locked, no progress window); `then` gets
  // the status on the GUI thread when the run has ended.
  void StartSaveOfShownFile(const std::string& path, std::function<void(const formats::Status&)> then);
  // One exclamation message that names the files a save could not write; none for none.
  void ReportUnsavedFiles(const std::vector<formats::Status>& failures);
  EditFields editFields() const;
  void setEditFields(const EditFields& fields);
  HoldFlags holdFlags() const;
  // The tags of the file read last: TagFound, ID3V111Found, ID3V230Found.
  const TagFlags& tagFlags() const;
  // The editing concern: the model of the file on show, kept in step with the editor.
  EditingController& editing() { return *editing_; }
  bool CoverShown() const;
  void cmdSaveTag_Click();
  // Key handlers take the character code of the key (13 Enter, 8 backspace); a code set
  // to 0 swallows the key.
  void txtTitle_KeyPress(int& keyAscii);
  void txtYear_KeyPress(int& keyAscii);
  void cmdHold_Click(int index);
  void cmdAllFiles_Click(int index);
  void cmdText_Click(int index);
  void txtComment_DblClick();
  void cmdCover_Click();
  void cboPictureType_Click();
  void chkTagTab_Click(int index);
  void chkHold_Click(int index);

  // --- Working modes, batch panel, play order, removal ---
  // The checked optTagEdit: 0 normal, 1 file name to tags, 2 tags to file name.
  int Mode() const;
  void optTagEdit_Click(int index);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void createBrowsingControls();
  void createTagPanels();
  void createMenus();
  void connectBrowsing();
  void yield() const;
  void rememberFolderOfVolume();

  core::AppValues& values_;
  core::DialogService& dialogs_;
  core::MediaControl& media_;
  std::function<void()> yield_;
  std::function<void()> unloadHandler_;
  int listClickSuppressed_ = 0;
  // The folder last shown on each volume: a drive change goes back there, as a drive's
  // current folder does.
  std::map<std::string, std::string> folderOfVolume_;

  QWidget* picDir_ = nullptr;
  DriveBox* drvDrives_ = nullptr;
  FolderTree* dirListe_ = nullptr;
  std::array<QCheckBox*, 6> chkView_{};
  QWidget* picTagCheck_ = nullptr;
  QPushButton* cmdTagCheck_ = nullptr;
  QPushButton* cmdRefresh_ = nullptr;
  QCheckBox* chkAuto_ = nullptr;
  QCheckBox* chkRecursive_ = nullptr;
  FileListBox* lstFiles_ = nullptr;
  QListWidget* lstSortFiles_ = nullptr;
  QWidget* picTags_ = nullptr;
  QWidget* picTags2_ = nullptr;
  QWidget* picBatch_ = nullptr;
  QWidget* picRemoveTags_ = nullptr;
  QPushButton* cmdSaveTag_ = nullptr;
  QPushButton* cmdRemoveTags_ = nullptr;

  // --- Tag list ---
  void createReportView();
  void tagListBuilding(bool building);
  TagListController* tagList_ = nullptr;  // owned by the window

  QMenu* mnuPop_ = nullptr;
  QAction* mnuSaveList_ = nullptr;
  QAction* mnuCollect_ = nullptr;
  QAction* mnuDel_ = nullptr;
  QAction* mnuRename_ = nullptr;
  QAction* mnuPlay_ = nullptr;
  QAction* mnuStop_ = nullptr;
  std::array<QAction*, 2> mnuLanguage_{};
  QAction* mnuInfo_ = nullptr;
  QAction* mnuUndo_ = nullptr;

  // --- Editor ---
  void createEditorControls();
  void createFirstTagPage();
  void createSecondTagPage();
  void connectEditor();
  formats::FormatEnv formatEnv() const;
  windows::frmText* textWindow();
  windows::frmProgress* progressWindow();
  formats::Status saveFields(const std::string& path, const EditFields& fields, const std::vector<core::PictureRecord>& pictures,
                  const EditFields& shown);
  // A save that would lose tag data asks the user (the save of the file on show).
  tagging::SavePolicy askingPolicy();
  int firstSelectedRow() const;

  EditorControls editor_;
  formats::FileSystem* formatFs_ = nullptr;  // nullptr: the real file system
  EditingController* editing_ = nullptr;     // owned by this window
  windows::frmText* text_ = nullptr;         // loaded on first use, owned by this window
  windows::frmProgress* progress_ = nullptr;  // loaded on first use, owned by this window

  // --- Working modes, batch panel, play order, removal ---
  void createBatchControls();
  void createRemovalControls();
  void connectBatch();
  BatchControls batch_;

  // --- Runs ---
  // Locks every control that could start another run while one is under way.
  void LockForRun(bool running);
  std::unique_ptr<FileCommandsController> fileCommands_;
  std::unique_ptr<RemovalController> removal_;
  std::unique_ptr<BatchController> batchRun_;
  PlayOrderController* playOrder_ = nullptr;  // owned by lstSortFiles
  // Declared last: it goes first, waiting for a run under way while the widgets still exist.
  std::unique_ptr<RunController> runs_;
};

}  // namespace mainwindow
