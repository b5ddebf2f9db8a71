// Tagger: the main window. Its controls carry their names as object names (drvDrives,
// dirListe, lstFiles, chkView(0) ...). The handlers live in one source file per concern:
//   Tagger.cpp          construction, closing, the services handed in
//   TaggerControls.cpp  the controls and their design positions (twips)
//   Browsing.cpp        drive and folder changes, FillFileList, cmdRefresh, chkRecursive
//   FileList.cpp        clicks, keys, mouse and drops on the lists
//   Menus.cpp           the context menu mnuPop, EnableFileMenus/EnableFolderMenus, play/stop
//   Language.cpp        the language switch
//   Layout.cpp          the resize layout and the background colour
//   FileInfo.cpp, Editing.cpp, TagList.cpp, FileCommands.cpp, Options.cpp, Batch.cpp:
//                       the routines of the editor, tag list, file commands, options and
//                       batch, filled in by their own work
#pragma once
#include <QList>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QListWidget;
class QMenu;
class QPushButton;

namespace core {
struct AppValues;
class DialogService;
class MediaControl;
}  // namespace core

namespace mainwindow {

class DriveBox;
class FileListBox;
class FolderTree;

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
  void mnuSaveList_Click();
  void mnuCollect_Click();
  void mnuDel_Click();
  void mnuRename_Click();
  void mnuInfo_Click();

  // --- Layout and options ---
  void ApplyResizeLayout();
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
  void FillFieldOrderLists();
  void AlignDragDropOption();

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

  QMenu* mnuPop_ = nullptr;
  QAction* mnuSaveList_ = nullptr;
  QAction* mnuCollect_ = nullptr;
  QAction* mnuDel_ = nullptr;
  QAction* mnuRename_ = nullptr;
  QAction* mnuPlay_ = nullptr;
  QAction* mnuStop_ = nullptr;
  std::array<QAction*, 2> mnuLanguage_{};
  QAction* mnuInfo_ = nullptr;
};

}  // namespace mainwindow
