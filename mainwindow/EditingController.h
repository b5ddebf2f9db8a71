// The editing concern of the main window: it owns the model of the file on show
// (tagging::ShownFile) and keeps the editor's widgets and the cover window in step with it.
// Reading a file into the editor, clearing it, the picture of the chosen type, the cover
// window and the save of the fields go through here; Tagger's handlers call it.
#pragma once
#include <QObject>
#include <functional>
#include <string>

#include "mainwindow/EditorControls.h"
#include "tagging/BatchFileView.h"
#include "tagging/KeepOldTag.h"
#include "tagging/ShownFile.h"

namespace core {
struct AppValues;
}  // namespace core

namespace mainwindow {

class EditingController : public QObject {
  Q_OBJECT
 public:
  // What the controller needs of its window: the format environment of the readers and
  // writers, the yield between two steps, and the comment window (made on first use).
  struct Services {
    std::function<formats::FormatEnv()> env;
    std::function<void()> yield;
    std::function<windows::frmText*()> textWindow;
  };
  EditingController(EditorControls& editor, core::AppValues& values, Services services, QObject* parent);

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
  // Shows the picture of the type chosen in cboPictureType in the cover window.
  void showChosenPicture();
  // Saves the fields into the file on show; false when it was not written (another file
  // than the one on show, pictures that could not be located, or the save failed).
  formats::Status SaveTagsToFile(const std::string& path, const tagging::SavePolicy& policy);
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

  EditorControls& editor_;
  core::AppValues& values_;
  Services services_;
  tagging::ShownFile model_;
  windows::frmCover* cover_ = nullptr;  // owned by the program
  bool coverShown_ = false;
  bool showing_ = false;  // the widgets are being set from the model
};

}  // namespace mainwindow
