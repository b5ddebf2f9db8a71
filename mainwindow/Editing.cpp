// Editing: saving the fields into a file, the Enter key that saves and moves on, the
// year key filter, the hold, text and all-files buttons, the comment window, the cover
// toggle, the tag-list button and where the focus goes.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <cerrno>
#include <memory>

#include "core/AppValues.h"
#include "core/Texts.h"
#include "core/toolkit/Dialogs.h"
#include "formats/FileIo.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/EditorCursors.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/RunController.h"
#include "tagging/TagSaveRules.h"
#include "mainwindow/Tagger.h"
#include "windows/frmCover.h"
#include "windows/frmProgress.h"
#include "windows/frmText.h"
#include "tagging/Journal.h"

namespace mainwindow {

void Tagger::setCoverWindow(windows::frmCover* cover) { editing_->setCoverWindow(cover); }

bool Tagger::CoverShown() const { return editing_->coverShown(); }

formats::FormatEnv Tagger::formatEnv() const {
  formats::FormatEnv env;
  env.fs = formatFs_ != nullptr ? formatFs_ : &formats::FileSystem::standard();
  env.yield = yield_;
  env.notice = [this](const std::string& text) {
    dialogs_.message(FromUtf8(text), core::MessageKind::Information, ToQString(values_.AppTitle));
  };
  return env;
}

windows::frmText* Tagger::textWindow() {
  if (text_ == nullptr) {
    text_ = new windows::frmText(values_, dialogs_, yield_, this);  // a window of its own, owned by this one
    connect(text_, &windows::frmText::textTakenOver, this, [this](const QString& text) {
      QString comment = text;
      comment.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
      editor_.txtComment->setText(comment);
    });
  }
  return text_;
}

windows::frmProgress* Tagger::progressWindow() {
  if (progress_ == nullptr) progress_ = new windows::frmProgress(yield_, this);  // a window, owned by this one
  return progress_;
}

formats::Status Tagger::saveFields(const std::string& path, const EditFields& fields,
                                   const std::vector<core::PictureRecord>& pictures, const EditFields& shown) {
  WindowHourglass hourglass(this);
  return tagging::SaveTagsToFile(path, fields, pictures, formatEnv(), askingPolicy(), &shown);
}

tagging::SavePolicy Tagger::askingPolicy() {
  // Nothing is dropped unasked: where the save would lose something the user answers.
  tagging::SavePolicy policy;
  policy.mode = tagging::SavePolicy::Mode::Ask;
  policy.ask = [this](const tagging::SaveLoss& loss) {
    return dialogs_.question(LossQuestion(loss), ToQString(values_.AppTitle)) == core::Answer::Yes;
  };
  return policy;
}

formats::Status Tagger::SaveTagsToFile(const std::string& path) {
  // The picture list belongs to the file on show: another file would receive its pictures in
  // place of its own. Saving without the pictures that could not be located would remove them.
  tagging::JournalRun run = tagging::Journal().begin(tr("Speichern").toStdString(), {path});
  formats::Status saved = editing_->SaveTagsToFile(path, askingPolicy());
  saved ? void(run.finish()) : run.abandon();
  return saved;
}

void Tagger::StartSaveOfShownFile(const std::string& path, std::function<void(const formats::Status&)> then) {
  if (!editing_->prepareSave(path)) {
    then(formats::Status::Io(EIO, path));
    return;
  }
  auto saved = std::make_shared<formats::Status>();
  RunController::Run run;
  run.showProgress = false;
  run.work = [this, path, saved, title = tr("Speichern").toStdString(), &fs = formatFs()](RunContext& context) {
    tagging::JournalRun journal = tagging::Journal().begin(title, {path});
    *saved = editing_->saveModel(path, runEnv(context, fs), runAskingPolicy(context, false));
    *saved ? void(journal.finish()) : journal.abandon();
  };
  run.done = [this, saved, then = std::move(then)] {
    editing_->saveEnded(*saved);
    then(*saved);
  };
  runs().start(std::move(run));
}

void Tagger::ReportUnsavedFiles(const std::vector<formats::Status>& failures) {
  if (failures.empty()) return;
  dialogs_.message(SaveFailureMessage(failures), core::MessageKind::Exclamation,
                   ToQString(values_.AppTitle));
}

int Tagger::firstSelectedRow() const {
  for (int row = 0; row < lstFiles_->count(); ++row) {
    if (lstFiles_->item(row)->isSelected()) return row;
  }
  return -1;
}

void Tagger::txtTitle_KeyPress(int& keyAscii) {
  if (keyAscii != 13) return;
  keyAscii = 0;
  // A run under way is not interrupted; this save is a run of its own.
  if (runs().busy() || lstFiles_->selectedCount() != 1) return;
  cmdSaveTag_->setText(SaveTagCaption(SaveCaption::EnterSaving));
  StartSaveOfShownFile(values_.CurrentFile, [this](const formats::Status& saved) {
    const int row = firstSelectedRow();
    // A file that was not written stays on show with the text as typed.
    if (saved && row >= 0 && row < lstFiles_->count() - 1) {
      lstFiles_->item(row)->setSelected(false);
      lstFiles_->item(row + 1)->setSelected(true);
      lstFiles_->setCurrentRow(row + 1, QItemSelectionModel::NoUpdate);
      lstFiles_->scrollToItem(lstFiles_->item(row + 1));
      values_.CurrentFile = values_.CurrentDir + lstFiles_->nameAt(row + 1);
      ShowFileInfo(values_.CurrentFile);
    }
    cmdSaveTag_->setText(SaveTagCaption(saved ? SaveCaption::AfterEnterSave : SaveCaption::Ready));
    if (!saved) ReportUnsavedFiles({saved});
  });
}

void Tagger::txtYear_KeyPress(int& keyAscii) {
  if (keyAscii == 13) {
    txtTitle_KeyPress(keyAscii);
    return;
  }
  core::FilterKey(keyAscii);
}

void Tagger::cmdHold_Click(int index) {
  if (index == 0 || index == 1) {
    // The genre switch also numbers the files in the batch run; it is set on its own.
    for (int i = 0; i < 4; ++i) editor_.chkHold[i]->setChecked(index == 0);
  }
  SetEditFocus();
}

void Tagger::cmdAllFiles_Click(int index) {
  (void)index;  // every panel's button does the same
  if (lstFiles_->count() > 0) {
    listClickSuppressed_ = 1;
    lstFiles_->selectAll();
    listClickSuppressed_ = 0;
    ClearFileInfo();
    cmdSaveTag_->setText(SaveTagCaption(SaveCaption::AllFiles));
  }
  SetEditFocus();
}

void Tagger::cmdText_Click(int index) {
  // On the shown text, so that every Unicode letter is handled as one character.
  for (QLineEdit* field : {editor_.txtArtist, editor_.txtTitle, editor_.txtAlbum, editor_.txtComment}) {
    QString text = field->text();
    if (text.isEmpty()) continue;
    if (index == 0) {
      text.replace(QLatin1Char('_'), QLatin1Char(' '));
    } else if (index == 1) {
      // The first character and every one after a blank, "-", "(", "_" or "\\" upper case;
      // nothing is made lower case.
      for (int i = 0; i < text.size(); ++i) {
        const QChar before = i == 0 ? QLatin1Char(' ') : text[i - 1];
        if (QStringLiteral(" -(_\\").contains(before)) text[i] = text[i].toUpper();
      }
    }
    if (text != field->text()) field->setText(text);
  }
  SetEditFocus();
}

void Tagger::txtComment_DblClick() {
  QString comment = editor_.txtComment->text();
  if (comment.isEmpty()) return;
  comment.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  windows::frmText* window = textWindow();
  window->setText(comment);
  window->setCaption(CommentWindowCaption());
  window->show();
}

void Tagger::cmdCover_Click() {
  editing_->toggleCover();
  SetEditFocus();
}

void Tagger::cmdTagCheck_Click() {
  // The tag list reads the folder itself, so there is no separate file list to refresh.
  yield();
  BuildTagList(values_.CurrentDir);
  SetEditFocus();
}

void Tagger::SetEditFocus() {
  // The batch modes work on the separator field, once the batch panel is there.
  for (int mode = 1; mode <= 2; ++mode) {
    const auto* option = findChild<QAbstractButton*>(QStringLiteral("optTagEdit(%1)").arg(mode));
    if (option != nullptr && option->isChecked()) {
      if (auto* separator = findChild<QWidget*>(QStringLiteral("txtSeparator"))) separator->setFocus();
      return;
    }
  }
  editor_.txtTitle->setFocus();
}

}  // namespace mainwindow
