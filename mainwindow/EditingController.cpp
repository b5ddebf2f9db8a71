#include "mainwindow/EditingController.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/AppValues.h"
#include "mainwindow/EditorCursors.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/Tagger.h"
#include "windows/frmCover.h"

namespace mainwindow {

EditingController::EditingController(Tagger& window, const Controls& controls)
    : QObject(&window), window_(window), c_(controls), editor_(*controls.editor), values_(window.values()) {
  // What the user types reaches the model at once; a text set from the model does not come
  // back half-set.
  const auto typed = [this] {
    if (!showing_) fields();
  };
  for (QLineEdit* field : {editor_.txtTitle, editor_.txtArtist, editor_.txtAlbum, editor_.txtComment, editor_.txtYear,
                           editor_.txtTrack, editor_.txtOriginalArtist, editor_.txtSubtitle, editor_.txtComposer,
                           editor_.txtCopyright, editor_.txtEncodedBy, editor_.txtLanguage})
    connect(field, &QLineEdit::textChanged, this, typed);
  connect(editor_.cboGenre, &QComboBox::currentTextChanged, this, typed);
  connect(editor_.txtLyrics, &QPlainTextEdit::textChanged, this, typed);
  connectControls();
}

void EditingController::presentUnread(const tagging::EditFields& shown) {
  model_.forgetFile();
  if (cover_ != nullptr) cover_->clearPicture();
  present(shown);
}

void EditingController::showChosenPicture() {
  if (cover_ == nullptr) return;
  cover_->clearPicture();
  const QComboBox* types = editor_.cboPictureType;
  if (types->currentIndex() < 0) return;
  const int chosen = types->currentData().toInt();
  // Every picture of the chosen type is loaded in turn; the last one stays shown.
  const auto& pictures = model_.PictureList();
  for (std::size_t i = 1; i < pictures.size(); ++i) {
    if (pictures[i].PicType == chosen) cover_->showPicture(ToQString(pictures[i].FileName));
  }
}

bool EditingController::prepareSave(const std::string& path) {
  fields();
  return model_.canSave(path);
}

formats::Status EditingController::saveModel(const std::string& path, const formats::FormatEnv& env,
                                             const tagging::SavePolicy& policy) {
  return model_.save(path, env, policy, values_.TempCoverBase);
}

void EditingController::saveEnded(const formats::Status& saved) {
  // The save has moved the picture frames: the records were made anew from the file.
  if (saved) showChosenPicture();
}

tagging::FileView EditingController::view() {
  fields();
  return model_.view();
}

tagging::ViewReader EditingController::reader(tagging::ReadScope scope) {
  return tagging::FileViewReader(fields(), holdFlags(), window_.formatEnv(), scope);
}

void EditingController::setCoverWindow(windows::frmCover* cover) {
  if (cover_ != nullptr) {
    disconnect(cover_, nullptr, this, nullptr);
    cover_->setShownFile(nullptr);
  }
  cover_ = cover;
  coverShown_ = cover_ != nullptr && cover_->isVisible();
  if (cover_ == nullptr) return;
  cover_->setShownFile(&model_);
  connect(cover_, &windows::frmCover::hiddenByUser, this, [this] { coverShown_ = false; });
  connect(cover_, &QObject::destroyed, this, [this] {
    cover_ = nullptr;
    coverShown_ = false;
  });
}

void EditingController::toggleCover() {
  if (coverShown_) {
    if (cover_ != nullptr) cover_->hide();
    coverShown_ = false;
    return;
  }
  showChosenPicture();
  if (cover_ != nullptr) {
    cover_->show();
    coverShown_ = true;
  }
}

}  // namespace mainwindow
