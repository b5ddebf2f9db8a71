// The language switch: German (0) or English (1), chosen in the context menu. Every
// caption that follows the language is set again through the catalogue.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/AppValues.h"
#include "core/toolkit/Translation.h"
#include "mainwindow/BatchController.h"
#include "mainwindow/ControlPlacing.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

void Tagger::mnuLanguage_Click(int index) {
  if (index != 0 && index != 1) return;
  for (QAction* language : mnuLanguage_) language->setChecked(false);
  mnuLanguage_[index]->setChecked(true);
  values_.LanguageIndex = static_cast<std::int16_t>(index);
  core::SetInterfaceLanguage(index);
  // The save button reads as after a save with the Enter key until the next selection.
  cmdSaveTag_->setText(tr("TAG Übernehmen"));
  for (int k = 1; k <= 2; ++k) {
    const tagging::DetectList words = batchRun_->detectList(k);
    if (!words.empty()) batch_.lblDetect[k - 1]->setText(ShownDetectPattern(words, batch_.txtSeparator->text()));
  }
  values_.TotalTimeLabel = index == 1 ? "Total running time : " : "Gesamtspieldauer : ";
  FitFileColumn();
}

bool Tagger::EnglishChecked() const { return mnuLanguage_[1]->isChecked(); }

}  // namespace mainwindow
