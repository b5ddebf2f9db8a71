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
//   Editing.cpp         SaveTagsToFile, the Enter key, the editing buttons, the focus
//   SaveTagsRun.cpp     the save button over one or several files
//   Options.cpp         genre and picture-type lists, the picture choice, the page switch
//   TagList.cpp         the report view wb and BuildTagList
//   FileCommands.cpp    saving the list, delete, rename, the information box
//   BatchPanel.cpp      the controls of the modes, the batch panel and the removal panel
//   BatchModes.cpp      the working modes, the detection lists, the separator
//   BatchRun.cpp        the batch button: tags from names, names from tags, the merge
//   PlayOrder.cpp       the play-order list and its reordering by dragging
//   Removal.cpp         the removal panel and its run
//   Batch.cpp           the routines of the batch panel called by name
#pragma once
#include <QList>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "mainwindow/BatchControls.h"
#include "mainwindow/EditorControls.h"
#include "tagging/BatchFileView.h"
#include "tagging/BatchNames.h"
#include "tagging/BatchResult.h"
#include "tagging/FileInfoRules.h"
#include "tagging/KeepOldTag.h"

class QAction;
class QCheckBox;
class QComboBox;
class QListWidget;
class QMenu;
class QPushButton;
class QTextBrowser;

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
  void setTagListHeld(bool held) { tagListHeld_ = held; }
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
  // One exclamation message that names the files a save could not write; none for none.
  void ReportUnsavedFiles(const std::vector<formats::Status>& failures);
  EditFields editFields() const;
  void setEditFields(const EditFields& fields);
  HoldFlags holdFlags() const;
  // The tags of the file read last: TagFound, ID3V111Found, ID3V230Found.
  const TagFlags& tagFlags() const { return tagFlags_; }
  bool CoverShown() const { return coverShown_; }
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
  void ShowDetectPattern(int k);
  void chkDetect_Click(int index);
  void cmdNew_Click();
  void txtSeparator_Change();
  void txtSeparator_DblClick();
  void txtIgnore_KeyPress(int& keyAscii);
  void chkDragDrop_Click();
  void chkMerge_Click();
  void cmdBatch_Click();
  void MergeAlbum(const std::string& target);
  void lstSortFiles_MouseDown(Qt::MouseButton button, const QPoint& pos, const QPoint& globalPos);
  void lstSortFiles_MouseMove(Qt::MouseButtons buttons, const QPoint& pos);
  void lstSortFiles_Click();
  void lstSortFiles_DblClick(const QPoint& pos);
  void chkRemoveTag_Click(int index);
  void cmdRemoveTags_Click();

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
  QTextBrowser* wb_ = nullptr;
  bool tagListHeld_ = false;
  bool buildingTagList_ = false;
  windows::frmRename* rename_ = nullptr;  // loaded on first use, owned by this window

  QMenu* mnuPop_ = nullptr;
  QAction* mnuSaveList_ = nullptr;
  QAction* mnuCollect_ = nullptr;
  QAction* mnuDel_ = nullptr;
  QAction* mnuRename_ = nullptr;
  QAction* mnuPlay_ = nullptr;
  QAction* mnuStop_ = nullptr;
  std::array<QAction*, 2> mnuLanguage_{};
  QAction* mnuInfo_ = nullptr;

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
  // A save that would lose tag data asks the user; within a run (lossAnswerForRun_) once.
  tagging::SavePolicy askingPolicy();
  int firstSelectedRow() const;

  EditorControls editor_;
  formats::FileSystem* formatFs_ = nullptr;  // nullptr: the real file system
  windows::frmCover* cover_ = nullptr;       // owned by the program
  windows::frmText* text_ = nullptr;         // loaded on first use, owned by this window
  windows::frmProgress* progress_ = nullptr;  // loaded on first use, owned by this window
  TagFlags tagFlags_;
  bool coverShown_ = false;
  // The file on show has pictures that could not be made ready: saving it would drop them.
  bool picturesMissing_ = false;
  // The answer to the loss question for the run of several files under way: 0 not asked
  // yet, 1 Yes, 2 No; lossAnswerForRun_ says whether an answer is kept for the run.
  int lossAnswer_ = 0;
  bool lossAnswerForRun_ = false;
  // The file whose tags and pictures the view was last filled from.
  std::string shownFile_;
  // The fields as the view showed them after the last read of shownFile_ (held ones as the
  // file's own): a save writes only the fields that differ from these.
  EditFields shownFields_;
  // The lyrics as read; the multi-line box would change their line breaks.
  std::string lyricsAsRead_;
  bool saving_ = false;  // a save by the button or the Enter key is running
  // The picture records of the file on show from a reading of it (temporary files made).
  void loadPictures(const std::string& path, const tagging::FileReading& reading);
  // The picture records made anew from the file on show as it is now (after a save).
  void reloadPictures(const std::string& path);

  // --- Working modes, batch panel, play order, removal ---
  void createBatchControls();
  void createRemovalControls();
  void connectBatch();
  void connectPlayOrder();
  tagging::DetectList detectList(int k) const;
  // The file as the view shows it after reading it (ShowFileInfo), for the batch jobs.
  tagging::FileView viewOfFile(const std::string& path);
  // The view as it stands, without reading the file again.
  tagging::FileView currentView() const;
  void reportFailures(const std::vector<tagging::FileOutcome>& outcomes, const QString& notice = {});
  tagging::Progress gaugeProgress();
  void renameFromTags(QListWidget* workList, const std::vector<int>& rows, const std::string& separator,
                      std::vector<tagging::FileOutcome>& outcomes);
  BatchControls batch_;
  int previousSortIndex_ = -1;  // the list index under the mouse at the last mouse event
  bool batchRunning_ = false;
  // What a merge inside a batch run leaves for the run's closing message.
  std::vector<tagging::FileOutcome> mergeOutcomes_;
  QString mergeNotice_;
};

}  // namespace mainwindow
