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

int Tagger::Mode() const {
  for (int i = 1; i < 3; ++i)
    if (batch_.optTagEdit[i]->isChecked()) return i;
  return 0;
}

void Tagger::optTagEdit_Click(int index) {
  BatchControls& b = batch_;
  picTags_->show();
  picTags2_->hide();
  if (index == 0) {
    picBatch_->hide();
    lstFiles_->show();
    lstSortFiles_->hide();
    ShowFirstTagPage();
    editor_.txtTitle->setFocus();
    return;
  }
  const bool tagsToNames = index == 2;
  picBatch_->show();
  picBatch_->raise();
  picRemoveTags_->hide();
  if (!tagsToNames) {
    lstFiles_->show();
    lstSortFiles_->hide();
  } else if (b.chkDragDrop->isChecked() || b.chkMerge->isChecked()) {
    lstFiles_->hide();
    lstSortFiles_->show();
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
  batchRun_->chkDragDrop_Click();
}

tagging::DetectList Tagger::detectList(int k) const { return batchRun_->detectList(k); }

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
  window_.SetEditFocus();
}

void BatchController::chkDetect_Click(int index) {
  const int k = window_.Mode() == 1 ? 1 : 2;
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
  const int k = window_.Mode() == 1 ? 1 : 2;
  b.lblDetect[k - 1]->setText(ShownDetectPattern({}, {}));
  b.lstDetect[k - 1]->clear();
  window_.SetEditFocus();
}

void BatchController::txtSeparator_Change() {
  ShowDetectPattern(1);
  ShowDetectPattern(2);
}

void BatchController::txtSeparator_DblClick() { c_.batch->txtSeparator->setText(DefaultSeparator); }

void BatchController::txtIgnore_KeyPress(int& keyAscii) { core::FilterKey(keyAscii); }

void BatchController::chkDragDrop_Click() {
  const BatchControls& b = *c_.batch;
  ShowPlayOrder(c_.lstSortFiles, c_.lstFiles, b.chkDragDrop->isChecked() && window_.Mode() == 2, b.chkMerge->isChecked());
  window_.SetEditFocus();
}

void BatchController::chkMerge_Click() {
  const BatchControls& b = *c_.batch;
  ShowPlayOrder(c_.lstSortFiles, c_.lstFiles, b.chkMerge->isChecked() && window_.Mode() == 2, b.chkDragDrop->isChecked());
  window_.SetEditFocus();
}

}  // namespace mainwindow
