// The edit fields as one record: read from the widgets and written back to them.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

// Windows line breaks, as the tags keep them; the multi-line boxes use "\n" alone.
std::string WithCrLf(const QString& text) {
  QString crlf = text;
  crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToLatin1(crlf);
}

QString WithLf(const std::string& text) {
  QString lf = FromLatin1(text);
  lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return lf;
}

// Setting the same text again would move the cursor and drop the undo history of a
// held field the user is typing in.
void SetText(QLineEdit* field, const std::string& text) {
  const QString shown = FromLatin1(text);
  if (field->text() != shown) field->setText(shown);
}

void SetGenre(QComboBox* genre, const std::string& text) {
  const QString shown = FromLatin1(text);
  if (genre->currentText() == shown) return;
  const int entry = genre->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (entry >= 0)
    genre->setCurrentIndex(entry);
  else
    genre->setEditText(shown);
}

}  // namespace

EditFields Tagger::editFields() const {
  const EditorControls& e = editor_;
  EditFields fields;
  fields.title = ToLatin1(e.txtTitle->text());
  fields.artist = ToLatin1(e.txtArtist->text());
  fields.album = ToLatin1(e.txtAlbum->text());
  fields.comment = ToLatin1(e.txtComment->text());
  fields.year = ToLatin1(e.txtYear->text());
  fields.genre = ToLatin1(e.cboGenre->currentText());
  fields.track = ToLatin1(e.txtTrack->text());
  fields.originalArtist = ToLatin1(e.txtOriginalArtist->text());
  fields.subTitle = ToLatin1(e.txtSubtitle->text());
  fields.composer = ToLatin1(e.txtComposer->text());
  fields.copyright = ToLatin1(e.txtCopyright->text());
  fields.encodedBy = ToLatin1(e.txtEncodedBy->text());
  fields.language = ToLatin1(e.txtLanguage->text());
  for (int i = 0; i < e.lstURL->count(); ++i) fields.urls.push_back(ToLatin1(e.lstURL->item(i)->text()));
  fields.unknown = WithCrLf(e.txtUnknown->toPlainText());
  // Unedited lyrics go back exactly as they were read, whatever their line breaks.
  fields.lyrics = e.txtLyrics->document()->isModified() ? WithCrLf(e.txtLyrics->toPlainText()) : lyricsAsRead_;
  return fields;
}

void Tagger::setEditFields(const EditFields& fields) {
  const EditorControls& e = editor_;
  SetText(e.txtTitle, fields.title);
  SetText(e.txtArtist, fields.artist);
  SetText(e.txtAlbum, fields.album);
  SetText(e.txtComment, fields.comment);
  SetText(e.txtYear, fields.year);
  SetGenre(e.cboGenre, fields.genre);
  SetText(e.txtTrack, fields.track);
  SetText(e.txtOriginalArtist, fields.originalArtist);
  SetText(e.txtSubtitle, fields.subTitle);
  SetText(e.txtComposer, fields.composer);
  SetText(e.txtCopyright, fields.copyright);
  SetText(e.txtEncodedBy, fields.encodedBy);
  SetText(e.txtLanguage, fields.language);
  e.lstURL->clear();
  for (const std::string& url : fields.urls) e.lstURL->addItem(FromLatin1(url));
  e.txtUnknown->setPlainText(WithLf(fields.unknown));
  lyricsAsRead_ = fields.lyrics;
  e.txtLyrics->setPlainText(WithLf(fields.lyrics));
  e.txtLyrics->document()->setModified(false);
}

HoldFlags Tagger::holdFlags() const {
  std::array<bool, 5> checked{};
  for (std::size_t i = 0; i < checked.size(); ++i) checked[i] = editor_.chkHold[i]->isChecked();
  return HoldFlags::FromIndexed(checked);
}

}  // namespace mainwindow
