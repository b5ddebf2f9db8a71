#include "core/toolkit/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace core {

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Exclamation:
      return QMessageBox::Warning;
    case MessageKind::Critical:
      return QMessageBox::Critical;
    case MessageKind::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QWidget* MessageOwner(QWidget* fallback) {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->windowType() == Qt::Dialog &&
        window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
      return window;
    }
  }
  return fallback;
}

void QtDialogService::message(const QString& text, MessageKind kind, const QString& title) {
  QMessageBox box(IconOf(kind), title, text, QMessageBox::Ok, MessageOwner(parent_));
  box.setWindowModality(Qt::WindowModal);
  box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("core::DialogService", "OK"));
  box.exec();
}

Answer QtDialogService::question(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, MessageOwner(parent_));
  box.setWindowModality(Qt::WindowModal);
  box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("core::DialogService", "Ja"));
  box.button(QMessageBox::No)->setText(QCoreApplication::translate("core::DialogService", "Nein"));
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtDialogService::openFileName(const QString& caption, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileName(MessageOwner(parent_), caption, folder, filter);
}

QString QtDialogService::saveFileName(const QString& caption, const QString& path, const QString& filter) {
  return QFileDialog::getSaveFileName(MessageOwner(parent_), caption, path, filter);
}

void ScriptedDialogService::message(const QString& text, MessageKind kind, const QString& title) {
  shown.push_back({text, kind, title, MessageOwner(nullptr)});
}

Answer ScriptedDialogService::question(const QString& text, const QString& title) {
  shown.push_back({text, MessageKind::Question, title, MessageOwner(nullptr)});
  if (answers.empty()) return Answer::No;
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

QString ScriptedDialogService::openFileName(const QString& caption, const QString&, const QString&) {
  chooserCaptions << caption;
  if (fileNames.empty()) return QString();
  const QString name = fileNames.front();
  fileNames.pop_front();
  return name;
}

QString ScriptedDialogService::saveFileName(const QString& caption, const QString& path, const QString& filter) {
  return openFileName(caption, path, filter);
}

void ShowMessage(DialogService& dialogs, const QString& text, int kind, QString& title, const QString& appTitle) {
  if (title.isEmpty()) title = appTitle;
  if (kind < static_cast<int>(MessageKind::Information) || kind > static_cast<int>(MessageKind::Question)) return;
  dialogs.message(text, static_cast<MessageKind>(kind), title);
}

}  // namespace core
