// Message boxes behind a small service, so that tests answer them in advance.
#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QWidget;

namespace core {

enum class MessageKind { Information = 1, Exclamation = 2, Critical = 3, Question = 4 };
enum class Answer { Ok, Yes, No };

class DialogService {
 public:
  virtual ~DialogService() = default;
  // A message box with an OK button.
  virtual void message(const QString& text, MessageKind kind, const QString& title) = 0;
  // A message box with the question icon and Yes and No buttons.
  virtual Answer question(const QString& text, const QString& title) = 0;
  // A file chooser for opening; an empty text when cancelled.
  virtual QString openFileName(const QString& caption, const QString& folder, const QString& filter) = 0;
  // A file chooser for saving; an empty text when cancelled.
  virtual QString saveFileName(const QString& caption, const QString& path, const QString& filter) = 0;
};

// The real thing: QMessageBox and QFileDialog, parented to the given window.
class QtDialogService : public DialogService {
 public:
  explicit QtDialogService(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  void message(const QString& text, MessageKind kind, const QString& title) override;
  Answer question(const QString& text, const QString& title) override;
  QString openFileName(const QString& caption, const QString& folder, const QString& filter) override;
  QString saveFileName(const QString& caption, const QString& path, const QString& filter) override;

 private:
  QWidget* parent_;
};

// For tests: records every box and answers questions and choosers from queues
// (an empty queue answers No, or an empty file name).
class ScriptedDialogService : public DialogService {
 public:
  struct Shown {
    QString text;
    MessageKind kind;
    QString title;
    QWidget* owner;  // the window the box would open in front of (MessageOwner)
  };
  void message(const QString& text, MessageKind kind, const QString& title) override;
  Answer question(const QString& text, const QString& title) override;
  QString openFileName(const QString& caption, const QString& folder, const QString& filter) override;
  QString saveFileName(const QString& caption, const QString& path, const QString& filter) override;

  void setNextAnswer(Answer answer) { answers.push_back(answer); }
  void setNextFileName(const QString& name) { fileNames.push_back(name); }

  std::deque<Answer> answers;
  std::deque<QString> fileNames;
  std::vector<Shown> shown;  // messages and questions, in order
  QStringList chooserCaptions;  // the captions of the file choosers asked, in order
};

// The window a message box belongs to: the modal dialog or the active window, else a
// dialog kept on top that is showing (its boxes must not open behind it), else fallback.
QWidget* MessageOwner(QWidget* fallback);

// Shows text with the icon of kind 1 to 4 and an OK button; any other kind shows
// nothing. An empty title becomes appTitle (and the argument is changed too).
void ShowMessage(DialogService& dialogs, const QString& text, int kind, QString& title, const QString& appTitle);

}  // namespace core
