// The text window: a long field text (the comment, the lyrics) shown and edited at
// a comfortable size, with file, edit and window menus.
#pragma once
#include <QMainWindow>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace core {
struct AppValues;
class DialogService;
}  // namespace core

namespace windows {

class frmText : public QMainWindow {
  Q_OBJECT
 public:
  // values: the folder offered by "Speichern unter..." and the title of its message;
  // dialogs: the file chooser and that message; yield is handed to the topmost
  // switches and may be empty.
  frmText(core::AppValues& values, core::DialogService& dialogs, std::function<void()> yield,
          QWidget* parent = nullptr);

  // Puts the text into txtText as unedited text with no undo history.
  void setText(const QString& text);
  // The text as edited; line breaks are "\n".
  QString text() const;
  void setCaption(const QString& caption) { setWindowTitle(caption); }
  // Whether the text was edited since setText or since it was last taken over.
  bool isModified() const;

 signals:
  // The edited text is handed back: by "&Speichern", and on closing when it was edited.
  void textTakenOver(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* addEntry(QMenu* menu, const char* name, const char* caption);
  void addSeparator(QMenu* menu, const char* name);
  void buildFileMenu();
  void buildEditMenu();
  void buildToolsMenu();
  void takeOver();
  void saveAs();

  core::AppValues& values_;
  core::DialogService& dialogs_;
  std::function<void()> yield_;
  QPlainTextEdit* txtText_;
};

}  // namespace windows
