// The controls of the working modes (picOptions), the batch panel picBatch and the
// removal panel picRemoveTags, their design positions in twips, and their wiring.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "mainwindow/ControlPlacing.h"
#include "mainwindow/EditorKeys.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

constexpr double RowHeight = 285;
constexpr double BottomTop = 2325, BottomHeight = 375;

template <typename T>
T* Control(T* widget, const QString& name, double left, double top, double width, double height = RowHeight) {
  Named(widget, name);
  Place(widget, left, top, width, height);
  return widget;
}

}  // namespace

void Tagger::createBatchControls() {
  BatchControls& b = batch_;
  b.picOptions = Named(new QWidget(this), QStringLiteral("picOptions"));  // owned by the window
  b.picOptions->setAutoFillBackground(true);
  Place(b.picOptions, 12045, 60, 4580, 420);
  static const std::array<const char*, 3> modes = {QT_TR_NOOP("Normal"), QT_TR_NOOP("Dateiname -> ID3-TAG"),
                                                  QT_TR_NOOP("ID3-TAG -> Dateiname")};
  static const std::array<double, 3> modeLefts = {0, 1000, 2800};
  static const std::array<double, 3> modeWidths = {1000, 1800, 1780};
  for (int i = 0; i < 3; ++i) {
    b.optTagEdit[i] = Control(Captioned(new QRadioButton(b.picOptions), modes[i]),
                              Indexed("optTagEdit", i), modeLefts[i], 60, modeWidths[i]);
  }
  b.optTagEdit[0]->setChecked(true);

  QWidget* panel = picBatch_;
  Control(Captioned(new QLabel(panel), QT_TR_NOOP("Trennzeichen:")), QStringLiteral("lblSeparator"), 60, 60, 1200);
  b.txtSeparator = Control(new QLineEdit(QStringLiteral(" - "), panel), QStringLiteral("txtSeparator"), 1290, 60, 900);
  b.cmdNew = Control(Captioned(new QPushButton(panel), QT_TR_NOOP("< Neu   ")), QStringLiteral("cmdNew"), 2280, 30, 1000, 345);
  static const std::array<const char*, 4> words = {QT_TR_NOOP("Interpret"), QT_TR_NOOP("Titel"), QT_TR_NOOP("Album"),
                                                  QT_TR_NOOP("Nummer")};
  for (int i = 0; i < 4; ++i) {
    b.chkDetect[i] = Control(Captioned(new QCheckBox(panel), words[i]), Indexed("chkDetect", i),
                             60 + i * 1120, 420, 1100);
  }
  // The detection lists sit in a hidden container: the user sees only their previews.
  auto* lists = Named(new QWidget(panel), QStringLiteral("picDetectLists"));
  lists->hide();
  using tagging::DetectWord;
  const std::array<tagging::DetectList, 2> patterns = {
      tagging::DetectList{DetectWord::Artist, DetectWord::Title},
      tagging::DetectList{DetectWord::Number, DetectWord::Artist, DetectWord::Title}};
  for (int k = 0; k < 2; ++k) {
    b.lstDetect[k] = Named(new QListWidget(lists), Indexed("lstDetect", k + 1));
    b.lblDetect[k] = Control(new QLabel(ShownDetectPattern(patterns[k], QStringLiteral(" - ")), panel), Indexed("lblDetect", k + 1), 60,
                             780, 4500);
    b.lblDetect[k]->setFrameShape(QFrame::Box);
  }
  b.lblDetect[1]->hide();
  b.chkIgnore = Control(Captioned(new QCheckBox(panel), QT_TR_NOOP("Die ersten            Zeichen vom Dateinamen ignorieren")),
                        QStringLiteral("chkIgnore"), 60, 1200, 4500);
  b.txtIgnore = Control(new QLineEdit(panel), QStringLiteral("txtIgnore"), 1250, 1200, 500);
  b.txtIgnore->raise();  // over the gap in the caption
  b.chkNoTagOnly = Control(Captioned(new QCheckBox(panel), QT_TR_NOOP("nur auf MP3s ohne Tags anwenden")),
                           QStringLiteral("chkNoTagOnly"), 60, 1560, 4500);
  b.chkMerge = Control(Captioned(new QCheckBox(panel), QT_TR_NOOP("Alle Dateien im Ordner zu einem MP3 Album zusammenführen")),
                       QStringLiteral("chkMerge"), 60, 1560, 4500);
  b.chkMerge->hide();
  b.chkDragDrop = Control(
      Captioned(new QCheckBox(panel), QT_TR_NOOP("Reihenfolge per Drag && Drop ändern bzw. Playlist erstellen")),
      QStringLiteral("chkDragDrop"), 60, 1900, 4500);
  TipOf(b.chkDragDrop, QT_TR_NOOP("ALLE Dateien werden als Playliste zusammengestellt"));
  b.chkDragDrop->hide();
  b.cmdAllFiles1 = Control(Captioned(new QPushButton(panel), QT_TR_NOOP("Alle Dateien")), Indexed("cmdAllFiles", 1), 60,
                           BottomTop, 1320, BottomHeight);
  b.cmdBatch = Control(Captioned(new QPushButton(panel), QT_TR_NOOP("S T A R T")), QStringLiteral("cmdBatch"), 2400,
                       BottomTop, 2160, BottomHeight);
  createRemovalControls();
}

