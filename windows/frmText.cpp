#include "windows/frmText.h"

#include "core/toolkit/Translation.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTextCursor>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "core/toolkit/Window.h"

namespace windows {

namespace {
// The window's first size, in twips.
constexpr int InitialWidth = 6000;
constexpr int InitialHeight = 4500;
constexpr int Topmost = -1;
constexpr int NotTopmost = 0;
}  // namespace

frmText::frmText(core::AppValues& values, core::DialogService& dialogs, std::function<void()> yield, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      values_(values),
      dialogs_(dialogs),
      yield_(std::move(yield)),
      txtText_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("frmText"));
  setWindowTitle(tr("TextEdit"));
  txtText_->setObjectName(QStringLiteral("txtText"));
  // The central widget fills the client area on every resize; while the window is
  // minimised there is simply nothing to lay out.
  setCentralWidget(txtText_);
  buildFileMenu();
  buildEditMenu();
  buildToolsMenu();

  resize(core::TwipsToPixels(InitialWidth), core::TwipsToPixels(InitialHeight));
  setMinimumSize(core::TwipsToPixels(3000), core::TwipsToPixels(2000));  // the menu bar in one row
  core::CenterWindow(this);
  core::KeepOnTop(this, yield_);
}

void frmText::setText(const QString& text) {
  txtText_->setPlainText(text);
  txtText_->document()->setModified(false);
}

QString frmText::text() const { return txtText_->toPlainText(); }

bool frmText::isModified() const { return txtText_->document()->isModified(); }

void frmText::closeEvent(QCloseEvent* event) {
  if (isModified()) takeOver();
  event->accept();
}

QAction* frmText::addEntry(QMenu* menu, const char* name, const char* caption) {
  QAction* entry = menu->addAction(QString());
  core::SetCaption(entry, staticMetaObject.className(), caption);
  entry->setObjectName(QString::fromLatin1(name));
  return entry;
}

void frmText::addSeparator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void frmText::buildFileMenu() {
  QMenu* mnuFile = menuBar()->addMenu(QString());
  core::SetCaption(mnuFile, staticMetaObject.className(), QT_TR_NOOP("&Datei"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  connect(addEntry(mnuFile, "mnuSave(0)", QT_TR_NOOP("&Speichern")), &QAction::triggered, this,
          [this] { takeOver(); });
  connect(addEntry(mnuFile, "mnuSave(1)", QT_TR_NOOP("Speichern &unter...")), &QAction::triggered, this,
          [this] { saveAs(); });
  addSeparator(mnuFile, "mnunot");
  connect(addEntry(mnuFile, "mnuExit", QT_TR_NOOP("&Beenden")), &QAction::triggered, this, [this] { close(); });
}

void frmText::buildEditMenu() {
  QMenu* mnuEdit = menuBar()->addMenu(QString());
  core::SetCaption(mnuEdit, staticMetaObject.className(), QT_TR_NOOP("Bearbeiten"));
  mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
  connect(addEntry(mnuEdit, "mnuUndo", QT_TR_NOOP("Rückgängig")), &QAction::triggered, txtText_,
          &QPlainTextEdit::undo);
  addSeparator(mnuEdit, "mnuNix");
  connect(addEntry(mnuEdit, "mnuCut", QT_TR_NOOP("Ausschneiden")), &QAction::triggered, txtText_,
          &QPlainTextEdit::cut);
  connect(addEntry(mnuEdit, "mnuCopy", QT_TR_NOOP("Kopieren")), &QAction::triggered, txtText_,
          &QPlainTextEdit::copy);
  connect(addEntry(mnuEdit, "mnuAll", QT_TR_NOOP("Alles kopieren")), &QAction::triggered, this,
          [this] { QGuiApplication::clipboard()->setText(text()); });
  connect(addEntry(mnuEdit, "mnuPaste", QT_TR_NOOP("Einfügen")), &QAction::triggered, txtText_,
          &QPlainTextEdit::paste);
  connect(addEntry(mnuEdit, "mnuDelete", QT_TR_NOOP("Löschen")), &QAction::triggered, this, [this] {
    QTextCursor cursor = txtText_->textCursor();
    cursor.removeSelectedText();
    txtText_->setTextCursor(cursor);
  });
  addSeparator(mnuEdit, "slh2");
  connect(addEntry(mnuEdit, "mnuSelAll", QT_TR_NOOP("Alles markieren")), &QAction::triggered, txtText_,
          &QPlainTextEdit::selectAll);
}

void frmText::buildToolsMenu() {
  QMenu* mnuTools = menuBar()->addMenu(QString());
  core::SetCaption(mnuTools, staticMetaObject.className(), QT_TR_NOOP("Einstellungen"));
  mnuTools->setObjectName(QStringLiteral("mnuTools"));
  QAction* mnuOnTop = addEntry(mnuTools, "mnuOnTop", QT_TR_NOOP("Immer im Vordergrund"));
  mnuOnTop->setCheckable(true);
  mnuOnTop->setChecked(true);  // the window opens topmost
  connect(mnuOnTop, &QAction::toggled, this,
          [this](bool onTop) { core::SetOnTop(this, onTop ? Topmost : NotTopmost, yield_); });
}

void frmText::takeOver() {
  txtText_->document()->setModified(false);
  emit textTakenOver(text());
}

void frmText::saveAs() {
  const QString path =
      dialogs_.saveFileName(tr("Speichern unter"), QFile::decodeName(values_.CurrentDir.c_str()),
                            tr("Textdateien (*.txt);;Alle Dateien (*)"));
  if (path.isEmpty()) return;
  // Written through a work file that replaces the target only when complete.
  QSaveFile file(path);
  const QByteArray bytes = text().toUtf8();
  const bool saved = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
  if (!saved) {
    dialogs_.message(tr("Die Datei konnte nicht gespeichert werden:\n") + path, core::MessageKind::Critical,
                     QString::fromStdString(values_.AppTitle));
  }
}

}  // namespace windows
