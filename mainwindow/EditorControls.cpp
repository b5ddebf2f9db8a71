// The editor's controls on the two tag pages and their design positions (twips) inside
// the panels; the editing controller wires their events.
#include "mainwindow/EditorControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "mainwindow/ControlPlacing.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

// Height of a row of the pages, in twips.
constexpr double RowHeight = 285;

QLabel* Caption(QWidget* panel, const char* name, const char* text, double left, double top, double width,
                double height = RowHeight) {
  auto* label = Named(new QLabel(panel), QString::fromLatin1(name));  // owned by the panel
  if (text != nullptr) Captioned(label, text);
  Place(label, left, top, width, height);
  return label;
}

QLineEdit* Field(QWidget* panel, const char* name, double left, double top, double width) {
  auto* field = Named(new QLineEdit(panel), QString::fromLatin1(name));  // owned by the panel
  Place(field, left, top, width, RowHeight);
  return field;
}

// The columns of a page's rows of a caption and a one-line field.
struct Columns {
  double labelLeft, labelWidth, fieldLeft, fieldWidth;
};

// One row: the caption, then its field.
QLineEdit* LabelledField(QWidget* panel, const Columns& c, const char* label, const char* caption,
                         const char* field, double top) {
  Caption(panel, label, caption, c.labelLeft, top, c.labelWidth);
  return Field(panel, field, c.fieldLeft, top, c.fieldWidth);
}

QPushButton* Button(QWidget* panel, const QString& name, const char* caption, double left, double top,
                    double width, double height) {
  auto* button = Named(Captioned(new QPushButton(panel), caption), name);  // owned by the panel
  Place(button, left, top, width, height);
  button->setFocusPolicy(Qt::TabFocus);  // a click leaves the focus in the field being edited
  return button;
}

}  // namespace

void Tagger::createEditorControls() {
  createFirstTagPage();
  createSecondTagPage();
  editing_ = new EditingController(  // owned by this window
      *this, EditingController::Controls{&editor_, lstFiles_, cmdSaveTag_, picTags_, picTags2_, &batch_});
}

void Tagger::createFirstTagPage() {
  QWidget* page = picTags_;
  EditorControls& e = editor_;
  constexpr double LabelLeft = 60, LabelWidth = 1080, FieldLeft = 1170, FieldWidth = 2970, HoldLeft = 4200;
  constexpr double HoldWidth = 300;

  Caption(page, "lblTimeCaption", QT_TR_NOOP("Laufzeit:"), LabelLeft, 30, 840);
  e.lblTime = Caption(page, "lblTime", nullptr, 900, 30, 420);
  e.lblBitrate = Caption(page, "lblBitrate", nullptr, 1350, 30, 2000);
  e.lblMode = Caption(page, "lblMode", nullptr, 3360, 30, 1230);
  e.lblMode->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  const Columns rows = {LabelLeft, LabelWidth, FieldLeft, FieldWidth};
  e.txtTitle = LabelledField(page, rows, "lblTitle", QT_TR_NOOP("Titel"), "txtTitle", 330);
  e.txtArtist = LabelledField(page, rows, "lblArtist", QT_TR_NOOP("Interpret"), "txtArtist", 630);
  e.txtAlbum = LabelledField(page, rows, "lblAlbum", QT_TR_NOOP("Album"), "txtAlbum", 930);
  e.txtComment = LabelledField(page, rows, "lblComment", QT_TR_NOOP("Kommentar"), "txtComment", 1230);
  TipOf(e.txtComment, QT_TR_NOOP("Doppelklick: Kommentar im Textfenster bearbeiten"));
  Caption(page, "lblYear", QT_TR_NOOP("Jahr"), LabelLeft, 1530, LabelWidth);
  e.txtYear = Field(page, "txtYear", FieldLeft, 1530, 600);
  Caption(page, "lblTrack", QT_TR_NOOP("Nr"), 2100, 1530, 240);
  e.txtTrack = Field(page, "txtTrack", 2340, 1530, 390);
  e.cboGenre = Named(new QComboBox(page), QStringLiteral("cboGenre"));  // owned by the panel
  e.cboGenre->setEditable(true);
  e.cboGenre->setInsertPolicy(QComboBox::NoInsert);  // a typed name is saved, not added to the list
  TipOf(e.cboGenre, QT_TR_NOOP("Genre"));
  Place(e.cboGenre, 2790, 1530, 1350, RowHeight);

  // The hold switches sit beside their fields: artist, album, comment, year, genre.
  static const std::array<double, 5> holdTops = {630, 930, 1230, 1530, 1530};
  static const std::array<double, 5> holdLefts = {HoldLeft, HoldLeft, HoldLeft, 1770, HoldLeft};
  for (int i = 0; i < static_cast<int>(e.chkHold.size()); ++i) {
    e.chkHold[i] = Named(new QCheckBox(page), Indexed("chkHold", i));  // owned by the panel
    TipOf(e.chkHold[i], i == 4 ? QT_TR_NOOP("Alles halten + Nummerieren") : QT_TR_NOOP("Halten"));
    e.chkHold[i]->setFocusPolicy(Qt::TabFocus);
    Place(e.chkHold[i], holdLefts[i], holdTops[i], HoldWidth, RowHeight);
  }

  constexpr double ButtonTop = 1860, ButtonHeight = 315;
  e.cmdHold[0] = Button(page, Indexed("cmdHold", 0), QT_TR_NOOP("+"), 60, ButtonTop, 300, ButtonHeight);
  e.cmdHold[1] = Button(page, Indexed("cmdHold", 1), QT_TR_NOOP("-"), 375, ButtonTop, 300, ButtonHeight);
  e.cmdText[0] = Button(page, Indexed("cmdText", 0), QT_TR_NOOP("_"), 750, ButtonTop, 300, ButtonHeight);
  TipOf(e.cmdText[0], QT_TR_NOOP("Unterstriche durch Spaces ersetzen"));
  e.cmdText[1] = Button(page, Indexed("cmdText", 1), QT_TR_NOOP("A"), 1065, ButtonTop, 300, ButtonHeight);
  TipOf(e.cmdText[1], QT_TR_NOOP("Anfangsbuchstaben GROSS"));
  e.cboPictureType = Named(new QComboBox(page), QStringLiteral("cboPictureType"));  // owned by the panel
  Place(e.cboPictureType, 1440, ButtonTop, 2100, ButtonHeight);
  e.cmdCover = Button(page, QStringLiteral("cmdCover"), QT_TR_NOOP("Cover"), 3600, ButtonTop, 900, ButtonHeight);

  constexpr double BottomTop = 2325, BottomHeight = 375;
  e.cmdAllFiles = Button(page, Indexed("cmdAllFiles", 0), QT_TR_NOOP("Alle Dateien"), 60, BottomTop, 1320,
                         BottomHeight);
  e.chkTagTab[0] = Named(Captioned(new QCheckBox(page), QT_TR_NOOP("mehr")), Indexed("chkTagTab", 0));  // owned by the panel
  e.chkTagTab[0]->setFocusPolicy(Qt::TabFocus);
  Place(e.chkTagTab[0], 1440, BottomTop + 45, 900, RowHeight);
  Place(cmdSaveTag_, 2400, BottomTop, 2160, BottomHeight);
}

