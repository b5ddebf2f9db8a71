// Editing: the save of the file on show as a run, the Enter key that saves and moves on,
// the year key filter, the hold, text and all-files buttons, the comment window, the cover
// toggle, the page switch and where the focus goes; the genre and picture-type lists.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <utility>

#include "core/AppValues.h"
#include "core/Texts.h"
#include "core/toolkit/Dialogs.h"
#include "formats/ID3V111Genres.h"
#include "mainwindow/BatchControls.h"
#include "mainwindow/EditCaptions.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/EditorKeys.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/NativeNames.h"
#include "mainwindow/RunController.h"
#include "mainwindow/Tagger.h"
#include "tagging/Journal.h"
#include "windows/frmText.h"

namespace mainwindow {

namespace {

// The picture types of the attached-picture frame with their numbers.
const std::vector<std::pair<const char*, int>>& PictureTypes() {
  static const std::vector<std::pair<const char*, int>> types = {
      {"Other", 0},           {"32x32 Icon", 1},      {"Other Icon", 2},
      {"Front Cover", 3},     {"Back Cover", 4},      {"Leaflet Page", 5},
      {"Media", 6},           {"Lead Performer", 7},  {"Artist", 8},
      {"Conductor", 9},       {"Band", 10},           {"Composer", 11},
      {"Lyricist", 12},       {"Recording Location", 13}, {"During Recording", 14},
      {"During Performance", 15}, {"Movie Capture", 16}, {"A Bright Colored Fish", 17},
      {"Illustration", 18},   {"Band Logo", 19},      {"Publisher Logo", 20},
  };
  return types;
}

// The selection after filling: position 17 of the sorted list, "Other".
constexpr int FilledPictureTypeIndex = 17;

}  // namespace

void EditingController::connectControls() {
  EditorControls& e = editor_;
  connect(c_.cmdSaveTag, &QPushButton::clicked, this, &EditingController::cmdSaveTag_Click);
  new KeyPressFilter(e.txtTitle, [this](int& key) { txtTitle_KeyPress(key); });  // owned by the field
  for (QLineEdit* field : {e.txtArtist, e.txtAlbum, e.txtComment}) {
    new KeyPressFilter(field, [this](int& key) {  // owned by the field
      if (key == 13) txtTitle_KeyPress(key);
    });
  }
  new KeyPressFilter(e.txtYear, [this](int& key) { txtYear_KeyPress(key); });  // owned by the field
  new DoubleClickFilter(e.txtComment, [this] { txtComment_DblClick(); });      // owned by the field
  for (int i = 0; i < static_cast<int>(e.cmdHold.size()); ++i) {
    connect(e.cmdHold[i], &QPushButton::clicked, this, [this, i] { cmdHold_Click(i); });
    connect(e.cmdText[i], &QPushButton::clicked, this, [this, i] { cmdText_Click(i); });
  }
  connect(e.cmdAllFiles, &QPushButton::clicked, this, [this] { cmdAllFiles_Click(0); });
  connect(e.cmdCover, &QPushButton::clicked, this, &EditingController::cmdCover_Click);
  // The user's choice only: selecting an entry from the program shows nothing by itself.
  connect(e.cboPictureType, &QComboBox::activated, this, [this] { cboPictureType_Click(); });
  for (int i = 0; i < static_cast<int>(e.chkHold.size()); ++i) {
    connect(e.chkHold[i], &QCheckBox::clicked, this, [this, i] { chkHold_Click(i); });
  }
  // A value set by the program runs the handler too, as the page switch expects.
  for (int i = 0; i < static_cast<int>(e.chkTagTab.size()); ++i) {
    connect(e.chkTagTab[i], &QCheckBox::toggled, this, [this, i] { chkTagTab_Click(i); });
  }
}

windows::frmText* EditingController::textWindow() {
  if (text_ == nullptr) {
    // A window of its own, owned by the main window.
    text_ = new windows::frmText(values_, window_.dialogs(), window_.yieldHook(), &window_);
    connect(text_, &windows::frmText::textTakenOver, this, [this](const QString& text) {
      QString comment = text;
      comment.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
      editor_.txtComment->setText(comment);
    });
  }
  return text_;
}

void EditingController::StartSaveOfShownFile(const std::string& path, std::function<void(const formats::Status&)> then) {
  if (!prepareSave(path)) {
    then(formats::Status::Io(EIO, path));
    return;
  }
  auto saved = std::make_shared<formats::Status>();
  RunController::Run run;
  run.showProgress = false;
  run.work = [this, path, saved, title = Tagger::tr("Speichern").toStdString()](RunContext& context) {
    tagging::JournalRun journal = tagging::Journal().begin(title, {path});
    *saved = saveModel(path, context.env(), context.askingPolicy(false));
    *saved ? void(journal.finish()) : journal.abandon();
  };
  run.done = [this, saved, then = std::move(then)] {
    saveEnded(*saved);
    then(*saved);
  };
  window_.runs().start(std::move(run));
}

void EditingController::ReportUnsavedFiles(const std::vector<formats::Status>& failures) {
  if (failures.empty()) return;
  window_.dialogs().message(SaveFailureMessage(failures), core::MessageKind::Exclamation, ToQString(values_.AppTitle));
}

int EditingController::firstSelectedRow() const {
  for (int row = 0; row < c_.lstFiles->count(); ++row) {
    if (c_.lstFiles->item(row)->isSelected()) return row;
  }
  return -1;
}

void EditingController::txtTitle_KeyPress(int& keyAscii) {
  if (keyAscii != 13) return;
  keyAscii = 0;
  FileListBox* files = c_.lstFiles;
  // A run under way is not interrupted; this save is a run of its own.
  if (window_.runs().busy() || files->selectedCount() != 1) return;
  c_.cmdSaveTag->setText(SaveTagCaption(SaveCaption::EnterSaving));
  StartSaveOfShownFile(values_.CurrentFile, [this, files](const formats::Status& saved) {
    const int row = firstSelectedRow();
    // A file that was not written stays on show with the text as typed.
    if (saved && row >= 0 && row < files->count() - 1) {
      files->item(row)->setSelected(false);
      files->item(row + 1)->setSelected(true);
      files->setCurrentRow(row + 1, QItemSelectionModel::NoUpdate);
      files->scrollToItem(files->item(row + 1));
      values_.CurrentFile = values_.CurrentDir + files->nameAt(row + 1);
      ShowFileInfo(values_.CurrentFile);
    }
    c_.cmdSaveTag->setText(SaveTagCaption(saved ? SaveCaption::AfterEnterSave : SaveCaption::Ready));
    if (!saved) ReportUnsavedFiles({saved});
  });
}

void EditingController::txtYear_KeyPress(int& keyAscii) {
  if (keyAscii == 13) {
    txtTitle_KeyPress(keyAscii);
    return;
  }
  core::FilterKey(keyAscii);
}

void EditingController::cmdHold_Click(int index) {
  if (index == 0 || index == 1) {
    // The genre switch also numbers the files in the batch run; it is set on its own.
    for (int i = 0; i < 4; ++i) editor_.chkHold[i]->setChecked(index == 0);
  }
  SetEditFocus();
}

void EditingController::cmdAllFiles_Click(int index) {
  (void)index;  // every panel's button does the same
  if (c_.lstFiles->count() > 0) {
    window_.SelectAllFiles();
    ClearFileInfo();
    c_.cmdSaveTag->setText(SaveTagCaption(SaveCaption::AllFiles));
  }
  SetEditFocus();
}

void EditingController::cmdText_Click(int index) {
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

void EditingController::txtComment_DblClick() {
  QString comment = editor_.txtComment->text();
  if (comment.isEmpty()) return;
  comment.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  windows::frmText* window = textWindow();
  window->setText(comment);
  window->setCaption(CommentWindowCaption());
  window->show();
}

void EditingController::cmdCover_Click() {
  toggleCover();
  SetEditFocus();
}

void EditingController::FillGenres() {
  QComboBox* genre = editor_.cboGenre;
  genre->clear();
  genre->addItem(QString());
  for (const std::string& name : formats::GenreNames()) genre->addItem(FromUtf8(name));
}

void EditingController::FillPictureTypes() {
  QComboBox* types = editor_.cboPictureType;
  types->clear();
  // The list shows its entries sorted by name, so that "Front Cover" is the entry
  // chosen after every clear of the view; the lookups go by the type number.
  std::vector<std::pair<const char*, int>> sorted = PictureTypes();
  std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
    return QString::fromLatin1(a.first).compare(QString::fromLatin1(b.first), Qt::CaseInsensitive) < 0;
  });
  for (const auto& [name, number] : sorted) types->addItem(QString::fromLatin1(name), number);
  types->setCurrentIndex(FilledPictureTypeIndex);
}

void EditingController::chkTagTab_Click(int index) {
  c_.picTags2->move(c_.picTags->pos());
  if (index == 0) {
    c_.picTags2->show();
    c_.picTags->hide();
    editor_.chkTagTab[0]->setChecked(false);
    editor_.chkTagTab[1]->setChecked(true);
  } else {
    c_.picTags->show();
    c_.picTags2->hide();
    editor_.chkTagTab[1]->setChecked(true);
    editor_.chkTagTab[0]->setChecked(false);
  }
  c_.lstFiles->setFocus();
}

void EditingController::ShowFirstTagPage() {
  c_.picTags->show();
  c_.picTags2->hide();
  editor_.chkTagTab[1]->setChecked(true);
  editor_.chkTagTab[0]->setChecked(false);
}

void EditingController::chkHold_Click(int index) {
  (void)index;
  SetEditFocus();
}

void EditingController::SetEditFocus() {
  // The batch modes work on the separator field.
  const BatchControls& b = *c_.batch;
  if (b.txtSeparator != nullptr && (b.optTagEdit[1]->isChecked() || b.optTagEdit[2]->isChecked())) {
    b.txtSeparator->setFocus();
    return;
  }
  editor_.txtTitle->setFocus();
}

}  // namespace mainwindow
