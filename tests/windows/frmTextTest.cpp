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

TEST_F(TextWindow, MenusCarryTheirCaptionsInOrder) {
  EXPECT_EQ(window.objectName(), QStringLiteral("frmText"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("TextEdit"));
  const struct {
    const char* menu;
    QString title;
    std::vector<std::pair<const char*, QString>> entries;  // a separator has no caption
  } menus[] = {
      {"mnuFile",
       QStringLiteral("&Datei"),
       {{"mnuSave(0)", QStringLiteral("&Speichern")},
        {"mnuSave(1)", QStringLiteral("Speichern &unter...")},
        {"mnunot", QString()},
        {"mnuExit", QStringLiteral("&Beenden")}}},
      {"mnuEdit",
       QStringLiteral("Bearbeiten"),
       {{"mnuUndo", QStringLiteral("Rückgängig")},
        {"mnuNix", QString()},
        {"mnuCut", QStringLiteral("Ausschneiden")},
        {"mnuCopy", QStringLiteral("Kopieren")},
        {"mnuAll", QStringLiteral("Alles kopieren")},
        {"mnuPaste", QStringLiteral("Einfügen")},
        {"mnuDelete", QStringLiteral("Löschen")},
        {"slh2", QString()},
        {"mnuSelAll", QStringLiteral("Alles markieren")}}},
      {"mnuTools", QStringLiteral("Einstellungen"), {{"mnuOnTop", QStringLiteral("Immer im Vordergrund")}}},
  };
  const QList<QAction*> bar = window.menuBar()->actions();
  ASSERT_EQ(bar.size(), 3);
  for (int m = 0; m < 3; ++m) {
    QMenu* menu = window.findChild<QMenu*>(QString::fromLatin1(menus[m].menu));
    ASSERT_NE(menu, nullptr) << menus[m].menu;
    EXPECT_EQ(bar[m], menu->menuAction());
    EXPECT_EQ(menu->title(), menus[m].title);
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<int>(menus[m].entries.size())) << menus[m].menu;
    for (int i = 0; i < actions.size(); ++i) {
      EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(menus[m].entries[i].first));
      EXPECT_EQ(actions[i]->isSeparator(), menus[m].entries[i].second.isEmpty());
      if (!actions[i]->isSeparator()) {
        EXPECT_EQ(actions[i]->text(), menus[m].entries[i].second);
      }
    }
  }
}

