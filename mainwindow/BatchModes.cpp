// The working modes and the batch panel's settings: the mode options, the detection
// lists with their previews, the separator, the skip count, the merge and play-order
// options.
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/Texts.h"
#include "mainwindow/BatchController.h"
#include "mainwindow/ControlPlacing.h"
#include "mainwindow/FileListBox.h"
#include "mainwindow/EditingController.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

const QString DefaultSeparator = QStringLiteral(" - ");

}  // namespace

QString ShownDetectPattern(const tagging::DetectList& words, const QString& separator) {
  QString pattern = QStringLiteral("  ");
  for (std::size_t i = 0; i < words.size(); ++i) {
    // The words are the sources of the captions of the detection boxes and the track label.
    const std::string word = tagging::DetectWordText(words[i]);
    pattern += (i > 0 ? separator : QString()) + QCoreApplication::translate(TaggerContext, word.c_str());
  }
  return pattern + QStringLiteral(".mp3  ");
}

namespace {

// The play-order list, light yellow on near black, in place of the file list when `on`;
// otherwise the file list comes back unless the other option keeps the play order.
void ShowPlayOrder(QListWidget* sortFiles, QWidget* files, bool on, bool otherOptionSet) {
  if (on) {
    QPalette colours = sortFiles->palette();
    colours.setColor(QPalette::Base, QColor(30, 30, 30));
    colours.setColor(QPalette::Text, QColor(255, 255, 80));
    sortFiles->setPalette(colours);
    sortFiles->show();
    files->hide();
  } else if (!otherOptionSet) {
    sortFiles->hide();
    files->show();
  }
}

}  // namespace

int BatchController::Mode() const {
  for (int i = 1; i < 3; ++i)
    if (c_.batch->optTagEdit[i]->isChecked()) return i;
  return 0;
}

void BatchController::optTagEdit_Click(int index) {
  BatchControls& b = *c_.batch;
  c_.picTags->show();
  c_.picTags2->hide();
  if (index == 0) {
    c_.picBatch->hide();
    c_.lstFiles->show();
    c_.lstSortFiles->hide();
    window_.editing().ShowFirstTagPage();
    window_.editing().SetEditFocus();
    return;
  }
  const bool tagsToNames = index == 2;
  c_.picBatch->show();
  c_.picBatch->raise();
  c_.picRemoveTags->hide();
  if (!tagsToNames) {
    c_.lstFiles->show();
    c_.lstSortFiles->hide();
  } else if (b.chkDragDrop->isChecked() || b.chkMerge->isChecked()) {
    c_.lstFiles->hide();
    c_.lstSortFiles->show();
  }
  for (QWidget* modeOne : {static_cast<QWidget*>(b.txtIgnore), static_cast<QWidget*>(b.chkIgnore),
                           static_cast<QWidget*>(b.chkNoTagOnly), static_cast<QWidget*>(b.cmdAllFiles1),
                           static_cast<QWidget*>(b.lblDetect[0])}) {
    modeOne->setVisible(!tagsToNames);
  }
  for (QWidget* modeTwo : {static_cast<QWidget*>(b.chkMerge), static_cast<QWidget*>(b.chkDragDrop),
                           static_cast<QWidget*>(b.lblDetect[1])}) {
    modeTwo->setVisible(tagsToNames);
  }
  if (tagsToNames) b.txtSeparator->setText(DefaultSeparator);
  b.chkRemoveTag[1]->setChecked(true);
  b.chkRemoveTag[0]->setChecked(false);
  chkDragDrop_Click();
}

void BatchController::FillFieldOrderLists() {
  c_.batch->lstDetect[0]->clear();
  c_.batch->lstDetect[0]->addItems({QStringLiteral("Interpret"), QStringLiteral("Titel")});
  c_.batch->lstDetect[1]->clear();
  c_.batch->lstDetect[1]->addItems({QStringLiteral("Nr"), QStringLiteral("Interpret"), QStringLiteral("Titel")});
}

void BatchController::AlignDragDropOption() {
  c_.batch->chkDragDrop->move(c_.batch->chkDragDrop->x(), c_.batch->chkIgnore->y());
}

tagging::DetectList BatchController::detectList(int k) const {
  tagging::DetectList words;
  const QListWidget* list = c_.batch->lstDetect[k - 1];
  for (int i = 0; i < list->count(); ++i) {
    if (const auto word = tagging::ParseDetectWord(list->item(i)->text().toStdString())) words.push_back(*word);
  }
  return words;
}

void BatchController::ShowDetectPattern(int k) {
  c_.batch->lblDetect[k - 1]->setText(ShownDetectPattern(detectList(k), c_.batch->txtSeparator->text()));
  window_.editing().SetEditFocus();
}

void BatchController::chkDetect_Click(int index) {
  const int k = Mode() == 1 ? 1 : 2;
  static const std::array<tagging::DetectWord, 4> words = {tagging::DetectWord::Artist, tagging::DetectWord::Title,
                                                           tagging::DetectWord::Album, tagging::DetectWord::Number};
  QListWidget* list = c_.batch->lstDetect[k - 1];
  if (static_cast<std::size_t>(list->count()) < tagging::DetectListLimit)
    list->addItem(QString::fromStdString(tagging::DetectWordText(words[index])));
  ShowDetectPattern(k);
}

void BatchController::cmdNew_Click() {
  BatchControls& b = *c_.batch;
  for (QCheckBox* box : b.chkDetect) box->setChecked(false);
  b.txtSeparator->setText(DefaultSeparator);
  const int k = Mode() == 1 ? 1 : 2;
  b.lblDetect[k - 1]->setText(ShownDetectPattern({}, {}));
  b.lstDetect[k - 1]->clear();
  window_.editing().SetEditFocus();
}

void BatchController::txtSeparator_Change() {
  ShowDetectPattern(1);
  ShowDetectPattern(2);
}

void BatchController::txtSeparator_DblClick() { c_.batch->txtSeparator->setText(DefaultSeparator); }

void BatchController::txtIgnore_KeyPress(int& keyAscii) { core::FilterKey(keyAscii); }

void BatchController::chkDragDrop_Click() {
  const BatchControls& b = *c_.batch;
  ShowPlayOrder(c_.lstSortFiles, c_.lstFiles, b.chkDragDrop->isChecked() && Mode() == 2, b.chkMerge->isChecked());
  window_.editing().SetEditFocus();
}

void BatchController::chkMerge_Click() {
  const BatchControls& b = *c_.batch;
  ShowPlayOrder(c_.lstSortFiles, c_.lstFiles, b.chkMerge->isChecked() && Mode() == 2, b.chkDragDrop->isChecked());
  window_.editing().SetEditFocus();
}

}  // namespace mainwindow
