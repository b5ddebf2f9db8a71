// The language switch: German (0) or English (1), chosen in the context menu.
#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>

#include "core/AppValues.h"
#include "mainwindow/LanguageCaptions.h"
#include "mainwindow/Tagger.h"

namespace mainwindow {

namespace {

// Sets the caption of whatever kind of control carries the name; a control that is
// not there (yet) is skipped.
void SetCaption(QWidget* window, const QString& name, const QString& text) {
  QObject* control = window->findChild<QObject*>(name);
  if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(control)) label->setText(text);
  else if (auto* box = qobject_cast<QGroupBox*>(control)) box->setTitle(text);
  else if (auto* action = qobject_cast<QAction*>(control)) action->setText(text);
}

}  // namespace

void Tagger::mnuLanguage_Click(int index) {
  if (index != 0 && index != 1) return;
  for (QAction* language : mnuLanguage_) language->setChecked(false);
  mnuLanguage_[index]->setChecked(true);
  values_.LanguageIndex = static_cast<std::int16_t>(index);
  for (const Caption& caption : LanguageCaptions(index)) SetCaption(this, caption.control, caption.text);
  values_.TotalTimeLabel = TotalTimeLabelFor(index).toStdString();
}

bool Tagger::EnglishChecked() const { return mnuLanguage_[1]->isChecked(); }

}  // namespace mainwindow