void Tagger::createSecondTagPage() {
  QWidget* page = picTags2_;
  EditorControls& e = editor_;
  constexpr double LabelLeft = 60, LabelWidth = 1230, FieldLeft = 1320, FieldWidth = 1200;
  const Columns rows = {LabelLeft, LabelWidth, FieldLeft, FieldWidth};
  TipOf(Caption(page, "lblOriginalArtist", QT_TR_NOOP("Original"), LabelLeft, 30, LabelWidth),
        QT_TR_NOOP("Original-Interpret"));
  e.txtOriginalArtist = Field(page, "txtOriginalArtist", FieldLeft, 30, FieldWidth);
  e.txtSubtitle = LabelledField(page, rows, "lblSubtitle", QT_TR_NOOP("Untertitel"), "txtSubtitle", 330);
  e.txtComposer = LabelledField(page, rows, "lblComposer", QT_TR_NOOP("Komponist"), "txtComposer", 630);
  e.txtCopyright = LabelledField(page, rows, "lblCopyright", QT_TR_NOOP("Copyright"), "txtCopyright", 930);
  e.txtEncodedBy = LabelledField(page, rows, "lblEncodedBy", QT_TR_NOOP("Kodiert von"), "txtEncodedBy", 1230);
  e.txtLanguage = LabelledField(page, rows, "lblLanguage", QT_TR_NOOP("Sprache"), "txtLanguage", 1530);
  // The captions above a box end where the box begins.
  constexpr double AboveHeight = 270;
  Caption(page, "lblLyrics", QT_TR_NOOP("Songtext"), LabelLeft, 1860, LabelWidth, AboveHeight);
  e.txtLyrics = Named(new QPlainTextEdit(page), QStringLiteral("txtLyrics"));  // owned by the panel
  Place(e.txtLyrics, LabelLeft, 2130, 2460, 570);

  constexpr double RightLeft = 2610, RightWidth = 1950;
  Caption(page, "lblURL", QT_TR_NOOP("URL"), RightLeft, 30, RightWidth, AboveHeight);
  e.lstURL = Named(new QListWidget(page), QStringLiteral("lstURL"));  // owned by the panel
  Place(e.lstURL, RightLeft, 300, RightWidth, 750);
  Caption(page, "lblUnknown", QT_TR_NOOP("Weitere Frames"), RightLeft, 1110, RightWidth, AboveHeight);
  e.txtUnknown = Named(new QPlainTextEdit(page), QStringLiteral("txtUnknown"));  // owned by the panel
  // The frames the reader does not decode are shown, never written.
  e.txtUnknown->setReadOnly(true);
  e.txtUnknown->setLineWrapMode(QPlainTextEdit::NoWrap);
  Place(e.txtUnknown, RightLeft, 1380, RightWidth, 840);
  e.chkTagTab[1] = Named(Captioned(new QCheckBox(page), QT_TR_NOOP("mehr")), Indexed("chkTagTab", 1));  // owned by the panel
  e.chkTagTab[1]->setFocusPolicy(Qt::TabFocus);
  e.chkTagTab[1]->setChecked(true);  // the resting values: (1) checked, (0) clear
  Place(e.chkTagTab[1], RightLeft, 2370, 900, RowHeight);
}

}  // namespace mainwindow