void Tagger::createRemovalControls() {
  BatchControls& b = batch_;
  for (int i = 0; i < 2; ++i) {
    b.chkRemoveTag[i] = Control(Captioned(new QCheckBox(i == 0 ? picTags_ : picRemoveTags_), QT_TR_NOOP("X")),
                                Indexed("chkRemoveTag", i), 4230, i == 0 ? 330 : 60, 360);
    TipOf(b.chkRemoveTag[i], QT_TR_NOOP("Vorhandene TAGs entfernen"));
    b.chkRemoveTag[i]->setFocusPolicy(Qt::TabFocus);
  }
  b.chkRemoveTag[1]->setChecked(true);  // the resting values: (0) clear, (1) checked
  static const std::array<const char*, 4> captions = {QT_TR_NOOP("ID3 v1.11 Tag"), QT_TR_NOOP("ID3 v2.30 Tag"),
                                                      QT_TR_NOOP("beide Tags"), QT_TR_NOOP("nur Cover Grafiken")};
  for (int i = 0; i < 4; ++i) {
    b.optRem[i] = Control(Captioned(new QRadioButton(picRemoveTags_), captions[i]), Indexed("optRem", i),
                          300, 300 + i * 390, 3000);
  }
  b.optRem[2]->setChecked(true);
  b.cmdAllFiles2 = Control(Captioned(new QPushButton(picRemoveTags_), QT_TR_NOOP("Alle Dateien")), Indexed("cmdAllFiles", 2),
                           60, BottomTop, 1320, BottomHeight);
}

void Tagger::connectBatch() {
  BatchControls& b = batch_;
  batchRun_ = std::make_unique<BatchController>(
      *this, BatchController::Controls{&batch_, lstFiles_, lstSortFiles_, picTags_, picTags2_, picBatch_, picRemoveTags_});
  BatchController* batch = batchRun_.get();
  for (int i = 0; i < 3; ++i) connect(b.optTagEdit[i], &QRadioButton::clicked, this, [batch, i] { batch->optTagEdit_Click(i); });
  for (int i = 0; i < 4; ++i) connect(b.chkDetect[i], &QCheckBox::clicked, this, [batch, i] { batch->chkDetect_Click(i); });
  connect(b.cmdNew, &QPushButton::clicked, this, [batch] { batch->cmdNew_Click(); });
  connect(b.txtSeparator, &QLineEdit::textChanged, this, [batch] { batch->txtSeparator_Change(); });
  new DoubleClickFilter(b.txtSeparator, [batch] { batch->txtSeparator_DblClick(); });   // owned by the field
  new KeyPressFilter(b.txtIgnore, [batch](int& key) { batch->txtIgnore_KeyPress(key); });  // owned by the field
  connect(b.chkIgnore, &QCheckBox::clicked, editing_, &EditingController::SetEditFocus);
  connect(b.chkNoTagOnly, &QCheckBox::clicked, editing_, &EditingController::SetEditFocus);
  connect(b.chkDragDrop, &QCheckBox::clicked, this, [batch] { batch->chkDragDrop_Click(); });
  connect(b.chkMerge, &QCheckBox::clicked, this, [batch] { batch->chkMerge_Click(); });
  connect(b.cmdAllFiles1, &QPushButton::clicked, this, [this] { editing_->cmdAllFiles_Click(1); });
  connect(b.cmdAllFiles2, &QPushButton::clicked, this, [this] { editing_->cmdAllFiles_Click(2); });
  connect(b.cmdBatch, &QPushButton::clicked, this, [batch] { batch->cmdBatch_Click(); });
  removal_ = std::make_unique<RemovalController>(
      *this, RemovalController::Controls{&batch_, picTags_, picRemoveTags_, cmdRemoveTags_, editor_.cboPictureType, lstFiles_});
  // A value set by the program runs the handler too: the boxes return to rest that way.
  for (int i = 0; i < 2; ++i)
    connect(b.chkRemoveTag[i], &QCheckBox::toggled, this, [this, i] { removal_->chkRemoveTag_Click(i); });
  connect(cmdRemoveTags_, &QPushButton::clicked, this, [this] { removal_->cmdRemoveTags_Click(); });
  playOrder_ = new PlayOrderController(*this, lstSortFiles_, batch_);  // owned by the list
}

}  // namespace mainwindow
