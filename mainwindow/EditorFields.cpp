// The edit fields as one record: read from the widgets into the model of the file on show,
// and written from it back to them.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <array>

#include "mainwindow/EditingController.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

// Windows line breaks, as the tags keep them; the multi-line boxes use "\n" alone.
std::string WithCrLf(const QString& text) {
  QString crlf = text;
  crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToUtf8(crlf);
}

QString WithLf(const std::string& text) {
  QString lf = FromUtf8(text);
  lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return lf;
}

// Setting the same text again would move the cursor and drop the undo history of a
// held field the user is typing in.
void SetText(QLineEdit* field, const std::string& text) {
  const QString shown = FromUtf8(text);
  if (field->text() != shown) field->setText(shown);
}

void SetGenre(QComboBox* genre, const std::string& text) {
  const QString shown = FromUtf8(text);
  if (genre->currentText() == shown) return;
  const int entry = genre->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (entry >= 0)
    genre->setCurrentIndex(entry);
  else
    genre->setEditText(shown);
}

// The one-line fields and the field of the record each of them shows.
struct LineField {
  QLineEdit* EditorControls::*widget;
  std::string EditFields::*text;
};

constexpr std::array<LineField, 12> LineFields = {{
    {&EditorControls::txtTitle, &EditFields::title},
    {&EditorControls::txtArtist, &EditFields::artist},
    {&EditorControls::txtAlbum, &EditFields::album},
    {&EditorControls::txtComment, &EditFields::comment},
    {&EditorControls::txtYear, &EditFields::year},
    {&EditorControls::txtTrack, &EditFields::track},
    {&EditorControls::txtOriginalArtist, &EditFields::originalArtist},
    {&EditorControls::txtSubtitle, &EditFields::subTitle},
    {&EditorControls::txtComposer, &EditFields::composer},
    {&EditorControls::txtCopyright, &EditFields::copyright},
    {&EditorControls::txtEncodedBy, &EditFields::encodedBy},
    {&EditorControls::txtLanguage, &EditFields::language},
}};

}  // namespace

EditFields EditingController::fields() {
  const EditorControls& e = editor_;
  EditFields fields;
  for (const LineField& line : LineFields) fields.*line.text = ToUtf8((e.*line.widget)->text());
  fields.genre = ToUtf8(e.cboGenre->currentText());
  for (int i = 0; i < e.lstURL->count(); ++i) fields.urls.push_back(ToUtf8(e.lstURL->item(i)->text()));
  fields.unknown = WithCrLf(e.txtUnknown->toPlainText());
  // Unedited lyrics go back exactly as they were read, whatever their line breaks.
  fields.lyrics =
      e.txtLyrics->document()->isModified() ? WithCrLf(e.txtLyrics->toPlainText()) : model_.lyricsAsRead();
  model_.edited(fields);
  return fields;
}

void EditingController::showFields(const EditFields& fields) {
  const EditorControls& e = editor_;
  showing_ = true;
  for (const LineField& line : LineFields) SetText(e.*line.widget, fields.*line.text);
  SetGenre(e.cboGenre, fields.genre);
  e.lstURL->clear();
  for (const std::string& url : fields.urls) e.lstURL->addItem(FromUtf8(url));
  e.txtUnknown->setPlainText(WithLf(fields.unknown));
  e.txtLyrics->setPlainText(WithLf(fields.lyrics));
  e.txtLyrics->document()->setModified(false);
  showing_ = false;
}

void EditingController::present(const EditFields& fields) {
  model_.present(fields);
  showFields(fields);
}

HoldFlags EditingController::holdFlags() const {
  std::array<bool, 5> checked{};
  for (std::size_t i = 0; i < checked.size(); ++i) checked[i] = editor_.chkHold[i]->isChecked();
  return HoldFlags::FromIndexed(checked);
}

}  // namespace mainwindow
