// The editing concern of the main window: it owns the model of the file on show
// (tagging::ShownFile) and keeps the editor's widgets and the cover window in step with it.
// Reading a file into the editor, clearing it, the picture of the chosen type, the cover
// window, the comment window and the save of the fields go through here, and the events of
// the editor's controls (the save button, the Enter key, the hold, text and all-files
// buttons, the page switch) come here.
#pragma once
#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "mainwindow/EditorControls.h"
#include "tagging/BatchFileView.h"
#include "tagging/KeepOldTag.h"
#include "tagging/ShownFile.h"

class QPushButton;
class QWidget;

namespace core {
struct AppValues;
}  // namespace core

namespace mainwindow {

class FileListBox;
class Tagger;
struct BatchControls;

class EditingController : public QObject {
  Q_OBJECT
 public:
  struct Controls {
    EditorControls* editor = nullptr;
    FileListBox* lstFiles = nullptr;
    QPushButton* cmdSaveTag = nullptr;
    QWidget* picTags = nullptr;
    QWidget* picTags2 = nullptr;
    const BatchControls* batch = nullptr;  // in the batch modes the separator takes the focus
  };
  // Wires the editor's controls to the handlers below; owned by the window.
  EditingController(Tagger& window, const Controls& controls);

  tagging::ShownFile& model() { return model_; }
  const tagging::ShownFile& model() const { return model_; }

  // The fields as the widgets hold them; the model takes them over.
  tagging::EditFields fields();
  // Puts fields into the widgets (and the model) as the fields of the file on show.
  void present(const tagging::EditFields& fields);
  // Puts fields into the widgets that belong to no file read by the editor (a batch run's
  // file, a merged album): the model lets go of its file, so no save takes them for it.
  void presentUnread(const tagging::EditFields& fields);
  tagging::HoldFlags holdFlags() const;

  void ClearFileInfo();
  void ShowFileInfo(const std::string& path);
  // The tags of the file read last: TagFound, ID3V111Found, ID3V230Found.
  const tagging::TagFlags& tagFlags() const { return model_.tagFlags(); }
  // The file whose tags and pictures the view was last filled from.
  const std::string& shownFile() const { return model_.path(); }
  // Shows the picture of the type chosen in cboPictureType in the cover window.
  void showChosenPicture();
  // The lists filled once when the window opens: the genres, and the picture types sorted
  // by name.
  void FillGenres();
  void FillPictureTypes();
  // The first page of tag fields to the front.
  void ShowFirstTagPage();
  // The focus back into the editor (in the batch modes: into the separator).
  void SetEditFocus();

  // --- The events of the editor's controls ---
  // The save button: the fields into the one selected file, or the held fields into every
  // selected file (a run over them, after the question).
  void cmdSaveTag_Click();
  // Key handlers take the character code of the key (13 Enter, 8 backspace); a code set
  // to 0 swallows the key. Enter saves the file on show and moves on to the next one.
  void txtTitle_KeyPress(int& keyAscii);
  void txtYear_KeyPress(int& keyAscii);
  void cmdHold_Click(int index);
  void cmdAllFiles_Click(int index);
  void cmdText_Click(int index);
  void txtComment_DblClick();
  void cmdCover_Click();
  void cboPictureType_Click() { showChosenPicture(); }
  void chkTagTab_Click(int index);
  void chkHold_Click(int index);

  // The save of the file on show as a run on the worker (the window locked, no progress
  // window); `then` gets the status on the GUI thread when the run has ended.
  void StartSaveOfShownFile(const std::string& path, std::function<void(const formats::Status&)> then);
  // One exclamation message that names the files a save could not write; none for none.
  void ReportUnsavedFiles(const std::vector<formats::Status>& failures);
  // The comment window (made on first use, owned by the window).
  windows::frmText* textWindow();

  // The save in three steps, for a run on a worker: on the GUI thread the fields as the
  // widgets hold them reach the model and the save is checked (false: not the file on
  // show, or pictures that could not be located); on the worker the model is saved
  // (no widget touched, the window locked meanwhile); back on the GUI thread the cover
  // window shows the picture records made anew.
  bool prepareSave(const std::string& path);
  formats::Status saveModel(const std::string& path, const formats::FormatEnv& env, const tagging::SavePolicy& policy);
  void saveEnded(const formats::Status& saved);
  // The cover window, which works on the model's pictures; nullptr while none is loaded.
  windows::frmCover* coverWindow() const { return cover_; }
  // The file on show as a batch job sees it, the fields as the widgets hold them.
  tagging::FileView view();
  // How a batch job reads a file: straight from the file, the held fields as they stand now,
  // no widget touched and no picture copied.
  tagging::ViewReader reader(tagging::ReadScope scope = tagging::ReadScope::Everything);

  // The cover window, handed in once it is loaded; it works on the model's pictures.
  void setCoverWindow(windows::frmCover* cover);
  bool coverShown() const { return coverShown_; }
  // Shows the cover window with the chosen picture, or hides it.
  void toggleCover();

 private:
  void showFields(const tagging::EditFields& fields);
  void connectControls();
  int firstSelectedRow() const;

  Tagger& window_;
  Controls c_;
  EditorControls& editor_;
  core::AppValues& values_;
  windows::frmText* text_ = nullptr;  // loaded on first use, owned by the window
  tagging::ShownFile model_;
  windows::frmCover* cover_ = nullptr;  // owned by the program
  bool coverShown_ = false;
  bool showing_ = false;  // the widgets are being set from the model
};

}  // namespace mainwindow
