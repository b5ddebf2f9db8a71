#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

#include "core/AppValues.h"
#include "core/toolkit/Dialogs.h"
#include "windows/frmText.h"

namespace {

using windows::frmText;

class TextWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    values.CurrentDir = QFile::encodeName(folder.path() + QLatin1Char('/')).toStdString();
  }
  QPlainTextEdit* txtText() { return window.findChild<QPlainTextEdit*>(QStringLiteral("txtText")); }
  QAction* entry(const char* name) { return window.findChild<QAction*>(QString::fromLatin1(name)); }
  void trigger(const char* name) {
    QAction* action = entry(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
  // Selects the characters [from, to) of the text.
  void select(int from, int to) {
    QTextCursor cursor = txtText()->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    txtText()->setTextCursor(cursor);
  }
  QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }

  QTemporaryDir folder;
  core::AppValues values;
  core::ScriptedDialogService dialogs;
  int yields = 0;
  frmText window{values, dialogs, [this] { ++yields; }};
};

TEST_F(TextWindow, OpensTopmostWithItsMenusInOrder) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("TextEdit"));
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_GT(yields, 0);
  QStringList seen;  // per menu: name=caption, then its entries (a separator has no caption)
  for (QAction* bar : window.menuBar()->actions()) {
    QString line = bar->menu()->objectName() + QLatin1Char('=') + bar->text() + QLatin1Char(':');
    for (QAction* action : bar->menu()->actions()) {
      line += QLatin1Char(' ') + action->objectName() + QLatin1Char('=') +
              (action->isSeparator() ? QString() : action->text());
    }
    seen << line;
  }
  EXPECT_EQ(seen,
            (QStringList{
                QStringLiteral("mnuFile=&Datei: mnuSave(0)=&Speichern mnuSave(1)=Speichern &unter... mnunot= "
                               "mnuExit=&Beenden"),
                QStringLiteral("mnuEdit=Bearbeiten: mnuUndo=Rückgängig mnuNix= mnuCut=Ausschneiden mnuCopy=Kopieren "
                               "mnuAll=Alles kopieren mnuPaste=Einfügen mnuDelete=Löschen slh2= "
                               "mnuSelAll=Alles markieren"),
                QStringLiteral("mnuTools=Einstellungen: mnuOnTop=Immer im Vordergrund"),
            }));
}

TEST_F(TextWindow, TheOnTopEntrySwitchesTopmost) {
  QAction* onTop = entry("mnuOnTop");
  EXPECT_TRUE(onTop->isCheckable() && onTop->isChecked());
  for (const bool expected : {false, true}) {
    onTop->trigger();
    EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), expected);
  }
}

TEST_F(TextWindow, SaveAndClosingHandOverAnEditedTextOnly) {
  QSignalSpy taken(&window, &frmText::textTakenOver);
  window.setText(QStringLiteral("old comment"));
  window.setText(QStringLiteral("Live"));
  EXPECT_FALSE(window.isModified());
  trigger("mnuUndo");  // setText leaves no undo history
  EXPECT_EQ(window.text(), QStringLiteral("Live"));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  trigger("mnuExit");  // unedited: nothing handed over
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(taken.count(), 0);

  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  txtText()->moveCursor(QTextCursor::End);
  QTest::keyClicks(txtText(), QStringLiteral(" 1998"));
  EXPECT_TRUE(window.isModified());
  trigger("mnuSave(0)");  // hands over and keeps the window open
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isModified());
  QTest::keyClicks(txtText(), QStringLiteral("!"));
  EXPECT_TRUE(window.close());
  ASSERT_EQ(taken.count(), 2);
  EXPECT_EQ(taken.at(0).at(0).toString(), QStringLiteral("Live 1998"));
  EXPECT_EQ(taken.at(1).at(0).toString(), QStringLiteral("Live 1998!"));
}

TEST_F(TextWindow, EditEntriesDoWhatTheirCaptionsSay) {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  window.setText(QStringLiteral("alpha beta gamma"));
  const struct {
    int from, to;  // the selection before; -1: the cursor at the end
    const char* action;
    const char *text, *clipboard, *selected;
  } steps[] = {
      {0, 5, "mnuCopy", "alpha beta gamma", "alpha", "alpha"},
      {5, 10, "mnuCut", "alpha gamma", " beta", ""},
      {-1, -1, "mnuPaste", "alpha gamma beta", " beta", ""},
      {0, 6, "mnuDelete", "gamma beta", " beta", ""},  // deleting does not touch the clipboard
      {0, 0, "mnuDelete", "gamma beta", " beta", ""},  // nothing selected: nothing deleted
      {0, 0, "mnuUndo", "alpha gamma beta", " beta", ""},
      {0, 1, "mnuAll", "alpha gamma beta", "alpha gamma beta", "a"},  // the selection stays
      {0, 0, "mnuSelAll", "alpha gamma beta", "alpha gamma beta", "alpha gamma beta"},
      {-2, -2, "mnuDelete", "", "alpha gamma beta", ""},  // -2: keep the selection
  };
  for (const auto& step : steps) {
    if (step.from == -1) txtText()->moveCursor(QTextCursor::End);
    if (step.from >= 0) select(step.from, step.to);
    trigger(step.action);
    EXPECT_EQ(window.text(), QString::fromUtf8(step.text)) << step.action;
    EXPECT_EQ(clipboard->text(), QString::fromUtf8(step.clipboard)) << step.action;
    EXPECT_EQ(txtText()->textCursor().selectedText(), QString::fromUtf8(step.selected)) << step.action;
  }
}

TEST_F(TextWindow, SaveAsReplacesTheChosenFileOrSaysWhyNotAndLeavesNoOtherFile) {
  values.AppTitle = "Quillmere Tonewright";
  const QString path = folder.filePath(QStringLiteral("kommentar.txt"));
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("an older and longer text that is replaced") > 0);
  old.close();
  window.setText(QStringLiteral("Grüße\nzweite Zeile"));
  trigger("mnuSave(1)");  // no file name queued: the chooser was cancelled
  EXPECT_EQ(readFile(path), QByteArray("an older and longer text that is replaced"));
  dialogs.setNextFileName(path);
  trigger("mnuSave(1)");
  EXPECT_EQ(readFile(path), QStringLiteral("Grüße\nzweite Zeile").toUtf8());
  EXPECT_TRUE(dialogs.shown.empty());

  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("a folder")));
  const QString targets[] = {folder.filePath(QStringLiteral("a folder")),
                             folder.filePath(QStringLiteral("missing/sub/file.txt"))};
  for (const QString& target : targets) {
    dialogs.shown.clear();
    dialogs.setNextFileName(target);
    trigger("mnuSave(1)");
    ASSERT_EQ(dialogs.shown.size(), 1u) << target.toStdString();
    EXPECT_EQ(dialogs.shown[0].kind, core::MessageKind::Critical);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Quillmere Tonewright"));
    EXPECT_TRUE(dialogs.shown[0].text.contains(target));
  }
  EXPECT_TRUE(QDir(targets[0]).isEmpty());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{QStringLiteral("a folder"), QStringLiteral("kommentar.txt")}));
}

}  // namespace