TEST_F(TextWindow, OpensTopmostAndTheOnTopEntrySwitchesIt) {
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_GT(yields, 0);
  QAction* onTop = entry("mnuOnTop");
  ASSERT_TRUE(onTop->isCheckable());
  EXPECT_TRUE(onTop->isChecked());
  onTop->trigger();
  EXPECT_FALSE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  onTop->trigger();
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(TextWindow, SetTextGivesUneditedTextWithoutUndoHistory) {
  window.setText(QStringLiteral("old comment"));
  window.setText(QStringLiteral("first line\nsecond line"));
  EXPECT_EQ(window.text(), QStringLiteral("first line\nsecond line"));
  EXPECT_FALSE(window.isModified());
  trigger("mnuUndo");
  EXPECT_EQ(window.text(), QStringLiteral("first line\nsecond line"));
  window.setCaption(QStringLiteral("Kommentar"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Kommentar"));
}

TEST_F(TextWindow, SaveHandsTheTextOverAndKeepsTheWindowOpen) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QSignalSpy taken(&window, &frmText::textTakenOver);
  window.setText(QStringLiteral("Live"));
  txtText()->moveCursor(QTextCursor::End);
  QTest::keyClicks(txtText(), QStringLiteral(" 1998"));
  EXPECT_TRUE(window.isModified());
  trigger("mnuSave(0)");
  ASSERT_EQ(taken.count(), 1);
  EXPECT_EQ(taken.at(0).at(0).toString(), QStringLiteral("Live 1998"));
  EXPECT_FALSE(window.isModified());
  EXPECT_TRUE(window.isVisible());
}

TEST_F(TextWindow, ClosingHandsOverAnEditedTextOnly) {
  QSignalSpy taken(&window, &frmText::textTakenOver);
  window.setText(QStringLiteral("unchanged"));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  trigger("mnuExit");
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(taken.count(), 0);

  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  txtText()->selectAll();
  QTest::keyClicks(txtText(), QStringLiteral("edited"));
  EXPECT_TRUE(window.close());
  ASSERT_EQ(taken.count(), 1);
  EXPECT_EQ(taken.at(0).at(0).toString(), QStringLiteral("edited"));
}

TEST_F(TextWindow, EditEntriesWorkOnTheTextAndTheClipboard) {
  QClipboard* clipboard = QApplication::clipboard();
  window.setText(QStringLiteral("alpha beta gamma"));

  select(0, 5);
  trigger("mnuCopy");
  EXPECT_EQ(clipboard->text(), QStringLiteral("alpha"));
  EXPECT_EQ(window.text(), QStringLiteral("alpha beta gamma"));

  select(5, 10);
  trigger("mnuCut");
  EXPECT_EQ(clipboard->text(), QStringLiteral(" beta"));
  EXPECT_EQ(window.text(), QStringLiteral("alpha gamma"));

  txtText()->moveCursor(QTextCursor::End);
  trigger("mnuPaste");
  EXPECT_EQ(window.text(), QStringLiteral("alpha gamma beta"));

  select(0, 6);
  trigger("mnuDelete");
  EXPECT_EQ(window.text(), QStringLiteral("gamma beta"));
  EXPECT_EQ(clipboard->text(), QStringLiteral(" beta"));  // deleting does not touch the clipboard

  trigger("mnuUndo");
  EXPECT_EQ(window.text(), QStringLiteral("alpha gamma beta"));

  select(0, 1);
  trigger("mnuAll");
  EXPECT_EQ(clipboard->text(), QStringLiteral("alpha gamma beta"));
  EXPECT_EQ(txtText()->textCursor().selectedText(), QStringLiteral("a"));  // the selection stays

  trigger("mnuSelAll");
  EXPECT_EQ(txtText()->textCursor().selectedText(), QStringLiteral("alpha gamma beta"));
  trigger("mnuDelete");
  EXPECT_TRUE(window.text().isEmpty());
}

TEST_F(TextWindow, DeleteWithoutSelectionRemovesNothing) {
  window.setText(QStringLiteral("keep"));
  txtText()->moveCursor(QTextCursor::Start);
  trigger("mnuDelete");
  EXPECT_EQ(window.text(), QStringLiteral("keep"));
}

TEST_F(TextWindow, SaveAsWritesTheTextToTheChosenFile) {
  const QString path = folder.filePath(QStringLiteral("kommentar.txt"));
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older and longer text that is replaced");
  }
  window.setText(QStringLiteral("Grüße\nzweite Zeile"));
  dialogs.setNextFileName(path);
  trigger("mnuSave(1)");
  EXPECT_EQ(readFile(path), QStringLiteral("Grüße\nzweite Zeile").toUtf8());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kommentar.txt")});
}

TEST_F(TextWindow, SaveAsCancelledWritesNothing) {
  window.setText(QStringLiteral("text"));
  trigger("mnuSave(1)");  // no file name queued: the chooser was cancelled
  EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TextWindow, SaveAsThatFailsSaysSoAndLeavesNoFileBehind) {
  values.AppTitle = "Quillmere Tonewright";
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("a folder")));
  const QString targets[] = {folder.filePath(QStringLiteral("a folder")),
                             folder.filePath(QStringLiteral("missing/sub/file.txt"))};
  window.setText(QStringLiteral("text"));
  for (const QString& target : targets) {
    dialogs.shown.clear();
    dialogs.setNextFileName(target);
    trigger("mnuSave(1)");
    ASSERT_EQ(dialogs.shown.size(), 1u) << target.toStdString();
    EXPECT_EQ(dialogs.shown[0].kind, core::MessageKind::Critical);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Quillmere Tonewright"));
    EXPECT_TRUE(dialogs.shown[0].text.contains(target));
  }
  EXPECT_TRUE(QFileInfo(targets[0]).isDir());
  EXPECT_TRUE(QDir(targets[0]).isEmpty());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("a folder")});
}

TEST_F(TextWindow, TheTextFillsTheClientAreaThroughResizesAndMinimising) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto expectFilled = [&] {
    const int top = window.menuBar()->isVisible() ? window.menuBar()->geometry().bottom() + 1 : 0;
    const QRect area = txtText()->geometry();
    EXPECT_EQ(area.left(), 0);
    EXPECT_EQ(area.top(), top);
    EXPECT_EQ(area.width(), window.width());
    EXPECT_EQ(area.bottom(), window.height() - 1);
  };
  for (const QSize size : {QSize(500, 400), QSize(220, 160), QSize(640, 480)}) {
    window.resize(size);
    QApplication::processEvents();  // the main window's layout runs on a posted request
    expectFilled();
  }
  window.showMinimized();
  QApplication::processEvents();
  window.showNormal();
  QApplication::processEvents();
  expectFilled();
}

}  // namespace
