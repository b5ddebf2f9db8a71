// Tagger: the main window. It makes its controls (their object names are the control
// names: drvDrives, dirListe, lstFiles, chkView(0) ...), lays them out, switches the
// language, browses folders and lists their files; every other concern is a controller
// of its own, with its own state, working through the model of the file on show and the
// run controller:
//   EditingController       the file on show (tagging::ShownFile) and the editor's controls
//                           (EditingController, EditorFields, FileInfo, Editing, SaveTagsRun)
//   TagListController       the report view wb and the switches that ask for it (TagList)
//   BatchController         the working modes and the batch panel's runs (BatchModes,
//                           BatchRun, PlayOrderPlaylist)
//   RemovalController       the removal panel and its run (Removal)
//   PlayOrderController     the play-order list and its reordering by dragging (PlayOrder)
//   FileCommandsController  the file commands of the context menu and Undo (FileCommands, Undo)
//   RunController           one run at a time on a worker (RunController; the window's
//                           side, what a run locks, in Runs)
// The window's own files:
//   Tagger.cpp          construction, closing, the services handed to the controllers
//   TaggerControls.cpp  the controls and their design positions (twips); EditorControls.cpp
//                       and BatchPanel.cpp the controls of the tag pages and the batch panel
//   Browsing.cpp        drive and folder changes, FillFileList, cmdRefresh
//   FileList.cpp        clicks, keys, mouse and drops on the lists
//   Menus.cpp           the context menu mnuPop, EnableFileMenus/EnableFolderMenus, play/stop
//   Language.cpp        the language switch
//   Layout.cpp          the resize layout and the background colour
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
  EditingController& editing() { return *editing_; }
  TagListController& tagList() const { return *tagList_; }
  FileCommandsController& fileCommands() { return *fileCommands_; }
  RemovalController& removal() { return *removal_; }
  BatchController& batchRun() { return *batchRun_; }
  PlayOrderController& playOrder() { return *playOrder_; }

  // --- What the controllers use of the window ---
  // The format services of the readers and writers on the GUI thread, and their file
  // system (tests make it fail).
  formats::FormatEnv formatEnv() const;
  formats::FileSystem& formatFs() const;
  void setFormatFileSystem(formats::FileSystem& fs) { formatFs_ = &fs; }
  const std::function<void()>& yieldHook() const { return yield_; }
  // Runs when the window closes, before it goes (the program's shutdown).
  void setUnloadHandler(std::function<void()> handler) { unloadHandler_ = std::move(handler); }

  // --- The folder and its files ---
  void dirListe_Change();
  void FillFileList();
  // The click on the file list: the file under the cursor is shown.
  void lstFiles_Click();
  void cmdRefresh_Click();
  // Points drvDrives at the volume of the folder without firing its change.
  void SetDriveOf(const std::string& folder);
  // Points dirListe at the folder; false when it is no folder. With notify the
  // folder change runs when the folder differs from the one on show.
  bool SetFolder(const std::string& folder, bool notify);
  // Selects the file of the folder on show and shows its tags, as a click on it does.
  void ShowStartFile(const std::string& path);
  int ListClickSuppressed() const { return listClickSuppressed_; }
  // Selects every file of the list without showing one (as Ctrl+A does).
  void SelectAllFiles();
  void EnableFileMenus(int flag);
  void ShowPopupMenu(const QPoint& globalPos);

  // --- Language and colour ---
  void mnuLanguage_Click(int index);
  bool EnglishChecked() const;
  // The window's background colour, handed on to its option panels and boxes.
  void SetFormBackColor(const QColor& color);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // --- The handlers of the window's own controls ---
  void drvDrives_Change();
  void lstFiles_DblClick();
  void lstFiles_SelectAll();  // Ctrl+A
  void lstFiles_Delete();     // the Delete key
  void dirListe_MouseDown(Qt::MouseButton button, const QPoint& globalPos);
  // A drop of file names onto dirListe or lstFiles.
  void dirListe_DragDrop(const QList<QUrl>& urls);
  void EnableFolderMenus(int flag);
  void mnuPlay_Click();
  void mnuStop_Click();
  void ApplyResizeLayout();
  // Widens the file column and everything beneath it, in proportion, until every caption
  // there fits; puts the skip count into the gap of its caption; sets the smallest window
  // size the layout allows. Runs when the captions change (window made, language switch).
  void FitFileColumn();
  void FormBackColor();

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
  windows::frmProgress* progressWindow();

  EditorControls editor_;
  formats::FileSystem* formatFs_ = nullptr;  // nullptr: the real file system
  EditingController* editing_ = nullptr;     // owned by this window
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
